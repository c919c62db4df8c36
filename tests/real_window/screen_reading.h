// Reading the game's window back from screenshots: where the tiles are, what
// colour a tile is, which digit it shows, and which line of text a dialog
// shows. The readers render their own references with QPainter and match by
// shape, so they depend on no pixel of the game other than what they read.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace rw {

inline constexpr int kClientWidth = 233;
inline constexpr int kClientHeight = 184;

// The 33 x 33 tile of column 1..4, row 1..5 in drawing-area pixels.
QRect tileRect(int column, int row);

// The colour that fills most of a tile inside its border line, which is the
// tile's background whatever digit is drawn on it.
QRgb tileBackground(const QImage &client, int column, int row);

// How much "ink" each pixel of an area carries, 0 (background) to 1.
struct InkMap {
    int width = 0;
    int height = 0;
    std::vector<float> ink;
    float at(int x, int y) const { return ink[static_cast<size_t>(y * width + x)]; }
    float total() const;
    // The smallest rectangle holding every pixel above the threshold; null if none.
    QRect inkBounds(float threshold) const;
    InkMap cropped(const QRect &r) const;  // zero outside the map
    // Grown by one pixel on each side and smoothed with a 3 x 3 box, so that
    // strokes one pixel off (another rasteriser, another size) still overlap.
    InkMap blurred() const;
    std::string art() const;               // for failure messages
};

// White text on a coloured background (black, blue or red tiles): the
// smallest of the three channels, which is 0 on any of those backgrounds and
// 255 on white.
InkMap whiteInk(const QImage &image, const QRect &area);
// Text in a colour different from a plain background (a dialog): how far each
// pixel's brightness is from the background's, relative to the most it could be.
InkMap contrastInk(const QImage &image, const QRect &area, QRgb background);

// The most frequent colour of an area.
QRgb dominantColour(const QImage &image, const QRect &area);

// How well a reference glyph image explains what was seen: the smallest
// absolute difference, both maps blurred, over every placement of the
// reference inside the observed map, relative to the ink of both. 0 is a perfect match; values
// near 1 mean nothing in common. Infinite when the reference cannot fit.
double shapeDistance(const InkMap &observed, const InkMap &reference);

struct Reading {
    QString text;             // the best candidate
    double distance = 0;      // its distance
    QString runnerUp;         // the second best
    double runnerUpDistance = 0;
    QString detail;           // which face and size, for messages
    // The best fits well and every other candidate fits at least twice as
    // badly.
    bool clear() const { return distance <= 0.45 && runnerUpDistance >= 2 * distance; }
};

// Reads the digit 1..4 of a tile. The tiles draw their digits in IPAPGothic
// at 27 pixels, and so do the references here.
class DigitReader {
public:
    DigitReader();
    Reading read(const QImage &client, int column, int row) const;
    // The inner area of a tile the reading looks at (inside the border line).
    static QRect innerArea(int column, int row);

private:
    std::vector<std::pair<int, InkMap>> refs_;
};

// Reads the first line of dark-on-light text in a dialog's screenshot,
// choosing among candidate texts. The dialog's face and size are not known in
// advance, so each candidate is rendered in a few faces and sizes, and the
// face and size that explain the line best decide between the candidates.
class LineReader {
public:
    explicit LineReader(QStringList faces);
    // The area of the first text line in the dialog (null if no ink).
    static QRect firstLine(const QImage &dialog, QRgb background);
    Reading read(const QImage &dialog, const QStringList &candidates) const;

private:
    QStringList faces_;
};

// A reference rendering of a text: dark on light, cropped to its ink.
InkMap renderedText(const QString &text, const QString &face, int pixelSize);

}  // namespace rw
