// One game in a real window: the program under a private Xvfb, driven by real
// X key events (XTest) and judged from screenshots of its drawing area.
// The tests of the suite are the steps of that one game and run in order;
// a step that cannot start because an earlier one failed is skipped.
#include "screen_reading.h"
#include "x_close.h"
#include "x_session.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <array>
#include <functional>
#include <iostream>
#include <memory>
#include <thread>

using namespace rw;
using namespace std::chrono_literals;

namespace {

const std::string kWindowName = "Snoutsum\u3000ver1.00";
constexpr QRgb kBlack = 0xff000000u, kBlue = 0xff0000ffu, kRed = 0xffff0000u, kGrey = 0xff808080u;
constexpr QRgb kNameColour = 0xffffb5b7u, kShadowColour = 0xffff6464u, kWhite = 0xffffffffu;

// Digits of the board, [column][row], 1-based.
using Board = std::array<std::array<int, 6>, 5>;

int countColour(const QImage &image, QRgb colour, const QRect &area)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (image.pixel(x, y) | 0xff000000u) == colour;
    return n;
}

// The background of every tile as a letter, one line per row:
// K black, B blue, R red, ? anything else.
std::string tileColours(const QImage &client)
{
    std::string s;
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 4; ++c) {
            const QRgb bg = tileBackground(client, c, r);
            s += bg == kBlack ? 'K' : bg == kBlue ? 'B' : bg == kRed ? 'R' : '?';
        }
        s += '\n';
    }
    return s;
}

std::string cursorAt(int column, int upperRow)
{
    std::string s;
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 4; ++c)
            s += (c == column && (r == upperRow || r == upperRow + 1)) ? 'B' : 'K';
        s += '\n';
    }
    return s;
}

std::string boardText(const Board &b)
{
    std::string s;
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 4; ++c)
            s += static_cast<char>('0' + b[c][r]);
        s += '\n';
    }
    return s;
}

int rowSum(const Board &b, int row)
{
    return b[1][row] + b[2][row] + b[3][row] + b[4][row];
}

// The longest vertical line of the pole's grey in the pole's columns.
int longestGreyRun(const QImage &client)
{
    int longest = 0;
    for (int x = 138; x <= 142; ++x) {
        int run = 0;
        for (int y = 0; y < client.height(); ++y) {
            run = (client.pixel(x, y) | 0xff000000u) == kGrey ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

// The topmost row of the pig: the sprite is the only thing drawn right of
// the pole and left of the score labels.
int pigTop(const QImage &client)
{
    for (int y = 0; y < kClientHeight; ++y)
        for (int x = 144; x <= 169; ++x)
            if ((client.pixel(x, y) | 0xff000000u) != kBlack)
                return y;
    return -1;
}

// The game built with the test; SNOUTSUM_GAME_UNDER_TEST names another
// build to run the same checks against.
std::string gamePath()
{
    const QByteArray other = qgetenv("SNOUTSUM_GAME_UNDER_TEST");
    return other.isEmpty() ? std::string(SNOUTSUM_GAME) : other.toStdString();
}

struct Session {
    std::string outDir;
    std::string runtimeDir;
    std::unique_ptr<XServer> server;
    std::unique_ptr<XTools> x;
    std::unique_ptr<ChildProcess> game;
    std::string window;
    QRect client;
    DigitReader digits;
    QImage firstTitle;
    Board board{};
    Clock::time_point started;
    int expectedScore = 0;

    ~Session()
    {
        game.reset();  // before its display goes
        server.reset();
        if (!runtimeDir.empty())
            QDir(QString::fromStdString(runtimeDir)).removeRecursively();
    }

    QImage grabScreen() const { return x->screenshot(); }
    QImage grabClient() const
    {
        const QImage screen = grabScreen();
        return screen.isNull() ? screen : screen.copy(client);
    }
};

std::unique_ptr<Session> session;
std::string setupError;
// Steps that later steps build on.
bool titleSeen = false, boardShown = false, gameOverSeen = false, titleBack = false;

class RealWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite() { session.reset(); }

    void SetUp() override
    {
        // Xvfb, xdotool and import are installed with everything else, so a
        // missing window is a failure, not a reason to skip.
        if (!session)
            FAIL() << "no game window: " << setupError;
    }

    void TearDown() override
    {
        // REAL_WINDOW_KEEP_SHOTS=1 keeps the pictures of passing steps too.
        const bool keepAll = qEnvironmentVariableIsSet("REAL_WINDOW_KEEP_SHOTS");
        if ((!HasFailure() && !keepAll) || shots_.empty())
            return;
        QDir().mkpath(QStringLiteral(FAILED_SHOTS_DIR));
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        for (const auto &[name, image] : shots_) {
            const QString path = QStringLiteral("%1/%2-%3.png")
                                     .arg(QStringLiteral(FAILED_SHOTS_DIR), QString::fromStdString(info->name()),
                                          QString::fromStdString(name));
            image.save(path);
            std::cerr << "saved " << path.toStdString() << "\n";
        }
    }

    // Keeps a picture to save if the test fails.
    QImage keep(const std::string &name, const QImage &image)
    {
        shots_.emplace_back(name, image);
        return image;
    }

    // Screenshots of the drawing area until the condition holds or time runs
    // out; the last one is kept either way.
    QImage waitForClient(const std::string &name, const std::function<bool(const QImage &)> &ok,
                         Millis timeout)
    {
        const auto deadline = Clock::now() + timeout;
        QImage image;
        do {
            image = session->grabClient();
            if (!image.isNull() && ok(image))
                break;
            std::this_thread::sleep_for(50ms);
        } while (Clock::now() < deadline);
        return keep(name, image);
    }

    // Waits for the cursor at a place and checks that it stays there, so
    // that a key still on its way cannot go unnoticed.
    void expectCursorSettlesAt(const std::string &name, int column, int upperRow)
    {
        const std::string want = cursorAt(column, upperRow);
        QImage seen = waitForClient(name, [&](const QImage &i) { return tileColours(i) == want; }, 3000ms);
        std::this_thread::sleep_for(300ms);
        seen = keep(name + "-settled", session->grabClient());
        EXPECT_EQ(tileColours(seen), want) << "cursor expected at column " << column << ", rows " << upperRow
                                           << "-" << upperRow + 1;
    }

    bool press(const std::vector<std::string> &keys)
    {
        return session->x->keys(keys);
    }

    // Reads all 20 digits; any unclear tile fails the test with what was seen.
    Board readBoard(const QImage &client)
    {
        Board b{};
        for (int c = 1; c <= 4; ++c)
            for (int r = 1; r <= 5; ++r) {
                const Reading rd = session->digits.read(client, c, r);
                worstFit_ = std::max(worstFit_, rd.distance);
                closestRival_ = std::min(closestRival_, rd.runnerUpDistance);
                if (rd.clear()) {
                    b[c][r] = rd.text.toInt();
                } else {
                    ADD_FAILURE() << "tile column " << c << " row " << r << " not readable: best "
                                  << rd.text.toStdString() << " at " << rd.distance << ", then "
                                  << rd.runnerUp.toStdString() << " at " << rd.runnerUpDistance << "\n"
                                  << whiteInk(client, DigitReader::innerArea(c, r)).art();
                }
            }
        return b;
    }

    std::vector<std::pair<std::string, QImage>> shots_;
    double worstFit_ = 0, closestRival_ = 1e9;  // over the digits read
};

void RealWindow::SetUpTestSuite()
{
    auto s = std::make_unique<Session>();
    s->outDir = FAILED_SHOTS_DIR;
    // Only this run's pictures and logs, so none of an earlier run mislead.
    QDir(QString::fromStdString(s->outDir)).removeRecursively();
    QDir().mkpath(QString::fromStdString(s->outDir));
    char runtimeTemplate[] = "/tmp/snoutsum-rw-XXXXXX";
    if (mkdtemp(runtimeTemplate) == nullptr) {
        setupError = "mkdtemp failed";
        return;
    }
    s->runtimeDir = runtimeTemplate;
    try {
        s->server = std::make_unique<XServer>(s->outDir + "/xvfb.log");
    } catch (const std::exception &e) {
        setupError = e.what();
        return;
    }
    s->x = std::make_unique<XTools>(s->server->display());
    Environment env = s->x->environment();
    env.set("XDG_RUNTIME_DIR", s->runtimeDir);
    s->game = std::make_unique<ChildProcess>(std::vector<std::string>{gamePath()}, env,
                                             s->outDir + "/game-stderr.log");

    const auto deadline = Clock::now() + 15s;
    while (Clock::now() < deadline) {
        const auto found = s->x->findVisible("^Snoutsum");
        if (found.size() == 1) {
            s->window = found.front();
            break;
        }
        if (s->game->waitForExit(0ms)) {
            setupError = "the game ended at start-up (see " + s->outDir + "/game-stderr.log)";
            return;
        }
        std::this_thread::sleep_for(100ms);
    }
    if (s->window.empty()) {
        setupError = "no visible window named Snoutsum within 15 s";
        return;
    }
    const auto geometry = s->x->geometry(s->window);
    if (!geometry) {
        setupError = "no geometry for window " + s->window;
        return;
    }
    s->client = *geometry;
    session = std::move(s);
}

TEST_F(RealWindow, OpensCentredOnTheTitleScreenWithItsCaption)
{
    EXPECT_EQ(session->x->windowName(session->window), kWindowName);
    const QRect &g = session->client;
    EXPECT_EQ(g.size(), QSize(kClientWidth, kClientHeight));
    // With no window manager there is no frame: the drawing area itself is
    // centred, to the pixel (allowing one for rounding the odd width).
    EXPECT_NEAR(g.x(), (1024 - kClientWidth) / 2.0, 1.0) << "left edge";
    EXPECT_NEAR(g.y(), (768 - kClientHeight) / 2.0, 1.0) << "top edge";

    // The first picture must be the settled title, not a half-drawn frame:
    // wait for the name, then take the picture that the end of the game is
    // compared with.
    const QImage title = waitForClient(
        "title", [](const QImage &i) { return countColour(i, kNameColour, i.rect()) > 150; }, 5000ms);
    std::this_thread::sleep_for(300ms);
    session->firstTitle = keep("title-settled", session->grabClient());
    const QImage &t = session->firstTitle;
    ASSERT_FALSE(t.isNull());
    EXPECT_EQ(t, title) << "the title screen changed by itself";

    const QRect nameArea(0, 0, kClientWidth, 64);
    EXPECT_GT(countColour(t, kNameColour, nameArea), 150) << "the name in its colour";
    EXPECT_GT(countColour(t, kShadowColour, nameArea), 30) << "the name's shadow";
    EXPECT_GT(whiteInk(t, QRect(0, 64, kClientWidth, kClientHeight - 64)).total(), 150.0f) << "the key list";
    // Nothing of the board, the cursor or the pole shows through. (Smoothed
    // white text has grey pixels too, but never a long line of them.)
    EXPECT_EQ(countColour(t, kBlue, t.rect()), 0);
    EXPECT_LT(longestGreyRun(t), 10) << "the pole";
    EXPECT_EQ(countColour(t, kNameColour, QRect(0, 64, kClientWidth, kClientHeight - 64)), 0);
    titleSeen = !HasFailure();
}

TEST_F(RealWindow, FirstKeyShowsTheBoardWithTheCursorUnmoved)
{
    if (!titleSeen)
        GTEST_SKIP() << "the title screen was not seen";
    ASSERT_TRUE(session->x->focus(session->window));
    // Left: if the starting key also moved the cursor, it would be in column 2.
    ASSERT_TRUE(press({"Left"}));
    session->started = Clock::now();
    expectCursorSettlesAt("board", 3, 4);

    const QImage board = keep("board-read", session->grabClient());
    EXPECT_EQ(countColour(board, kNameColour, board.rect()), 0) << "the title must be gone";
    session->board = readBoard(board);
    std::cerr << "digits read: worst fit " << worstFit_ << ", nearest other digit " << closestRival_
              << "\n"
              << boardText(session->board);
    // The pole: 5 pixels wide, centred on x 140, above the pig.
    for (int y = 24; y <= 100; y += 4) {
        EXPECT_EQ(QColor(board.pixel(137, y)), QColor(Qt::black)) << "left of the pole, y " << y;
        for (int x = 138; x <= 142; ++x)
            EXPECT_EQ(QColor(board.pixel(x, y)), QColor(128, 128, 128)) << "the pole at " << x << "," << y;
        EXPECT_EQ(QColor(board.pixel(143, y)), QColor(Qt::black)) << "right of the pole, y " << y;
    }
    EXPECT_GT(whiteInk(board, QRect(184, 32, 33, 17)).total(), 10.0f) << "the score";
    // The later steps need the cursor where it starts and every digit read.
    boardShown = tileColours(board) == cursorAt(3, 4) &&
                 std::all_of(session->board.begin() + 1, session->board.end(), [](const auto &column) {
                     return std::all_of(column.begin() + 1, column.end(), [](int d) { return d != 0; });
                 });
}

TEST_F(RealWindow, ArrowsMoveTheCursorAndStopAtTheEdges)
{
    if (!boardShown)
        GTEST_SKIP() << "the board was not shown";
    struct Step {
        const char *key;
        int times;
        int column, upperRow;  // where the cursor ends
    };
    // Each run presses once or twice more than there is room for.
    const Step steps[] = {{"Left", 3, 1, 4}, {"Up", 4, 1, 1}, {"Right", 5, 4, 1}, {"Down", 5, 4, 4}};
    for (const Step &s : steps) {
        SCOPED_TRACE(std::string(s.key) + " x" + std::to_string(s.times));
        ASSERT_TRUE(press(std::vector<std::string>(static_cast<size_t>(s.times), s.key)));
        expectCursorSettlesAt(std::string(s.key), s.column, s.upperRow);
    }
    const QImage after = keep("after-moves", session->grabClient());
    EXPECT_EQ(boardText(readBoard(after)), boardText(session->board)) << "moving changes no digit";
}

TEST_F(RealWindow, PigClimbsThePoleWhileTheBoardIsPlayed)
{
    if (!boardShown)
        GTEST_SKIP() << "the board was not shown";
    const QImage before = keep("pig-before", session->grabClient());
    const auto t0 = Clock::now();
    std::this_thread::sleep_for(1000ms);
    const QImage after = keep("pig-after", session->grabClient());
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    const int y0 = pigTop(before), y1 = pigTop(after);
    ASSERT_GE(y0, 0) << "no pig";
    // 0.1 pixel per 16 ms tick is 6.25 pixels a second.
    EXPECT_LT(y1, y0) << "the pig must climb";
    EXPECT_NEAR((y0 - y1) / seconds, 6.25, 3.0) << "climb in pixels per second, from " << y0 << " to " << y1;
}

TEST_F(RealWindow, ZSwapsTheTwoDigitsUnderTheCursor)
{
    if (!boardShown)
        GTEST_SKIP() << "the board was not shown";
    const Board &b = session->board;
    // Where to swap: two different digits (so the swap shows) that make no
    // row add up to 10 (so nothing is cleared); the nearest such place to
    // the cursor at column 4, rows 4-5. Failing that, any two different digits.
    int bestC = 0, bestR = 0, bestCost = 1000;
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 4; ++r) {
            if (b[c][r] == b[c][r + 1])
                continue;
            Board after = b;
            std::swap(after[c][r], after[c][r + 1]);
            const bool clears = rowSum(after, r) == 10 || rowSum(after, r + 1) == 10;
            const int cost = (4 - c) + (4 - r) + (clears ? 100 : 0);
            if (cost < bestCost) {
                bestCost = cost;
                bestC = c;
                bestR = r;
            }
        }
    ASSERT_GT(bestC, 0) << "every column holds one digit throughout:\n" << boardText(b);

    std::vector<std::string> moves(static_cast<size_t>(4 - bestC), "Left");
    moves.insert(moves.end(), static_cast<size_t>(4 - bestR), "Up");
    if (!moves.empty()) {
        ASSERT_TRUE(press(moves));
        expectCursorSettlesAt("to-swap", bestC, bestR);
    }
    Board want = b;
    std::swap(want[bestC][bestR], want[bestC][bestR + 1]);
    std::string colours = cursorAt(bestC, bestR);
    for (int r = 1; r <= 5; ++r)
        if (rowSum(want, r) == 10) {
            // Cleared: red, old digits kept on screen until the slide ends.
            colours.replace(static_cast<size_t>((r - 1) * 5), 4, "RRRR");
            ++session->expectedScore;
        }
    ASSERT_TRUE(press({"z"}));
    const QImage swapped = waitForClient(
        "swapped",
        [&](const QImage &i) {
            return session->digits.read(i, bestC, bestR).text.toInt() == want[bestC][bestR] &&
                   session->digits.read(i, bestC, bestR + 1).text.toInt() == want[bestC][bestR + 1];
        },
        3000ms);
    EXPECT_EQ(boardText(readBoard(swapped)), boardText(want))
        << "swapped column " << bestC << ", rows " << bestR << "-" << bestR + 1 << "; before:\n"
        << boardText(b);
    EXPECT_EQ(tileColours(swapped), colours);
    session->board = want;
}

TEST_F(RealWindow, LeftAloneTheGameEndsWithAScoreMessage)
{
    if (!boardShown)
        GTEST_SKIP() << "the board was not shown";
    // 1281 ticks of 16 ms at score 0 is 20.5 s from the first key.
    std::vector<std::string> found;
    const auto deadline = session->started + 45s;
    while (Clock::now() < deadline) {
        found = session->x->findVisible("^GAME OVER$");
        if (!found.empty())
            break;
        std::this_thread::sleep_for(100ms);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - session->started).count();
    ASSERT_EQ(found.size(), 1u) << "no single GAME OVER window after " << seconds << " s";
    std::cerr << "game over after " << seconds << " s\n";
    if (session->expectedScore == 0) {
        EXPECT_GT(seconds, 18.0) << "too early for 1281 ticks of 16 ms";
    }
    EXPECT_EQ(session->x->windowName(found.front()), "GAME OVER");

    const auto box = session->x->geometry(found.front());
    ASSERT_TRUE(box.has_value());
    QStringList candidates;
    for (int s = 0; s <= 9; ++s)
        candidates << QStringLiteral("SCORE %1").arg(s);
    candidates << QStringLiteral("SCORE0") << QStringLiteral("SCORE  0") << QStringLiteral("SCORE 10");
    // The message box uses the toolkit's default face, which depends on the
    // fonts installed; the default here is the same one, found the same way.
    QStringList faces{QGuiApplication::font().family(), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("IPAPGothic")};
    faces.removeDuplicates();
    const LineReader reader(faces);
    const QString want = QStringLiteral("SCORE %1").arg(session->expectedScore);
    // Give the box a moment to be drawn.
    Reading r;
    QImage dialog;
    const auto readBy = Clock::now() + 3s;
    do {
        const QImage screen = session->grabScreen();
        dialog = screen.copy(*box);
        keep("message-screen", screen);
        r = reader.read(dialog, candidates);
        if (r.clear() && r.text == want)
            break;
        std::this_thread::sleep_for(200ms);
    } while (Clock::now() < readBy);
    keep("message", dialog);
    std::cerr << "message read as \"" << r.text.toStdString() << "\" (" << r.detail.toStdString()
              << ", distance " << r.distance << "; next \"" << r.runnerUp.toStdString() << "\" at "
              << r.runnerUpDistance << ")\n";
    EXPECT_EQ(r.text, want) << "read as " << r.text.toStdString() << " (" << r.detail.toStdString()
                            << ", distance " << r.distance << ")";
    EXPECT_TRUE(r.clear()) << "best " << r.distance << ", runner-up " << r.runnerUp.toStdString() << " at "
                           << r.runnerUpDistance;
    gameOverSeen = true;
}

TEST_F(RealWindow, EnterDismissesTheMessageAndTheSameTitleReturns)
{
    if (!gameOverSeen)
        GTEST_SKIP() << "no game-over message";
    const auto boxes = session->x->findVisible("^GAME OVER$");
    ASSERT_EQ(boxes.size(), 1u);
    ASSERT_TRUE(session->x->focus(boxes.front()));
    ASSERT_TRUE(press({"Return"}));
    const QImage &first = session->firstTitle;
    const QImage back = waitForClient("title-again", [&](const QImage &i) { return i == first; }, 3000ms);
    EXPECT_TRUE(session->x->findVisible("^GAME OVER$").empty()) << "the message is still open";
    int differing = 0;
    for (int y = 0; y < back.height() && back.size() == first.size(); ++y)
        for (int x = 0; x < back.width(); ++x)
            differing += back.pixel(x, y) != first.pixel(x, y);
    EXPECT_TRUE(back == first) << differing << " pixels differ from the first title screen";
    if (HasFailure())
        keep("title-first", first);

    // The climb stopped with the message: no second message, no change.
    std::this_thread::sleep_for(1500ms);
    EXPECT_TRUE(session->x->findVisible("^GAME OVER$").empty()) << "a second game-over message";
    EXPECT_TRUE(keep("title-later", session->grabClient()) == first) << "the title screen changed";
    EXPECT_EQ(session->x->windowName(session->window), kWindowName);
    titleBack = !HasFailure();
}

TEST_F(RealWindow, ClosingTheWindowEndsTheProgramWithStatusZero)
{
    if (!titleBack)
        GTEST_SKIP() << "the game did not come back to its title";
    ASSERT_TRUE(requestClose(session->server->display(), std::stoul(session->window)));
    const auto status = session->game->waitForExit(5000ms);
    ASSERT_TRUE(status.has_value()) << "still running 5 s after the close request";
    EXPECT_EQ(*status, 0);
}

TEST(WithoutADisplay, TheGameSaysSoInOneLineAndExitsWithStatusOne)
{
    Environment env = Environment::inherited();
    env.unset("DISPLAY");
    env.unset("WAYLAND_DISPLAY");
    env.unset("QT_QPA_PLATFORM");
    const CommandResult r = runCommand({gamePath()}, env, 10000ms);
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "stderr:\n" << r.err;
    EXPECT_EQ(r.err.back(), '\n');
    EXPECT_TRUE(r.out.empty()) << r.out;
}

}  // namespace
