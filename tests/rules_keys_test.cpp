// The start key, cursor moves, other keys, the exchange and row clears.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "fake_host.h"

using namespace snoutsum;
using namespace snoutsum::test;

namespace {

using Lines = std::vector<std::string>;

// The repaint of step 3: all 20 tiles black, column by column, then the two
// cursor tiles blue, top first.
Lines repaint(int col, int row)
{
    Lines log;
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 5; ++r)
            log.push_back("colour " + std::to_string(tileIndex(c, r)) + " black");
    log.push_back("colour " + std::to_string(tileIndex(col, row)) + " blue");
    log.push_back("colour " + std::to_string(tileIndex(col, row) + 1) + " blue");
    return log;
}

Lines operator+(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The clear of one row: each tile red then its new draw, then the hand-over.
Lines clearLog(int row)
{
    Lines log;
    for (int c = 1; c <= 4; ++c) {
        log.push_back("colour " + std::to_string(tileIndex(c, row)) + " red");
        log.push_back("random");
    }
    return log + Lines{"gate shut", "Timer1 0", "Timer2 1"};
}

// Colours as painted: the listed tiles in their colour, every other tile black.
void expectColours(FakeHost& h, const std::map<int, TileColour>& special)
{
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 5; ++r) {
            const int i = tileIndex(c, r);
            const auto it = special.find(i);
            const TileColour want = it == special.end() ? TileColour::Black : it->second;
            EXPECT_STREQ(colourName(h.colour[i]), colourName(want)) << "tile " << i;
        }
}

// Rows 4 and 5 through the cursor at column 3: Z makes row 4 add up to 10
// (1 2 3 3 -> 1 2 4 3) and row 5 add up to 6.
const std::array<const char*, 5> kOneRowClear{"1111", "2222", "1111", "1233", "1141"};
// Sums 9 and 11, the bottom cursor value 1 above the top one: Z completes both.
const std::array<const char*, 5> kTwoRowClear{"1111", "2222", "1111", "1233", "2243"};
// Nothing completes whatever the cursor exchanges in column 3 rows 4, 5.
const std::array<const char*, 5> kQuiet{"1111", "2222", "1111", "1112", "1141"};

} // namespace

// ---------------------------------------------------------------- start key

class StartKey : public ::testing::TestWithParam<int> {};

TEST_P(StartKey, OnlyStartsPlayAndRepaintsWithTheCursorInPlace)
{
    Rig rig;
    rig.game.Form_Load();
    // Z on this board would complete both cursor rows; Up, Down, Left, Right
    // would all move the cursor from column 3, row 4.
    rig.setBoard(kTwoRowClear);
    rig.showBoard();
    const auto cells = rig.game.cells;
    const auto texts = rig.host.text;
    const int draws = rig.host.draws;
    const auto m = rig.mark();

    std::int16_t code = static_cast<std::int16_t>(GetParam());
    rig.game.Form_KeyDown(code, 0);

    EXPECT_EQ(code, 0) << "the start key is zeroed through the reference";
    EXPECT_EQ(rig.since(m), (Lines{"title hidden", "Timer1 1"} + repaint(3, 4)));
    EXPECT_EQ(rig.game.started, 1);
    EXPECT_EQ(rig.game.curcol, 3);
    EXPECT_EQ(rig.game.currow, 4);
    EXPECT_EQ(rig.game.cells, cells);
    EXPECT_EQ(rig.host.text, texts);
    EXPECT_EQ(rig.host.draws, draws);
    EXPECT_EQ(rig.game.points, 0);
    EXPECT_EQ(rig.game.slidelen, 0);
    EXPECT_FALSE(rig.host.titleVisible);
    EXPECT_TRUE(rig.host.gateOpen);
    EXPECT_TRUE(rig.host.running(TimerId::Timer1));
    EXPECT_FALSE(rig.host.running(TimerId::Timer2));
    expectColours(rig.host, {{34, TileColour::Blue}, {35, TileColour::Blue}});

    // The next key is an ordinary one.
    const auto m2 = rig.mark();
    ASSERT_TRUE(rig.press(key::Up));
    EXPECT_EQ(rig.game.currow, 3);
    EXPECT_EQ(rig.since(m2), repaint(3, 3));
}

INSTANTIATE_TEST_SUITE_P(StartKey, StartKey,
                         ::testing::Values(key::Left, key::Up, key::Right, key::Down, key::Z, 32, 13),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Code" + std::to_string(info.param);
                         });

// ---------------------------------------------------------------- cursor

struct CursorCase {
    const char* name;
    int col, row;
    std::int16_t code;
    int wantCol, wantRow;
};

std::ostream& operator<<(std::ostream& os, const CursorCase& c) { return os << c.name; }

class CursorMove : public ::testing::TestWithParam<CursorCase> {};

TEST_P(CursorMove, MovesOneTileOrStopsAtTheEdgeAndRepaints)
{
    const CursorCase& tc = GetParam();
    Rig rig;
    rig.startPlay();
    rig.game.curcol = tc.col;
    rig.game.currow = tc.row;
    const auto cells = rig.game.cells;
    const auto m = rig.mark();

    ASSERT_TRUE(rig.press(tc.code));

    EXPECT_EQ(rig.game.curcol, tc.wantCol);
    EXPECT_EQ(rig.game.currow, tc.wantRow);
    EXPECT_EQ(rig.since(m), repaint(tc.wantCol, tc.wantRow));
    EXPECT_EQ(rig.game.cells, cells);
    const int top = tileIndex(tc.wantCol, tc.wantRow);
    expectColours(rig.host, {{top, TileColour::Blue}, {top + 1, TileColour::Blue}});
}

INSTANTIATE_TEST_SUITE_P(
    Cursor, CursorMove,
    ::testing::Values(
        // Moves.
        CursorCase{"UpFrom34", 3, 4, key::Up, 3, 3}, CursorCase{"DownFrom33", 3, 3, key::Down, 3, 4},
        CursorCase{"LeftFrom34", 3, 4, key::Left, 2, 4}, CursorCase{"RightFrom34", 3, 4, key::Right, 4, 4},
        // Against each of the four edges: ignored, no wrap.
        CursorCase{"UpAtRow1", 2, 1, key::Up, 2, 1}, CursorCase{"DownAtRow4", 3, 4, key::Down, 3, 4},
        CursorCase{"LeftAtColumn1", 1, 2, key::Left, 1, 2},
        CursorCase{"RightAtColumn4", 4, 3, key::Right, 4, 3},
        // The corners.
        CursorCase{"UpAtCorner11", 1, 1, key::Up, 1, 1}, CursorCase{"LeftAtCorner11", 1, 1, key::Left, 1, 1},
        CursorCase{"DownAtCorner44", 4, 4, key::Down, 4, 4},
        CursorCase{"RightAtCorner44", 4, 4, key::Right, 4, 4}),
    [](const ::testing::TestParamInfo<CursorCase>& info) { return std::string(info.param.name); });

TEST(Cursor, HeldArrowWalksToTheEdgeOneTilePerRepeat)
{
    Rig rig;
    rig.startPlay();
    const int wantCol[] = {2, 1, 1, 1};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(rig.press(key::Left));
        EXPECT_EQ(rig.game.curcol, wantCol[i]) << "repeat " << i;
    }
    const int wantRow[] = {3, 2, 1, 1, 1};
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(rig.press(key::Up));
        EXPECT_EQ(rig.game.currow, wantRow[i]) << "repeat " << i;
    }
    EXPECT_EQ(rig.host.colour[11], TileColour::Blue);
    EXPECT_EQ(rig.host.colour[12], TileColour::Blue);
    EXPECT_EQ(rig.host.colour[34], TileColour::Black);
}

// ---------------------------------------------------------------- other keys

TEST(KeyDown, KeysOutsideTheTableOnlyRepaint)
{
    std::vector<std::int16_t> codes{32, 13, 8, 9, 16, 17, 27, 0, 36, 41, 91, 122};
    for (std::int16_t d = 48; d <= 57; ++d) // digits
        codes.push_back(d);
    for (std::int16_t l = 65; l <= 89; ++l) // letters A to Y
        codes.push_back(l);

    Rig rig;
    rig.startPlay();
    rig.setBoard(kTwoRowClear); // a Z here would clear
    rig.showBoard();
    rig.game.curcol = 2;
    rig.game.currow = 2;
    for (std::int16_t code : codes) {
        SCOPED_TRACE("key code " + std::to_string(code));
        const auto cells = rig.game.cells;
        const auto texts = rig.host.text;
        const auto m = rig.mark();
        ASSERT_TRUE(rig.press(code));
        EXPECT_EQ(rig.since(m), repaint(2, 2));
        EXPECT_EQ(rig.game.cells, cells);
        EXPECT_EQ(rig.host.text, texts);
        EXPECT_EQ(rig.game.curcol, 2);
        EXPECT_EQ(rig.game.currow, 2);
        EXPECT_TRUE(rig.host.running(TimerId::Timer1));
        EXPECT_FALSE(rig.host.running(TimerId::Timer2));
        EXPECT_TRUE(rig.host.gateOpen);
    }
}

TEST(KeyDown, RepaintTurnsRedTilesBlackAndShowsTheCursor)
{
    Rig rig;
    rig.startPlay();
    for (int i : {11, 22, 33, 44, 45})
        rig.host.colour[i] = TileColour::Red;
    rig.host.colour[34] = TileColour::Black;
    ASSERT_TRUE(rig.press(32));
    expectColours(rig.host, {{34, TileColour::Blue}, {35, TileColour::Blue}});
}

// ---------------------------------------------------------------- exchange

TEST(Exchange, ZSwapsTheCursorValuesAndWritesTopThenBottomText)
{
    Rig rig;
    rig.startPlay();
    rig.setBoard(kQuiet);
    rig.showBoard();
    const auto m = rig.mark();
    ASSERT_TRUE(rig.press(key::Z));
    EXPECT_EQ(rig.since(m), (repaint(3, 4) + Lines{"text 34 4", "text 35 1"}));
    EXPECT_EQ(rig.game.cells[34], 4);
    EXPECT_EQ(rig.game.cells[35], 1);
    EXPECT_EQ(rig.game.hold, 1);
    EXPECT_EQ(rig.shownRows(), rig.boardRows());
    EXPECT_EQ(rig.game.points, 0);
    EXPECT_TRUE(rig.host.running(TimerId::Timer1));
}

TEST(Exchange, WorksWhateverTheShiftState)
{
    Rig rig;
    rig.startPlay();
    rig.setBoard(kQuiet);
    rig.showBoard();
    std::int16_t code = key::Z;
    rig.game.Form_KeyDown(code, 1);
    EXPECT_EQ(rig.game.cells[34], 4);
    EXPECT_EQ(rig.game.cells[35], 1);
}

TEST(Exchange, EqualValuesStillWriteBothTextsAndClearNothing)
{
    Rig rig;
    rig.startPlay();
    rig.setBoard({"1111", "2222", "1111", "1213", "1111"});
    rig.showBoard();
    const auto cells = rig.game.cells;
    const auto m = rig.mark();
    ASSERT_TRUE(rig.press(key::Z));
    EXPECT_EQ(rig.since(m), (repaint(3, 4) + Lines{"text 34 1", "text 35 1"}));
    EXPECT_EQ(rig.game.cells, cells);
    EXPECT_EQ(rig.game.points, 0);
}

TEST(Exchange, HeldZSwapsBackAndForth)
{
    Rig rig;
    rig.startPlay();
    rig.setBoard(kQuiet);
    rig.showBoard();
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(rig.press(key::Z));
        EXPECT_EQ(rig.game.cells[34], i % 2 == 0 ? 4 : 1) << "repeat " << i;
        EXPECT_EQ(rig.game.cells[35], i % 2 == 0 ? 1 : 4) << "repeat " << i;
        EXPECT_EQ(rig.host.text[34], i % 2 == 0 ? "4" : "1");
    }
}

// ---------------------------------------------------------------- clears

TEST(Clear, OneRowThroughTheCursorTurnsRedButTheOtherCursorTileStaysBlue)
{
    Rig rig;
    rig.startPlay();
    ASSERT_TRUE(rig.tick(TimerId::Timer1)); // score text "0" written
    rig.setBoard(kOneRowClear);
    rig.showBoard();
    rig.scriptValues({1, 3, 3, 3});
    const double pigy = rig.game.pigy;
    const auto m = rig.mark();

    ASSERT_TRUE(rig.press(key::Z));

    EXPECT_EQ(rig.since(m), (repaint(3, 4) + Lines{"text 34 4", "text 35 3"} + clearLog(4)));
    EXPECT_EQ(rig.game.points, 1);
    EXPECT_EQ(rig.game.slidelen, 50);
    EXPECT_EQ(rig.game.slidetick, 0);
    EXPECT_EQ(rig.game.pigy, pigy);
    EXPECT_EQ(rig.host.scoreText, "0") << "the point shows only at the next climb tick";
    // New values in the state, old digits (as exchanged) on red tiles.
    EXPECT_EQ(rig.boardRows()[3], "1333");
    EXPECT_EQ(rig.shownRows()[3], "1243");
    EXPECT_EQ(rig.shownRows()[4], "1131");
    expectColours(rig.host, {{14, TileColour::Red},
                             {24, TileColour::Red},
                             {34, TileColour::Red},
                             {44, TileColour::Red},
                             {35, TileColour::Blue}});
    EXPECT_FALSE(rig.host.gateOpen);
    EXPECT_FALSE(rig.host.running(TimerId::Timer1));
    EXPECT_TRUE(rig.host.running(TimerId::Timer2));
    EXPECT_FALSE(rig.press(key::Z)) << "the gate is shut";
    EXPECT_FALSE(rig.tick(TimerId::Timer1));
}

TEST(Clear, LowerCursorRowThroughTheCursorLeavesTheTopCursorTileBlue)
{
    Rig rig;
    rig.startPlay();
    // Cursor at column 2, rows 2 and 3: Z completes row 3 only.
    rig.game.curcol = 2;
    rig.game.currow = 2;
    rig.setBoard({"1111", "1411", "3121", "1111", "1111"});
    rig.showBoard();
    ASSERT_TRUE(rig.press(key::Z));
    EXPECT_EQ(rig.game.points, 1);
    expectColours(rig.host, {{13, TileColour::Red},
                             {23, TileColour::Red},
                             {33, TileColour::Red},
                             {43, TileColour::Red},
                             {22, TileColour::Blue}});
    EXPECT_EQ(rig.shownRows()[2], "3421");
    EXPECT_EQ(rig.shownRows()[1], "1111");
}

TEST(Clear, DoubleClearScoresTwoSlidesAHundredUpperRowFirst)
{
    Rig rig;
    rig.startPlay();
    rig.setBoard(kTwoRowClear);
    rig.showBoard();
    rig.game.points = 4;
    rig.scriptValues({1, 3, 3, 3, 4, 2, 2, 2});
    const auto m = rig.mark();

    ASSERT_TRUE(rig.press(key::Z));

    EXPECT_EQ(rig.since(m),
              (repaint(3, 4) + Lines{"text 34 4", "text 35 3"} + clearLog(4) + clearLog(5)));
    EXPECT_EQ(rig.game.points, 6);
    EXPECT_EQ(rig.game.slidelen, 100);
    EXPECT_EQ(rig.boardRows()[3], "1333");
    EXPECT_EQ(rig.boardRows()[4], "4222");
    EXPECT_EQ(rig.shownRows()[3], "1243");
    EXPECT_EQ(rig.shownRows()[4], "2233");
    std::map<int, TileColour> red;
    for (int c = 1; c <= 4; ++c)
        red[tileIndex(c, 4)] = red[tileIndex(c, 5)] = TileColour::Red;
    expectColours(rig.host, red);
    EXPECT_FALSE(rig.host.gateOpen);
    EXPECT_TRUE(rig.host.running(TimerId::Timer2));
    EXPECT_FALSE(rig.host.running(TimerId::Timer1));
}

TEST(Clear, NewValueFromADrawJustBelowOneIsFour)
{
    Rig rig;
    rig.startPlay();
    rig.setBoard(kOneRowClear);
    rig.showBoard();
    for (int i = 0; i < 4; ++i)
        rig.host.script.push_back(std::nextafter(1.0f, 0.0f));
    ASSERT_TRUE(rig.press(key::Z));
    EXPECT_EQ(rig.boardRows()[3], "4444");
}

TEST(Clear, RowAlreadyAtTenAwayFromTheCursorIsClearedToo)
{
    // Play never produces this board; the check looks at all five rows as
    // they stand after the exchange.
    Rig rig;
    rig.startPlay();
    rig.setBoard({"1234", "2222", "1111", "1112", "1141"});
    rig.showBoard();
    rig.scriptValues({1, 1, 1, 1});
    ASSERT_TRUE(rig.press(key::Z));
    EXPECT_EQ(rig.game.points, 1);
    EXPECT_EQ(rig.boardRows()[0], "1111");
    EXPECT_EQ(rig.host.colour[11], TileColour::Red);
    EXPECT_EQ(rig.host.colour[34], TileColour::Blue);
}

TEST(Clear, RowThroughTheCursorTakenAwayFromTenIsNotCleared)
{
    Rig rig;
    rig.startPlay();
    rig.setBoard({"1111", "2222", "1111", "1243", "1131"}); // row 4 at 10
    rig.showBoard();
    ASSERT_TRUE(rig.press(key::Z)); // row 4 becomes 1 2 3 3 = 9
    EXPECT_EQ(rig.game.points, 0);
    EXPECT_TRUE(rig.host.running(TimerId::Timer1));
    EXPECT_FALSE(rig.host.running(TimerId::Timer2));
}
