#include "form1.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "layout.h"
#include "pictures.h"

namespace snoutsum {

namespace {

QLabel* makeScoreLabel(QWidget* parent, const layout::Rect& r, const QString& text, Qt::Alignment align)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(r.left, r.top, r.width, r.height);
    label->setAlignment(align | Qt::AlignVCenter);
    label->setFont(gothicFont(layout::kScoreFontPixels));
    label->setFocusPolicy(Qt::NoFocus);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, toQColor(layout::kBlack));
    palette.setColor(QPalette::WindowText, toQColor(layout::kWhite));
    label->setPalette(palette);
    return label;
}

} // namespace

void usePhysicalPixels() { qputenv("QT_ENABLE_HIGHDPI_SCALING", "0"); }

QString windowCaption() { return QStringLiteral("Snoutsum\u3000ver1.00"); }

Form1::Form1()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(windowCaption());
    setWindowIcon(QIcon(QPixmap::fromImage(iconImage())));
    setFixedSize(layout::kClientWidth, layout::kClientHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(layout::kBlack));
    setPalette(palette);

    // Children created later lie on top, so the order here is the stacking
    // order: tiles and labels at the bottom, the pig above them, the title
    // panel above everything. The pole is painted by the window itself.
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 5; ++r) {
            const int index = 10 * c + r;
            auto* tile = new Tile(this);
            const auto rect = layout::tileRect(c, r);
            tile->move(rect.left, rect.top);
            labels_[static_cast<std::size_t>(index)] = tile;
        }
    }
    // The cursor's place at reset shows blue from the start.
    label(34).setBackground(toQColor(layout::kBlue));
    label(35).setBackground(toQColor(layout::kBlue));

    scoreValue_ = makeScoreLabel(this, layout::kScoreValue, QStringLiteral("0"), Qt::AlignRight);
    // score(0), the caption, never changes after this.
    makeScoreLabel(this, layout::kScoreCaption, QStringLiteral("SCORE"), Qt::AlignLeft);

    hog_ = new Sprite(this, hogImage());
    hog_->move(layout::kHogAtStart.left, layout::kHogAtStart.top);

    title_ = new TitlePanel(this);
}

Tile& Form1::label(int index) { return *labels_.at(static_cast<std::size_t>(index)); }

void Form1::centreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // A top-level widget's geometry is that of its drawing area, frame aside.
    QRect client(QPoint(), size());
    client.moveCenter(screen->availableGeometry().center());
    setGeometry(client);
}

// Keys are taken here, ahead of Qt's own handling, so that Tab and the
// arrows never move keyboard focus and no child ever sees a key.
bool Form1::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        if (onKeyPress)
            onKeyPress(static_cast<const QKeyEvent&>(*e));
        return true;
    }
    return QWidget::event(e);
}

void Form1::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int left = layout::kPoleX - layout::kPoleWidth / 2;
    p.fillRect(left, layout::kPoleTop, layout::kPoleWidth, layout::kPoleBottom - layout::kPoleTop + 1,
               toQColor(layout::kGrey));
}

} // namespace snoutsum
