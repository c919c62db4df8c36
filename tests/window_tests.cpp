// The real window, its controls and the Qt host services, drawn offscreen and
// checked pixel by pixel.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QRawFont>
#include <QTimer>
#include <string_view>

#include "form1.h"
#include "game.h"
#include "layout.h"
#include "pictures.h"
#include "qt_host.h"

using namespace snoutsum;

namespace {

QRgb rgb(layout::Rgb c) { return qRgb(c.r, c.g, c.b); }

struct Window {
    Form1 form;
    QtHost host{form};
    Game game{host};

    Window()
    {
        host.bind(game);
        game.Form_Load();
        form.show();
    }

    QImage grab() { return form.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    void press(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, qtKey, mods);
        QApplication::sendEvent(&form, &e);
    }
};

// Pixels of a rectangle that are not the given colour.
int countOther(const QImage& img, QRect r, QRgb colour)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += img.pixel(x, y) != colour;
    return n;
}

bool hasColour(const QImage& img, QRgb colour)
{
    return countOther(img, img.rect(), colour) < img.width() * img.height();
}

QRect tileRect(int c, int r)
{
    const auto t = layout::tileRect(c, r);
    return {t.left, t.top, t.width, t.height};
}

} // namespace

TEST(Form1, IsAFixedWindowWithItsCaptionAndNoMinimiseOrMaximise)
{
    Window w;
    EXPECT_EQ(w.grab().size(), QSize(233, 184)) << "drawn at a scale other than 1";
    EXPECT_EQ(w.form.windowTitle(), QStringLiteral("Snoutsum\u3000ver1.00"));
    EXPECT_EQ(w.form.size(), QSize(233, 184));
    EXPECT_EQ(w.form.minimumSize(), w.form.maximumSize());
    const auto flags = w.form.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(w.form.windowIcon().isNull());
}

TEST(TitleScreen, CoversTheWholeWindowAtStart)
{
    Window w;
    const QImage img = w.grab();
    // Nothing of the board, the score, the pole or the pig shows through.
    EXPECT_FALSE(hasColour(img, rgb(layout::kBlue)));
    EXPECT_FALSE(hasColour(img, rgb(layout::kGrey)));
    EXPECT_FALSE(hasColour(img, rgb(layout::kTileBorder)));
    // What shows is the panel's own picture and nothing else.
    EXPECT_EQ(img, w.form.title().picture().copy(0, 0, 233, 184));
    EXPECT_TRUE(hasColour(img, rgb(layout::kNamePink)));
    EXPECT_TRUE(hasColour(img, rgb(layout::kShadow)));
    EXPECT_TRUE(hasColour(img, rgb(layout::kWhite)));
}

TEST(TitleScreen, ShadowShowsOnlyBelowAndRightOfTheName)
{
    Window w;
    const QImage img = w.grab();
    int shadow = 0;
    for (int y = 3; y < img.height(); ++y) {
        for (int x = 3; x < img.width(); ++x) {
            if (img.pixel(x, y) != rgb(layout::kShadow))
                continue;
            ++shadow;
            // The front copy lies 3 up and 3 left: a shadow pixel is the image
            // of a front pixel there, left uncovered by the front copy.
            EXPECT_EQ(img.pixel(x - 3, y - 3), rgb(layout::kNamePink)) << "at " << x << "," << y;
        }
    }
    EXPECT_GT(shadow, 100);
}

TEST(TitleScreen, IsTheSameAfterAnyNumberOfGames)
{
    Window w;
    const QImage first = w.grab();
    for (int game = 0; game < 3; ++game) {
        w.press(Qt::Key_Space);
        w.press(Qt::Key_Z);
        // What the game-over sequence does once the message is dismissed.
        w.host.setTitleVisible(true);
        w.game.Form_Load();
    }
    EXPECT_EQ(w.grab(), first);
}

TEST(TitleScreen, KeyListFaceHasEveryGlyph)
{
    // A character missing from the face would come out as a box.
    const QRawFont face = QRawFont::fromFont(gothicFont(layout::pointsToPixels(10)));
    ASSERT_TRUE(face.isValid());
    for (const char32_t ch : std::u32string_view(U"｢｣･↑↓←→zupdownleftrightexchange"))
        EXPECT_TRUE(face.supportsCharacter(ch)) << "U+" << std::hex << static_cast<unsigned>(ch);
}

TEST(Board, StartKeyShowsTilesWithTheCursorBlueAtColumnThreeRowsFourAndFive)
{
    Window w;
    w.press(Qt::Key_Left); // the start key does not move the cursor
    const QImage img = w.grab();
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 5; ++r) {
            const bool cursor = c == 3 && (r == 4 || r == 5);
            const QRgb fill = rgb(cursor ? layout::kBlue : layout::kBlack);
            const QRect t = tileRect(c, r);
            // A strip inside the border, clear of the centred digit.
            EXPECT_EQ(countOther(img, QRect(t.left() + 1, t.top() + 1, 31, 3), fill), 0) << c << "," << r;
            EXPECT_EQ(countOther(img, QRect(t.left() + 1, t.top() + 1, 3, 31), fill), 0) << c << "," << r;
        }
    }
}

TEST(Board, NeighbouringTilesShareOneBorderLine)
{
    Window w;
    w.press(Qt::Key_Space);
    const QImage img = w.grab();
    const QRgb border = rgb(layout::kTileBorder);
    // Border lines at x = 8, 40, 72, 104, 136 and y = 16, 48, ..., 176, one pixel each.
    for (int x = 8; x <= 136; x += 32)
        EXPECT_EQ(countOther(img, QRect(x, 16, 1, 161), border), 0) << "column line at x " << x;
    for (int y = 16; y <= 176; y += 32)
        EXPECT_EQ(countOther(img, QRect(8, y, 129, 1), border), 0) << "row line at y " << y;
    // Right beside a shared line is the tiles' own background, not a second line.
    EXPECT_EQ(img.pixel(41, 20), rgb(layout::kBlack));
    EXPECT_EQ(img.pixel(39, 20), rgb(layout::kBlack));
    EXPECT_EQ(img.pixel(7, 20), rgb(layout::kBlack));
    EXPECT_EQ(img.pixel(137, 20), rgb(layout::kBlack));
}

TEST(Board, PoleAndPigStandAtTheirPlaces)
{
    Window w;
    w.press(Qt::Key_Space); // no tick has run, so the pig is where the layout put it
    const QImage img = w.grab();
    const QRgb grey = rgb(layout::kGrey);
    EXPECT_EQ(countOther(img, QRect(138, 18, 5, 126), grey), 0) << "pole above the pig";
    EXPECT_EQ(countOther(img, QRect(138, 144, 2, 32), grey), 0) << "pole left of the pig";
    EXPECT_EQ(countOther(img, QRect(137, 18, 1, 158), rgb(layout::kBlack)), 0);
    EXPECT_EQ(countOther(img, QRect(143, 18, 1, 126), rgb(layout::kBlack)), 0);
    EXPECT_EQ(countOther(img, QRect(138, 17, 5, 1), rgb(layout::kBlack)), 0);
    EXPECT_EQ(countOther(img, QRect(138, 176, 2, 8), rgb(layout::kBlack)), 0);
    EXPECT_EQ(img.copy(140, 144, 32, 32), hogImage().convertToFormat(QImage::Format_RGB32));
}

TEST(Board, ScoreZeroIsRightAligned)
{
    Window w;
    w.press(Qt::Key_Space);
    const QImage img = w.grab();
    const QRect label(184, 32, 33, 17);
    int leftmost = label.right() + 1;
    for (int y = label.top(); y <= label.bottom(); ++y)
        for (int x = label.left(); x <= label.right(); ++x)
            if (qGray(img.pixel(x, y)) > 128)
                leftmost = std::min(leftmost, x);
    ASSERT_LE(leftmost, label.right()) << "no digit drawn";
    EXPECT_GT(leftmost, label.left() + label.width() / 2);
}

TEST(Fonts, AreSizedInPixelsWhateverTheDesktopDpi)
{
    // main() forces the font DPI to 120.
    Window w;
    EXPECT_EQ(QFontInfo(w.form.label(11).font()).pixelSize(), 27);
    EXPECT_EQ(layout::pointsToPixels(35), 47);
    EXPECT_EQ(layout::pointsToPixels(10), 13);
}

struct KeyCase {
    int qtKey;
    int code;
};

class VirtualKeyCode : public ::testing::TestWithParam<KeyCase> {};

TEST_P(VirtualKeyCode, TranslatesAtTheEdge)
{
    EXPECT_EQ(virtualKeyCode(GetParam().qtKey), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Keys, VirtualKeyCode,
                         ::testing::Values(KeyCase{Qt::Key_Left, 37}, KeyCase{Qt::Key_Up, 38},
                                           KeyCase{Qt::Key_Right, 39}, KeyCase{Qt::Key_Down, 40},
                                           KeyCase{Qt::Key_Z, 90}, KeyCase{Qt::Key_A, 65},
                                           KeyCase{Qt::Key_0, 48}, KeyCase{Qt::Key_9, 57},
                                           KeyCase{Qt::Key_Space, 32}, KeyCase{Qt::Key_Return, 13},
                                           KeyCase{Qt::Key_Enter, 13}, KeyCase{Qt::Key_Escape, 27},
                                           KeyCase{Qt::Key_Shift, 16}, KeyCase{Qt::Key_Control, 17},
                                           KeyCase{Qt::Key_Alt, 18}, KeyCase{Qt::Key_F1, kUnlistedKey},
                                           KeyCase{Qt::Key_Tab, kUnlistedKey}));

TEST(Keys, ReachTheGameAtWindowLevelAndNeverMoveFocus)
{
    Window w;
    w.form.activateWindow();
    w.form.setFocus();
    QWidget* focus = QApplication::focusWidget();
    w.press(Qt::Key_Space);
    w.press(Qt::Key_Tab);
    w.press(Qt::Key_Left);
    w.press(Qt::Key_Up);
    EXPECT_EQ(w.game.curcol, 2);
    EXPECT_EQ(w.game.currow, 3);
    EXPECT_EQ(QApplication::focusWidget(), focus);
}

TEST(Keys, ShiftedZStillExchanges)
{
    Window w;
    w.press(Qt::Key_Space);
    // Keep the exchange from completing a row by making the two values differ
    // only in rows that cannot reach ten.
    w.game.cells[34] = 1;
    w.game.cells[35] = 2;
    for (int c : {1, 2, 4}) {
        w.game.cells[tileIndex(c, 4)] = 1;
        w.game.cells[tileIndex(c, 5)] = 1;
    }
    w.press(Qt::Key_Z, Qt::ShiftModifier);
    EXPECT_EQ(w.game.cells[34], 2);
    EXPECT_EQ(w.form.label(34).text(), QStringLiteral("2"));
    EXPECT_EQ(w.form.label(35).text(), QStringLiteral("1"));
}

TEST(Keys, AreDroppedWhileTheGateIsShut)
{
    Window w;
    w.press(Qt::Key_Space);
    w.host.setKeyGate(false);
    w.press(Qt::Key_Left);
    EXPECT_EQ(w.game.curcol, 3);
}

TEST(Timers, TickEverySixteenMillisecondsAndStopAtZero)
{
    Window w;
    EXPECT_FALSE(w.host.timerRunning(TimerId::Timer1));
    w.press(Qt::Key_Space);
    ASSERT_TRUE(w.host.timerRunning(TimerId::Timer1));
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 480)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    // 30 ticks in 480 ms; allow for a loaded machine but not for 1 ms ticks.
    const double climbed = 144 - w.game.pigy;
    EXPECT_GT(climbed, 0.1 * 20 - 1e-9);
    EXPECT_LT(climbed, 0.1 * 32 + 1e-9);
    w.host.setTimerInterval(TimerId::Timer1, 0);
    const double stopped = w.game.pigy;
    clock.restart();
    while (clock.elapsed() < 100)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(w.game.pigy, stopped);
}

TEST(GameOver, MessageHoldsTicksAndKeysThenTheTitleReturns)
{
    Window w;
    w.press(Qt::Key_Space);
    w.game.pigy = 16.05; // the next climb tick ends the game
    QString title, text;
    double pigyWhileOpen = 0;
    int startedWhileOpen = -1;
    QTimer poll;
    QElapsedTimer openFor;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (!openFor.isValid()) {
            openFor.start();
            title = box->windowTitle();
            text = box->text();
            pigyWhileOpen = w.game.pigy;
            // A key sent to the window now must not reach the game.
            w.press(Qt::Key_Left);
            startedWhileOpen = w.game.curcol;
            return;
        }
        if (openFor.elapsed() > 200) { // a dozen ticks' worth
            EXPECT_EQ(w.game.pigy, pigyWhileOpen) << "a climb tick ran while the message was open";
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll.start(10);
    QElapsedTimer limit;
    limit.start();
    while (!w.form.title().isVisible() && limit.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);

    EXPECT_EQ(title, QStringLiteral("GAME OVER"));
    EXPECT_EQ(text, QStringLiteral("SCORE 0"));
    EXPECT_EQ(startedWhileOpen, 3);
    EXPECT_TRUE(w.form.title().isVisible());
    EXPECT_FALSE(w.host.timerRunning(TimerId::Timer1));
    EXPECT_FALSE(w.host.timerRunning(TimerId::Timer2));
    EXPECT_TRUE(w.host.keyGateOpen());
    EXPECT_EQ(w.game.pigy, 144);
    EXPECT_EQ(w.game.started, 0);
}

int main(int argc, char** argv)
{
    // No display needed; and the font DPI forced away from 96, so any size
    // given in points rather than pixels would show.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "120");
    usePhysicalPixels();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
