// Form_Load, the deal and its mend, and what the reset leaves alone.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "fake_host.h"

using namespace snoutsum;
using namespace snoutsum::test;

namespace {

using Rows = std::array<const char*, 5>;

std::array<std::string, 5> toStrings(const Rows& rows)
{
    std::array<std::string, 5> out;
    for (int r = 0; r < 5; ++r)
        out[r] = rows[r];
    return out;
}

// The log of a deal whose draws yield `dealt`: one draw, then that tile's text.
std::vector<std::string> dealLog(const Rows& dealt)
{
    std::vector<std::string> log;
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 5; ++r) {
            log.push_back("random");
            log.push_back("text " + std::to_string(tileIndex(c, r)) + " " + dealt[r - 1][c - 1]);
        }
    return log;
}

} // namespace

TEST(Deal, WritesEachTileTextRightAfterItsDrawInIndexOrder)
{
    Rig rig;
    const Rows dealt{"1231", "4122", "2222", "3113", "4441"};
    rig.scriptDeal(dealt);
    rig.game.Form_Load();

    std::vector<std::string> expected{"seed", "gate open"};
    const auto deal = dealLog(dealt);
    expected.insert(expected.end(), deal.begin(), deal.end());
    expected.push_back("draw title");
    EXPECT_EQ(rig.host.log, expected);
    EXPECT_EQ(rig.host.draws, 20);
    EXPECT_EQ(rig.boardRows(), toStrings(dealt));
    EXPECT_EQ(rig.shownRows(), toStrings(dealt));
}

struct DealMendCase {
    const char* name;
    Rows dealt;
    Rows after;
};

std::ostream& operator<<(std::ostream& os, const DealMendCase& c) { return os << c.name; }

class DealMend : public ::testing::TestWithParam<DealMendCase> {};

TEST_P(DealMend, AddsOneToColumnOneOfEachCompleteRowAndWrapsFiveToOne)
{
    const DealMendCase& tc = GetParam();
    Rig rig;
    rig.scriptDeal(tc.dealt);
    rig.game.Form_Load();

    EXPECT_EQ(rig.boardRows(), toStrings(tc.after));
    EXPECT_EQ(rig.shownRows(), toStrings(tc.after));
    for (int r = 1; r <= 5; ++r) {
        EXPECT_NE(rig.game.rowsum(r), 10) << "row " << r;
        for (int c = 2; c <= 4; ++c)
            EXPECT_EQ(rig.game.cells[tileIndex(c, r)], tc.dealt[r - 1][c - 1] - '0')
                << "column " << c << " of row " << r << " changed";
    }

    // The deal as drawn, then one text write for each mended row, top to
    // bottom, of its column-1 tile only, then the title.
    std::vector<std::string> expected{"seed", "gate open"};
    const auto deal = dealLog(tc.dealt);
    expected.insert(expected.end(), deal.begin(), deal.end());
    for (int r = 1; r <= 5; ++r)
        if (std::string(tc.dealt[r - 1]) != tc.after[r - 1])
            expected.push_back("text " + std::to_string(tileIndex(1, r)) + " " + tc.after[r - 1][0]);
    expected.push_back("draw title");
    EXPECT_EQ(rig.host.log, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Deal, DealMend,
    ::testing::Values(
        DealMendCase{"OneTwoThreeFour", {"1234", "1111", "1111", "1111", "1111"},
                     {"2234", "1111", "1111", "1111", "1111"}},
        DealMendCase{"FourWrapsToOne", {"1111", "4141", "1111", "1111", "1111"},
                     {"1111", "1141", "1111", "1111", "1111"}},
        DealMendCase{"AllFiveRows", {"1234", "4141", "2233", "3331", "4411"},
                     {"2234", "1141", "3233", "4331", "1411"}},
        DealMendCase{"LastRowOnly", {"2222", "3333", "4444", "1111", "3223"},
                     {"2222", "3333", "4444", "1111", "4223"}},
        DealMendCase{"NoneComplete", {"1231", "4122", "2222", "3113", "4441"},
                     {"1231", "4122", "2222", "3113", "4441"}}),
    [](const ::testing::TestParamInfo<DealMendCase>& info) { return std::string(info.param.name); });

TEST(Deal, DrawJustBelowOneStoresFourNeverFive)
{
    Rig rig;
    const float justBelowOne = std::nextafter(1.0f, 0.0f);
    for (int i = 0; i < 20; ++i)
        rig.host.script.push_back(justBelowOne);
    rig.game.Form_Load();
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 5; ++r) {
            EXPECT_EQ(rig.game.cells[tileIndex(c, r)], 4) << tileIndex(c, r);
            EXPECT_EQ(rig.host.text[tileIndex(c, r)], "4") << tileIndex(c, r);
        }
}

TEST(Deal, DrawOfZeroStoresOne)
{
    Rig rig;
    for (int i = 0; i < 20; ++i)
        rig.host.script.push_back(0.0f);
    rig.game.Form_Load();
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 5; ++r)
            EXPECT_EQ(rig.game.cells[tileIndex(c, r)], 1) << tileIndex(c, r);
}

TEST(FormLoad, LeavesEveryTileOneToFourShownAndNoRowAtTenOverManyDeals)
{
    Rig rig; // the fake host's own fixed-seed draws
    for (int run = 0; run < 500; ++run) {
        rig.game.Form_Load();
        for (int c = 1; c <= 4; ++c)
            for (int r = 1; r <= 5; ++r) {
                const int i = tileIndex(c, r);
                ASSERT_GE(rig.game.cells[i], 1) << "run " << run << " tile " << i;
                ASSERT_LE(rig.game.cells[i], 4) << "run " << run << " tile " << i;
                ASSERT_EQ(rig.host.text[i], std::to_string(rig.game.cells[i])) << "run " << run;
            }
        for (int r = 1; r <= 5; ++r)
            ASSERT_NE(rig.game.rowsum(r), 10) << "run " << run << " row " << r;
        // The 26 slots outside the board are never written.
        for (int i = 0; i < 46; ++i) {
            if (i % 10 == 0 || i % 10 > 5 || i < 10) {
                ASSERT_EQ(rig.game.cells[i], 0) << "slot " << i;
            }
        }
    }
}

TEST(FormLoad, ResetsTheFieldsAndLeavesColoursSpriteScoreTimersAndHoldAlone)
{
    Rig rig;
    rig.game.pigy = 20.5;
    rig.game.points = 7;
    rig.game.curcol = 1;
    rig.game.currow = 1;
    rig.game.slidetick = 5;
    rig.game.slidelen = 50;
    rig.game.started = 1;
    rig.game.hold = 3;
    rig.host.colour[11] = TileColour::Red;
    rig.host.colour[12] = TileColour::Blue;
    rig.host.spriteLeft = 138;
    rig.host.spriteTop = 30;
    rig.host.scoreText = "7";
    rig.host.gateOpen = false;
    rig.host.titleVisible = true;
    const auto colours = rig.host.colour;

    rig.game.Form_Load();

    expectStartValues(rig.game);
    EXPECT_TRUE(rig.host.gateOpen);

    EXPECT_EQ(rig.game.hold, 3);
    EXPECT_EQ(rig.host.colour, colours);
    EXPECT_EQ(rig.host.spriteLeft, 138);
    EXPECT_EQ(rig.host.spriteTop, 30);
    EXPECT_EQ(rig.host.scoreText, "7");
    EXPECT_TRUE(rig.host.titleVisible);
    EXPECT_FALSE(rig.host.running(TimerId::Timer1));
    EXPECT_FALSE(rig.host.running(TimerId::Timer2));
    for (const auto& entry : rig.host.log) {
        EXPECT_EQ(entry.rfind("Timer", 0), std::string::npos) << entry;
        EXPECT_EQ(entry.rfind("colour", 0), std::string::npos) << entry;
        EXPECT_EQ(entry.rfind("sprite", 0), std::string::npos) << entry;
        EXPECT_EQ(entry.rfind("score", 0), std::string::npos) << entry;
        EXPECT_EQ(entry.rfind("title ", 0), std::string::npos) << entry;
        EXPECT_EQ(entry.rfind("message", 0), std::string::npos) << entry;
    }
    EXPECT_EQ(rig.host.log.front(), "seed");
    EXPECT_EQ(rig.host.log.back(), "draw title");
}

TEST(FormLoad, NoTimerRunsBeforeTheFirstKey)
{
    Rig rig;
    rig.game.Form_Load();
    const auto logSize = rig.mark();
    const auto cells = rig.game.cells;
    for (int i = 0; i < 5000; ++i) {
        ASSERT_FALSE(rig.tick(TimerId::Timer1));
        ASSERT_FALSE(rig.tick(TimerId::Timer2));
    }
    EXPECT_EQ(rig.mark(), logSize);
    EXPECT_EQ(rig.game.pigy, 144.0);
    EXPECT_EQ(rig.game.cells, cells);
    EXPECT_EQ(rig.host.spriteTop, 144);
    EXPECT_EQ(rig.host.spriteLeft, 140); // the layout's place, until the first climb tick

    // The first key starts the climb timer, and only it.
    ASSERT_TRUE(rig.press(32));
    EXPECT_TRUE(rig.host.running(TimerId::Timer1));
    EXPECT_FALSE(rig.host.running(TimerId::Timer2));
    EXPECT_TRUE(rig.tick(TimerId::Timer1));
}
