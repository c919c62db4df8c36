// The slide-back after a clear, the refresh that ends it and its mend.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "fake_host.h"

using namespace snoutsum;
using namespace snoutsum::test;

namespace {

using Lines = std::vector<std::string>;
using Rows = std::array<const char*, 5>;

// Cursor at column 3, rows 4 and 5 (the reset place). Z makes row 4 of the
// first board add up to 10; on the second it completes rows 4 and 5.
const Rows kOneRowClear{"1111", "2222", "1111", "1233", "1141"};
const Rows kTwoRowClear{"1111", "2222", "1111", "1233", "2243"};

// Climbing phase, then the clearing Z with the pig at `pigy` and the clear's
// new values scripted.
void clearWith(Rig& rig, const Rows& board, double pigy, std::initializer_list<int> newValues)
{
    rig.startPlay();
    rig.setBoard(board);
    rig.showBoard();
    rig.game.pigy = pigy;
    rig.scriptValues(newValues);
    ASSERT_TRUE(rig.press(key::Z));
    ASSERT_TRUE(rig.host.running(TimerId::Timer2));
}

void expectRefreshedColours(FakeHost& h, int col, int row)
{
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 5; ++r) {
            const int i = tileIndex(c, r);
            const bool cursor = i == tileIndex(col, row) || i == tileIndex(col, row) + 1;
            EXPECT_STREQ(colourName(h.colour[i]), cursor ? "blue" : "black") << "tile " << i;
        }
}

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

} // namespace

// ---------------------------------------------------------------- slide table

struct SlideCase {
    const char* name;
    int rows;          // rows cleared at once
    double startPigy;  // when the clear happens
    int refreshTick;   // the slide tick that refreshes the board
    double endPigy;
};

std::ostream& operator<<(std::ostream& os, const SlideCase& c) { return os << c.name; }

class SlideTable : public ::testing::TestWithParam<SlideCase> {};

TEST_P(SlideTable, RefreshesOnThisTickAndNeverLetsPigyPass144)
{
    const SlideCase& tc = GetParam();
    Rig rig;
    if (tc.rows == 1)
        clearWith(rig, kOneRowClear, tc.startPigy, {1, 1, 1, 1});
    else
        clearWith(rig, kTwoRowClear, tc.startPigy, {1, 1, 1, 1, 2, 2, 2, 2});
    EXPECT_EQ(rig.game.slidelen, 50 * tc.rows);
    EXPECT_EQ(rig.game.points, tc.rows);

    for (int t = 1; t < tc.refreshTick; ++t) {
        const auto m = rig.mark();
        ASSERT_TRUE(rig.tick(TimerId::Timer2)) << "tick " << t;
        const Lines log = rig.since(m);
        ASSERT_EQ(log.size(), 2u) << "tick " << t << " did more than slide";
        EXPECT_EQ(log[0], "gate shut");
        EXPECT_EQ(rig.game.slidetick, t);
        EXPECT_EQ(rig.game.slidelen, 50 * tc.rows);
        ASSERT_LE(rig.game.pigy, 144.0) << "tick " << t;
        EXPECT_EQ(rig.game.pigy, std::min(tc.startPigy + t, 144.0)) << "tick " << t;
        EXPECT_FALSE(rig.host.gateOpen);
        EXPECT_TRUE(rig.host.running(TimerId::Timer2));
        EXPECT_FALSE(rig.host.running(TimerId::Timer1));
        EXPECT_FALSE(rig.press(key::Z)) << "a key got through on tick " << t;
        EXPECT_FALSE(rig.tick(TimerId::Timer1));
    }

    const auto m = rig.mark();
    ASSERT_TRUE(rig.tick(TimerId::Timer2));
    const Lines log = rig.since(m);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(Lines(log.end() - 3, log.end()), (Lines{"gate open", "Timer1 1", "Timer2 0"}))
        << "the refresh opens the gate, starts Timer1, then stops Timer2";
    EXPECT_EQ(rig.game.pigy, tc.endPigy);
    EXPECT_EQ(rig.host.spriteTop, static_cast<int>(tc.endPigy));
    EXPECT_EQ(rig.game.slidetick, 0);
    EXPECT_EQ(rig.game.slidelen, 0);
    EXPECT_TRUE(rig.host.gateOpen);
    EXPECT_TRUE(rig.host.running(TimerId::Timer1));
    EXPECT_FALSE(rig.host.running(TimerId::Timer2));
    EXPECT_FALSE(rig.tick(TimerId::Timer2)) << "no slide tick follows the refresh";
    EXPECT_EQ(rig.shownRows(), rig.boardRows());
    expectRefreshedColours(rig.host, 3, 4);
}

INSTANTIATE_TEST_SUITE_P(
    Slide, SlideTable,
    ::testing::Values(SlideCase{"OneRowFromTheFoot", 1, 144, 51, 144},
                      SlideCase{"OneRowFrom93ReachesTheFoot", 1, 93, 51, 144},
                      SlideCase{"OneRowFrom92StopsAbove", 1, 92, 51, 143},
                      SlideCase{"OneRowFrom16", 1, 16, 51, 67},
                      SlideCase{"TwoRowsFromTheFoot", 2, 144, 101, 144},
                      SlideCase{"TwoRowsFrom43ReachesTheFoot", 2, 43, 101, 144},
                      SlideCase{"TwoRowsFrom42StopsAbove", 2, 42, 101, 143},
                      SlideCase{"TwoRowsFrom16", 2, 16, 101, 117}),
    [](const ::testing::TestParamInfo<SlideCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- the pig's path

TEST(Slide, From100Point35DrawsTops101To143ThenHoldsAt144)
{
    Rig rig;
    clearWith(rig, kOneRowClear, 100.35, {1, 1, 1, 1});
    for (int t = 1; t <= 43; ++t) {
        ASSERT_TRUE(rig.tick(TimerId::Timer2));
        EXPECT_EQ(rig.host.spriteLeft, 138);
        EXPECT_EQ(rig.host.spriteTop, 100 + t) << "tick " << t;
        EXPECT_LT(rig.game.pigy, 144.0);
    }
    ASSERT_TRUE(rig.tick(TimerId::Timer2));
    EXPECT_EQ(rig.game.pigy, 144.0) << "tick 44 caps at exactly 144";
    EXPECT_EQ(rig.host.spriteTop, 144);
    for (int t = 45; t <= 51; ++t) {
        ASSERT_TRUE(rig.host.running(TimerId::Timer2)) << "refresh before tick " << t;
        ASSERT_TRUE(rig.tick(TimerId::Timer2));
        EXPECT_EQ(rig.game.pigy, 144.0) << "tick " << t;
        EXPECT_EQ(rig.host.spriteTop, 144);
    }
    EXPECT_FALSE(rig.host.running(TimerId::Timer2)) << "refresh on tick 51";
    EXPECT_TRUE(rig.host.running(TimerId::Timer1));
}

TEST(Slide, From143Point5TheFirstTickMakesExactly144)
{
    Rig rig;
    clearWith(rig, kOneRowClear, 143.5, {1, 1, 1, 1});
    ASSERT_TRUE(rig.tick(TimerId::Timer2));
    EXPECT_EQ(rig.game.pigy, 144.0);
    EXPECT_EQ(rig.host.spriteTop, 144);
}

TEST(Slide, From50EndsAt101AndTheNextClimbTickDrawsThereWithTheNewScore)
{
    Rig rig;
    rig.game.Form_Load();
    rig.scriptValues({1, 1, 1, 1});
    ASSERT_TRUE(rig.press(32));
    ASSERT_TRUE(rig.tick(TimerId::Timer1)); // the score text shows "0"
    rig.setBoard(kOneRowClear);
    rig.showBoard();
    rig.game.pigy = 50;
    ASSERT_TRUE(rig.press(key::Z));
    ASSERT_EQ(rig.game.points, 1);

    for (int t = 1; t <= 51; ++t) {
        ASSERT_TRUE(rig.tick(TimerId::Timer2)) << "tick " << t;
        EXPECT_EQ(rig.host.scoreText, "0") << "tick " << t;
    }
    EXPECT_EQ(rig.game.pigy, 101.0);
    EXPECT_EQ(rig.host.spriteTop, 101);
    EXPECT_FALSE(rig.host.running(TimerId::Timer2));

    const auto m = rig.mark();
    ASSERT_TRUE(rig.tick(TimerId::Timer1));
    EXPECT_EQ(rig.since(m), (Lines{"score 1", "sprite 138 101"}));
    EXPECT_EQ(rig.game.pigy, 101 - 2 * 0.1);
}

// ---------------------------------------------------------------- refresh

TEST(Refresh, RedTilesKeepTheirDigitsUntilTheRefreshWritesTheNewValues)
{
    Rig rig;
    clearWith(rig, kOneRowClear, 144, {2, 1, 1, 1});
    for (int t = 1; t <= 50; ++t) {
        const auto m = rig.mark();
        ASSERT_TRUE(rig.tick(TimerId::Timer2));
        for (const auto& entry : rig.since(m)) {
            EXPECT_FALSE(startsWith(entry, "text")) << "tick " << t << ": " << entry;
            EXPECT_FALSE(startsWith(entry, "colour")) << "tick " << t << ": " << entry;
        }
        ASSERT_EQ(rig.shownRows()[3], "1243") << "tick " << t;
        ASSERT_EQ(rig.host.colour[14], TileColour::Red);
        ASSERT_EQ(rig.host.colour[34], TileColour::Red);
        ASSERT_EQ(rig.host.colour[35], TileColour::Blue);
    }
    ASSERT_TRUE(rig.tick(TimerId::Timer2));
    EXPECT_EQ(rig.shownRows()[3], "2111");
    EXPECT_EQ(rig.shownRows(), rig.boardRows());
    expectRefreshedColours(rig.host, 3, 4);
}

TEST(Refresh, WritesRowByRowPaintsBlackAndCursorBlueMendsThenHandsBackToTheClimb)
{
    Rig rig;
    clearWith(rig, kOneRowClear, 144, {1, 3, 3, 3});
    for (int t = 1; t <= 50; ++t)
        ASSERT_TRUE(rig.tick(TimerId::Timer2));
    const auto cells = rig.game.cells;
    const auto m = rig.mark();
    ASSERT_TRUE(rig.tick(TimerId::Timer2));

    Lines expected{"gate shut", "sprite 138 144"};
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 4; ++c) {
            const int i = tileIndex(c, r);
            expected.push_back("text " + std::to_string(i) + " " + std::to_string(cells[i]));
            expected.push_back("colour " + std::to_string(i) + " black");
            expected.push_back("colour 34 blue");
            expected.push_back("colour 35 blue");
        }
        if (r == 4)
            expected.push_back("text 14 4"); // 1 3 3 3: 1 - 1 = 0 wraps to 4
    }
    expected.insert(expected.end(), {"gate open", "Timer1 1", "Timer2 0"});
    EXPECT_EQ(rig.since(m), expected);
    EXPECT_EQ(rig.boardRows()[3], "4333");
}

struct MendCase {
    const char* name;
    std::array<int, 4> newValues;
    const char* shown;
};

std::ostream& operator<<(std::ostream& os, const MendCase& c) { return os << c.name; }

class RefreshMend : public ::testing::TestWithParam<MendCase> {};

TEST_P(RefreshMend, SubtractsOneFromColumnOneOfACompleteRowAndWrapsZeroToFour)
{
    const MendCase& tc = GetParam();
    Rig rig;
    const auto& v = tc.newValues;
    clearWith(rig, kOneRowClear, 144, {v[0], v[1], v[2], v[3]});
    const auto before = rig.boardRows();
    for (int t = 1; t <= 51; ++t)
        ASSERT_TRUE(rig.tick(TimerId::Timer2));
    ASSERT_FALSE(rig.host.running(TimerId::Timer2));

    auto want = before;
    want[3] = tc.shown;
    EXPECT_EQ(rig.boardRows(), want);
    EXPECT_EQ(rig.shownRows(), want);
    for (int r = 1; r <= 5; ++r)
        EXPECT_NE(rig.game.rowsum(r), 10) << "row " << r;
    expectRefreshedColours(rig.host, 3, 4);
}

INSTANTIATE_TEST_SUITE_P(
    Refresh, RefreshMend,
    ::testing::Values(MendCase{"OneWrapsToFour", {1, 3, 3, 3}, "4333"},
                      MendCase{"FourToThree", {4, 2, 2, 2}, "3222"},
                      MendCase{"TwoToOne", {2, 2, 4, 2}, "1242"},
                      MendCase{"ThreeToTwo", {3, 1, 3, 3}, "2133"},
                      MendCase{"NotTenUnchanged", {1, 1, 2, 2}, "1122"},
                      MendCase{"ElevenUnchanged", {4, 4, 2, 1}, "4421"}),
    [](const ::testing::TestParamInfo<MendCase>& info) { return std::string(info.param.name); });

TEST(Refresh, DoubleClearMendsBothRowsOnTick101)
{
    Rig rig;
    clearWith(rig, kTwoRowClear, 144, {1, 3, 3, 3, 4, 2, 2, 2});
    for (int t = 1; t <= 100; ++t) {
        ASSERT_TRUE(rig.tick(TimerId::Timer2));
        ASSERT_TRUE(rig.host.running(TimerId::Timer2)) << "refresh early, on tick " << t;
    }
    EXPECT_EQ(rig.shownRows()[3], "1243");
    EXPECT_EQ(rig.shownRows()[4], "2233");
    ASSERT_TRUE(rig.tick(TimerId::Timer2));
    EXPECT_FALSE(rig.host.running(TimerId::Timer2));
    EXPECT_EQ(rig.boardRows()[3], "4333");
    EXPECT_EQ(rig.boardRows()[4], "3222");
    EXPECT_EQ(rig.shownRows(), rig.boardRows());
    expectRefreshedColours(rig.host, 3, 4);
    EXPECT_EQ(rig.game.points, 2);
}

TEST(Refresh, CursorInAClearedRowIsBlueAgainAndTheRowBlack)
{
    Rig rig;
    clearWith(rig, kOneRowClear, 144, {1, 1, 1, 1});
    EXPECT_EQ(rig.host.colour[34], TileColour::Red);
    EXPECT_EQ(rig.host.colour[35], TileColour::Blue);
    for (int t = 1; t <= 51; ++t)
        ASSERT_TRUE(rig.tick(TimerId::Timer2));
    expectRefreshedColours(rig.host, 3, 4);

    // Keys work again, and the next clear slides afresh.
    ASSERT_TRUE(rig.press(key::Up));
    EXPECT_EQ(rig.game.currow, 3);
}
