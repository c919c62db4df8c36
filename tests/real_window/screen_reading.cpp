#include "screen_reading.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace rw {

QRect tileRect(int column, int row)
{
    return QRect(8 + 32 * (column - 1), 16 + 32 * (row - 1), 33, 33);
}

QRgb dominantColour(const QImage &image, const QRect &area)
{
    std::map<QRgb, int> counts;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000u];
    QRgb best = 0;
    int bestCount = -1;
    for (const auto &[colour, count] : counts)
        if (count > bestCount) {
            best = colour;
            bestCount = count;
        }
    return best;
}

QRgb tileBackground(const QImage &client, int column, int row)
{
    return dominantColour(client, DigitReader::innerArea(column, row));
}

float InkMap::total() const
{
    float sum = 0;
    for (float v : ink)
        sum += v;
    return sum;
}

QRect InkMap::inkBounds(float threshold) const
{
    int x0 = width, y0 = height, x1 = -1, y1 = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (at(x, y) > threshold) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    return x1 < 0 ? QRect() : QRect(QPoint(x0, y0), QPoint(x1, y1));
}

InkMap InkMap::cropped(const QRect &r) const
{
    InkMap out;
    out.width = r.width();
    out.height = r.height();
    out.ink.assign(static_cast<size_t>(out.width * out.height), 0.0f);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const int sx = r.left() + x, sy = r.top() + y;
            if (sx >= 0 && sy >= 0 && sx < width && sy < height)
                out.ink[static_cast<size_t>(y * out.width + x)] = at(sx, sy);
        }
    return out;
}

InkMap InkMap::blurred() const
{
    InkMap out;
    out.width = width + 2;
    out.height = height + 2;
    out.ink.assign(static_cast<size_t>(out.width * out.height), 0.0f);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            float sum = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = x - 1 + dx, sy = y - 1 + dy;
                    if (sx >= 0 && sy >= 0 && sx < width && sy < height)
                        sum += at(sx, sy);
                }
            out.ink[static_cast<size_t>(y * out.width + x)] = sum / 9.0f;
        }
    return out;
}

std::string InkMap::art() const
{
    std::string s;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float v = at(x, y);
            s += v < 0.15f ? '.' : v < 0.5f ? '+' : '#';
        }
        s += '\n';
    }
    return s;
}

namespace {

template <typename InkOf>
InkMap inkOf(const QImage &image, const QRect &area, InkOf f)
{
    InkMap m;
    m.width = area.width();
    m.height = area.height();
    m.ink.assign(static_cast<size_t>(m.width * m.height), 0.0f);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            const QPoint p(area.left() + x, area.top() + y);
            if (image.rect().contains(p))
                m.ink[static_cast<size_t>(y * m.width + x)] = std::clamp(f(image.pixel(p)), 0.0f, 1.0f);
        }
    return m;
}

float luma(QRgb c)
{
    return (0.299f * qRed(c) + 0.587f * qGreen(c) + 0.114f * qBlue(c)) / 255.0f;
}

}  // namespace

InkMap whiteInk(const QImage &image, const QRect &area)
{
    return inkOf(image, area, [](QRgb c) {
        return std::min({qRed(c), qGreen(c), qBlue(c)}) / 255.0f;
    });
}

InkMap contrastInk(const QImage &image, const QRect &area, QRgb background)
{
    const float bg = luma(background);
    const float range = std::max(bg, 1.0f - bg);
    return inkOf(image, area, [bg, range](QRgb c) { return std::abs(luma(c) - bg) / range; });
}

double shapeDistance(const InkMap &observedSharp, const InkMap &referenceSharp)
{
    if (referenceSharp.width > observedSharp.width || referenceSharp.height > observedSharp.height)
        return std::numeric_limits<double>::infinity();
    const InkMap observed = observedSharp.blurred();
    const InkMap reference = referenceSharp.blurred();
    const double observedTotal = observed.total();
    const double referenceTotal = reference.total();
    double best = std::numeric_limits<double>::infinity();
    for (int oy = 0; oy + reference.height <= observed.height; ++oy)
        for (int ox = 0; ox + reference.width <= observed.width; ++ox) {
            // Ink of the observed map outside the placed reference counts in
            // full; inside, the difference does.
            double inside = 0, observedInside = 0;
            for (int y = 0; y < reference.height; ++y)
                for (int x = 0; x < reference.width; ++x) {
                    const float o = observed.at(ox + x, oy + y);
                    observedInside += o;
                    inside += std::abs(o - reference.at(x, y));
                }
            // (The totals are summed in another order: clamp the rounding.)
            best = std::min(best, std::max(0.0, inside + (observedTotal - observedInside)));
        }
    const double scale = (observedTotal + referenceTotal) / 2.0;
    return scale > 0 ? best / scale : std::numeric_limits<double>::infinity();
}

namespace {

Reading rank(const std::vector<std::pair<QString, double>> &scored, const QString &detail)
{
    Reading r;
    r.distance = r.runnerUpDistance = std::numeric_limits<double>::infinity();
    for (const auto &[text, d] : scored) {
        if (d < r.distance) {
            r.runnerUp = r.text;
            r.runnerUpDistance = r.distance;
            r.text = text;
            r.distance = d;
        } else if (d < r.runnerUpDistance) {
            r.runnerUp = text;
            r.runnerUpDistance = d;
        }
    }
    r.detail = detail;
    return r;
}

// White on black, the way the tiles draw, cropped to the ink.
InkMap renderedDigit(int digit, QFont::HintingPreference hinting, qreal shift)
{
    QImage canvas(64, 64, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(27);
    font.setHintingPreference(hinting);
    QPainter p(&canvas);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(canvas.rect()).translated(shift, 0), Qt::AlignCenter, QString::number(digit));
    p.end();
    const InkMap m = whiteInk(canvas, canvas.rect());
    return m.cropped(m.inkBounds(0.0f));
}

}  // namespace

InkMap renderedText(const QString &text, const QString &face, int pixelSize)
{
    QFont font(face);
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    QImage canvas(metrics.horizontalAdvance(text) + 2 * pixelSize, 3 * pixelSize, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    p.setFont(font);
    p.setPen(Qt::black);
    // From a whole pixel, as a dialog's label starts: with fractional glyph
    // positioning the shapes of the letters depend on where the line starts.
    p.drawText(QPoint(pixelSize, 2 * pixelSize), text);
    p.end();
    const InkMap m = contrastInk(canvas, canvas.rect(), qRgb(255, 255, 255));
    return m.cropped(m.inkBounds(0.0f));
}

DigitReader::DigitReader()
{
    // The same digit comes out a pixel wider or narrower in places depending
    // on how the glyphs are hinted, which the game's display may do
    // differently from this process; a reference for each way keeps such
    // differences from counting against the right digit.
    for (int d = 1; d <= 4; ++d)
        for (auto hinting : {QFont::PreferNoHinting, QFont::PreferVerticalHinting, QFont::PreferFullHinting})
            for (qreal shift : {0.0, 0.25, 0.5, 0.75})
                refs_.push_back({d, renderedDigit(d, hinting, shift)});
}

QRect DigitReader::innerArea(int column, int row)
{
    // Two pixels in from each side: clear of a border line, flat or bevelled.
    return tileRect(column, row).adjusted(2, 2, -2, -2);
}

Reading DigitReader::read(const QImage &client, int column, int row) const
{
    const InkMap seen = whiteInk(client, innerArea(column, row));
    std::vector<std::pair<QString, double>> scored;
    for (int d = 1; d <= 4; ++d) {
        double best = std::numeric_limits<double>::infinity();
        for (const auto &[digit, ref] : refs_)
            if (digit == d)
                best = std::min(best, shapeDistance(seen, ref));
        scored.emplace_back(QString::number(d), best);
    }
    return rank(scored, QStringLiteral("IPAPGothic 27 px"));
}

LineReader::LineReader(QStringList faces) : faces_(std::move(faces)) {}

QRect LineReader::firstLine(const QImage &dialog, QRgb background)
{
    // Keep off the dialog's outermost pixels, where a frame may be drawn.
    const QRect inner = dialog.rect().adjusted(3, 3, -3, -3);
    const InkMap m = contrastInk(dialog, inner, background);
    const float threshold = 0.35f;
    auto rowHasInk = [&](int y) {
        for (int x = 0; x < m.width; ++x)
            if (m.at(x, y) > threshold)
                return true;
        return false;
    };
    int top = 0;
    while (top < m.height && !rowHasInk(top))
        ++top;
    if (top == m.height)
        return {};
    int bottom = top;
    while (bottom + 1 < m.height && rowHasInk(bottom + 1))
        ++bottom;
    const QRect band = m.cropped(QRect(0, top, m.width, bottom - top + 1)).inkBounds(threshold);
    return band.translated(inner.left(), inner.top() + top);
}

Reading LineReader::read(const QImage &dialog, const QStringList &candidates) const
{
    const QRgb background = dominantColour(dialog, dialog.rect());
    const QRect line = firstLine(dialog, background);
    if (line.isNull())
        return rank({}, QStringLiteral("no text in the dialog"));
    // A little room around the line, so that a reference one or two pixels
    // larger than the thresholded line still fits.
    const InkMap seen = contrastInk(dialog, line.adjusted(-2, -2, 2, 2), background);

    Reading best;
    best.distance = std::numeric_limits<double>::infinity();
    for (const QString &face : faces_)
        for (int size = 8; size <= 24; ++size) {
            std::vector<std::pair<QString, double>> scored;
            for (const QString &text : candidates)
                scored.emplace_back(text, shapeDistance(seen, renderedText(text, face, size)));
            const Reading r = rank(scored, QStringLiteral("%1 %2 px").arg(face).arg(size));
            if (r.distance < best.distance)
                best = r;
        }
    return best;
}

}  // namespace rw
