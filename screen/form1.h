#pragma once
// The game's one window and its controls, laid out once at creation. It
// draws and it reports key presses; what they mean is decided elsewhere.

#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>

#include "controls.h"

class QKeyEvent;

namespace snoutsum {

class Form1 : public QWidget {
public:
    Form1();

    // Every key press, auto-repeats included, before any control sees it.
    std::function<void(const QKeyEvent&)> onKeyPress;

    // Label(10 * column + row) for the 20 board tiles.
    Tile& label(int index);
    QLabel& scoreValue() { return *scoreValue_; }
    Sprite& hog() { return *hog_; }
    TitlePanel& title() { return *title_; }

    // Puts the window's drawing area in the middle of the screen.
    void centreOnScreen();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent*) override;

private:
    std::array<Tile*, 46> labels_{};
    QLabel* scoreValue_ = nullptr;
    Sprite* hog_ = nullptr;
    TitlePanel* title_ = nullptr;
};

// Call before the application object exists. The layout is in device pixels
// and must stay so on a desktop that reports a high DPI: no scaling.
void usePhysicalPixels();

// The window's caption: the name, an ideographic space, the version.
QString windowCaption();

} // namespace snoutsum
