#pragma once
// The window's controls that draw themselves: tiles, the sprite and the
// title panel. None of them takes keyboard focus: keys belong to the window.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include "layout.h"

namespace snoutsum {

QColor toQColor(layout::Rgb c);

// The Japanese gothic face of the tiles and the title screen: the design's
// own face where the system has it, else its metric-compatible stand-in.
QString gothicFamily();
// A font of the given pixel size in the gothic face.
QFont gothicFont(int pixelSize);

// One board tile: a digit centred on a coloured square with a thin border.
class Tile : public QWidget {
public:
    explicit Tile(QWidget* parent);
    void setBackground(const QColor& colour);
    void setText(const QString& text);
    QColor background() const { return background_; }
    QString text() const { return text_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor background_;
    QString text_;
};

// The pig: a fixed picture that fills the box.
class Sprite : public QWidget {
public:
    Sprite(QWidget* parent, QImage picture);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage picture_;
};

// A picture box that keeps what is drawn on it. Everything drawn goes onto a
// backing image, so the picture survives being hidden, covered or redrawn by
// the window system. Coordinates are those of its drawing area, inside the
// one-pixel border.
class TitlePanel : public QWidget {
public:
    explicit TitlePanel(QWidget* parent);

    void setPanelHeight(int height);
    void setPanelWidth(int width);
    void movePanel(int left, int top);
    // Fills the whole panel and so erases everything drawn on it.
    void setBackColour(const QColor& colour);
    void setFontPoints(double points);
    void setBold(bool on);
    void setItalic(bool on);
    void setTextColour(const QColor& colour);
    // The top-left corner of the next text's line.
    void setDrawingPosition(int x, int y);
    // Only the letters are painted; the background shows between them.
    void drawText(const QString& text);

    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void resizePicture();

    QImage picture_;
    QColor backColour_;
    QColor textColour_;
    QFont font_;
    int x_ = 0;
    int y_ = 0;
};

} // namespace snoutsum
