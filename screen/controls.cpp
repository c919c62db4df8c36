#include "controls.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

namespace snoutsum {

namespace {
// The design's face, full-width letters and all, and the free face drawn to
// the same metrics.
const QString kDesignFace = QStringLiteral("ＭＳ Ｐゴシック");
const QString kFallbackFace = QStringLiteral("IPAPGothic");
} // namespace

QColor toQColor(layout::Rgb c) { return QColor(c.r, c.g, c.b); }

QString gothicFamily()
{
    static const QString family =
        QFontDatabase::families().contains(kDesignFace) ? kDesignFace : kFallbackFace;
    return family;
}

QFont gothicFont(int pixelSize)
{
    QFont font(gothicFamily());
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    return font;
}

Tile::Tile(QWidget* parent) : QWidget(parent), background_(toQColor(layout::kBlack))
{
    setFocusPolicy(Qt::NoFocus);
    setFont(gothicFont(layout::kTileFontPixels));
    resize(layout::kTileSize, layout::kTileSize);
}

void Tile::setBackground(const QColor& colour)
{
    if (colour == background_)
        return;
    background_ = colour;
    update();
}

void Tile::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    update();
}

void Tile::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), background_);
    p.setPen(toQColor(layout::kTileBorder));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(toQColor(layout::kWhite));
    p.drawText(rect(), Qt::AlignHCenter | Qt::AlignVCenter, text_);
}

Sprite::Sprite(QWidget* parent, QImage picture) : QWidget(parent), picture_(std::move(picture))
{
    setFocusPolicy(Qt::NoFocus);
    resize(picture_.size());
}

void Sprite::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

TitlePanel::TitlePanel(QWidget* parent)
    : QWidget(parent), backColour_(toQColor(layout::kBlack)), textColour_(toQColor(layout::kWhite)),
      font_(gothicFont(layout::pointsToPixels(10)))
{
    // Hard-edged letters: the name's shadow is a clean 3-pixel offset, and
    // the picture is the same wherever it is drawn.
    font_.setStyleStrategy(QFont::NoAntialias);
    setFocusPolicy(Qt::NoFocus);
    const auto r = layout::kTitleAtStart;
    setGeometry(r.left, r.top, r.width, r.height);
    resizePicture();
}

// The drawing area lies inside the border. Growing keeps what was drawn and
// fills the new part with the background colour.
void TitlePanel::resizePicture()
{
    const QSize inner = size() - QSize(2 * layout::kTitleBorder, 2 * layout::kTitleBorder);
    QImage grown(inner.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    grown.fill(backColour_);
    QPainter p(&grown);
    p.drawImage(0, 0, picture_);
    picture_ = grown;
    update();
}

void TitlePanel::setPanelHeight(int height)
{
    resize(width(), height);
    resizePicture();
}

void TitlePanel::setPanelWidth(int width)
{
    resize(width, height());
    resizePicture();
}

void TitlePanel::movePanel(int left, int top) { move(left, top); }

void TitlePanel::setBackColour(const QColor& colour)
{
    backColour_ = colour;
    picture_.fill(colour);
    update();
}

void TitlePanel::setFontPoints(double points) { font_.setPixelSize(layout::pointsToPixels(points)); }
void TitlePanel::setBold(bool on) { font_.setBold(on); }
void TitlePanel::setItalic(bool on) { font_.setItalic(on); }
void TitlePanel::setTextColour(const QColor& colour) { textColour_ = colour; }

void TitlePanel::setDrawingPosition(int x, int y)
{
    x_ = x;
    y_ = y;
}

void TitlePanel::drawText(const QString& text)
{
    QPainter p(&picture_);
    p.setFont(font_);
    p.setPen(textColour_);
    // The position is the top of the line; QPainter wants the baseline.
    p.drawText(QPointF(x_, y_ + QFontMetrics(font_).ascent()), text);
    update();
}

void TitlePanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(toQColor(layout::kGrey));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawImage(layout::kTitleBorder, layout::kTitleBorder, picture_);
}

} // namespace snoutsum
