// The climb tick, its bit-exact table, and game over with the reset
// that follows it.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "fake_host.h"

using namespace snoutsum;
using namespace snoutsum::test;

namespace {

using Lines = std::vector<std::string>;

// What the game looked like while the game-over message was open.
struct AtMessage {
    double pigy = 0;
    int points = -1;
    int spriteLeft = 0, spriteTop = 0;
    bool gateOpen = true;
    bool timer1Running = false, timer2Running = true;
    bool titleVisible = true;
    bool keyDelivered = true;
};

void recordAtMessage(Rig& rig, std::optional<AtMessage>& seen)
{
    rig.host.onMessage = [&rig, &seen] {
        AtMessage a;
        a.pigy = rig.game.pigy;
        a.points = rig.game.points;
        a.spriteLeft = rig.host.spriteLeft;
        a.spriteTop = rig.host.spriteTop;
        a.gateOpen = rig.host.gateOpen;
        a.timer1Running = rig.host.running(TimerId::Timer1);
        a.timer2Running = rig.host.running(TimerId::Timer2);
        a.titleVisible = rig.host.titleVisible;
        a.keyDelivered = rig.press(key::Z); // the gate keeps keys out
        seen = a;
    };
}

} // namespace

// ---------------------------------------------------------------- climb table

struct ClimbCase {
    int score;
    int endTick;       // the tick on which the message appears
    double pigyAtEnd;  // pigy right after that tick, before Form_Load resets it
};

std::ostream& operator<<(std::ostream& os, const ClimbCase& c) { return os << "score " << c.score; }

class ClimbTable : public ::testing::TestWithParam<ClimbCase> {};

TEST_P(ClimbTable, GameEndsOnExactlyThisTickWithThisPigy)
{
    const ClimbCase& tc = GetParam();
    Rig rig;
    rig.startPlay();
    rig.game.points = tc.score;
    ASSERT_EQ(rig.game.pigy, 144.0);
    std::optional<AtMessage> seen;
    recordAtMessage(rig, seen);

    for (int t = 1; t < tc.endTick; ++t) {
        ASSERT_TRUE(rig.tick(TimerId::Timer1)) << "tick " << t;
        ASSERT_TRUE(rig.host.messages.empty()) << "game ended early, on tick " << t;
        ASSERT_GE(rig.game.pigy, 16.0) << "tick " << t;
    }
    EXPECT_EQ(rig.host.scoreText, std::to_string(tc.score));
    ASSERT_TRUE(rig.tick(TimerId::Timer1));

    ASSERT_EQ(rig.host.messages.size(), 1u) << "no game over on tick " << tc.endTick;
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->pigy, tc.pigyAtEnd);
    EXPECT_EQ(seen->points, tc.score);
    EXPECT_EQ(seen->spriteLeft, 138);
    EXPECT_EQ(seen->spriteTop, 16) << "the pig is drawn from before the climb";
    EXPECT_EQ(rig.host.messages[0], "GAME OVER: SCORE " + std::to_string(tc.score));
}

INSTANTIATE_TEST_SUITE_P(Climb, ClimbTable,
                         ::testing::Values(ClimbCase{0, 1281, 15.900000000003866},
                                           ClimbCase{1, 640, 15.999999999999606},
                                           ClimbCase{2, 427, 15.900000000000269},
                                           ClimbCase{3, 320, 15.999999999999039},
                                           ClimbCase{9, 129, 15}),
                         [](const ::testing::TestParamInfo<ClimbCase>& info) {
                             return "Score" + std::to_string(info.param.score);
                         });

TEST(Climb, AtScoreZeroPigyIsAHairAboveSixteenAfterTick1280)
{
    Rig rig;
    rig.startPlay();
    for (int t = 1; t <= 1280; ++t)
        ASSERT_TRUE(rig.tick(TimerId::Timer1)) << "tick " << t;
    EXPECT_EQ(rig.game.pigy, 16.000000000003865);
    EXPECT_TRUE(rig.host.messages.empty());
    EXPECT_TRUE(rig.host.running(TimerId::Timer1));
}

TEST(Climb, AtScoreNineTick128LeavesExactlySixteenAndDoesNotEnd)
{
    Rig rig;
    rig.startPlay();
    rig.game.points = 9;
    for (int t = 1; t <= 128; ++t)
        ASSERT_TRUE(rig.tick(TimerId::Timer1)) << "tick " << t;
    EXPECT_EQ(rig.game.pigy, 16.0);
    EXPECT_TRUE(rig.host.messages.empty());
    EXPECT_TRUE(rig.host.running(TimerId::Timer1));
    EXPECT_TRUE(rig.host.gateOpen);
    EXPECT_FALSE(rig.host.titleVisible);
    ASSERT_TRUE(rig.tick(TimerId::Timer1));
    EXPECT_EQ(rig.host.messages.size(), 1u);
}

TEST(Climb, FirstTickShowsTheScoreDrawsAtTheFootAndClimbsATenth)
{
    Rig rig;
    rig.startPlay();
    EXPECT_EQ(rig.host.spriteLeft, 140); // the layout's place until now
    const auto m = rig.mark();
    ASSERT_TRUE(rig.tick(TimerId::Timer1));
    EXPECT_EQ(rig.since(m), (Lines{"score 0", "sprite 138 144"}));
    EXPECT_EQ(rig.game.pigy, 143.9);
    EXPECT_EQ(rig.host.spriteLeft, 138);
    EXPECT_EQ(rig.host.spriteTop, 144);

    // The pig on screen is one tick behind pigy.
    ASSERT_TRUE(rig.tick(TimerId::Timer1));
    EXPECT_EQ(rig.host.spriteTop, 143);
}

TEST(Climb, TickChangesNothingButScoreSpriteAndPigy)
{
    Rig rig;
    rig.startPlay();
    rig.game.points = 5;
    const Game before = rig.game;
    ASSERT_TRUE(rig.tick(TimerId::Timer1));
    EXPECT_EQ(rig.game.cells, before.cells);
    EXPECT_EQ(rig.game.points, 5);
    EXPECT_EQ(rig.game.curcol, before.curcol);
    EXPECT_EQ(rig.game.currow, before.currow);
    EXPECT_EQ(rig.game.slidetick, 0);
    EXPECT_EQ(rig.game.slidelen, 0);
    EXPECT_EQ(rig.game.pigy, 144 - 6 * 0.1);
    EXPECT_EQ(rig.host.scoreText, "5");
}

// ---------------------------------------------------------------- game over

class GameOver : public ::testing::TestWithParam<int> {};

TEST_P(GameOver, MessageThenStopShowTitleAndResetAndTheNextKeyStartsAfresh)
{
    const int score = GetParam();
    Rig rig;
    rig.game.Form_Load();
    // No Z is pressed in this game, so no draw is made before the reset's deal.
    const std::array<const char*, 5> nextDeal{"1231", "4122", "2222", "3113", "4441"};
    rig.scriptDeal(nextDeal);
    ASSERT_TRUE(rig.press(32));
    ASSERT_TRUE(rig.press(key::Left)); // cursor to column 2: tiles 24, 25 blue
    rig.game.points = score;
    rig.game.hold = 2;
    std::optional<AtMessage> seen;
    recordAtMessage(rig, seen);

    std::size_t m = 0;
    std::map<int, TileColour> colours;
    int ticks = 0;
    while (rig.host.messages.empty()) {
        m = rig.mark();
        colours = rig.host.colour;
        ASSERT_TRUE(rig.tick(TimerId::Timer1));
        ASSERT_LT(++ticks, 2000);
    }
    const std::string scoreText = std::to_string(score);

    // The whole game-over tick, in order.
    Lines expected{"score " + scoreText, "sprite 138 16", "gate shut",
                   "message GAME OVER: SCORE " + scoreText, "Timer1 0", "title shown",
                   "seed", "gate open"};
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 5; ++r) {
            expected.push_back("random");
            expected.push_back("text " + std::to_string(tileIndex(c, r)) + " " + nextDeal[r - 1][c - 1]);
        }
    expected.push_back("draw title");
    EXPECT_EQ(rig.since(m), expected);
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0], "GAME OVER: SCORE " + scoreText);

    // While the message was open.
    ASSERT_TRUE(seen.has_value());
    EXPECT_LT(seen->pigy, 16.0);
    EXPECT_EQ(seen->points, score);
    EXPECT_FALSE(seen->gateOpen);
    EXPECT_FALSE(seen->keyDelivered);
    EXPECT_TRUE(seen->timer1Running) << "Timer1 is stopped only after the message";
    EXPECT_FALSE(seen->timer2Running);
    EXPECT_FALSE(seen->titleVisible);

    // The reset.
    expectStartValues(rig.game);
    EXPECT_EQ(rig.boardRows(), (std::array<std::string, 5>{"1231", "4122", "2222", "3113", "4441"}));
    EXPECT_EQ(rig.shownRows(), rig.boardRows());
    EXPECT_TRUE(rig.host.gateOpen);
    EXPECT_TRUE(rig.host.titleVisible);
    EXPECT_EQ(rig.host.titleDrawings, 2);

    // What Form_Load leaves alone: colours, sprite, score text, timers, hold.
    EXPECT_EQ(rig.host.colour, colours);
    EXPECT_EQ(rig.host.colour[24], TileColour::Blue);
    EXPECT_EQ(rig.host.colour[34], TileColour::Black);
    EXPECT_EQ(rig.host.spriteLeft, 138);
    EXPECT_EQ(rig.host.spriteTop, 16);
    EXPECT_EQ(rig.host.scoreText, scoreText);
    EXPECT_FALSE(rig.host.running(TimerId::Timer1));
    EXPECT_FALSE(rig.host.running(TimerId::Timer2));
    EXPECT_EQ(rig.game.hold, 2);

    // The title phase waits: no tick arrives.
    EXPECT_FALSE(rig.tick(TimerId::Timer1));
    EXPECT_FALSE(rig.tick(TimerId::Timer2));

    // One key starts the next game at score 0 with the cursor at its reset place.
    ASSERT_TRUE(rig.press(key::Down));
    EXPECT_EQ(rig.game.currow, 4);
    EXPECT_FALSE(rig.host.titleVisible);
    EXPECT_EQ(rig.host.colour[24], TileColour::Black);
    EXPECT_EQ(rig.host.colour[34], TileColour::Blue);
    EXPECT_EQ(rig.host.colour[35], TileColour::Blue);
    ASSERT_TRUE(rig.tick(TimerId::Timer1));
    EXPECT_EQ(rig.host.scoreText, "0");
    EXPECT_EQ(rig.host.spriteLeft, 138);
    EXPECT_EQ(rig.host.spriteTop, 144);
    EXPECT_EQ(rig.game.pigy, 143.9);
    EXPECT_EQ(rig.host.messages.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(GameOver, GameOver, ::testing::Values(0, 3, 12),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Score" + std::to_string(info.param);
                         });
