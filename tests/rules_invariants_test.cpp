// All four handlers together: many games of random keys and ticks through the
// fake host, with the game's invariants checked after every event.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <random>
#include <string>

#include "fake_host.h"

using namespace snoutsum;
using namespace snoutsum::test;

namespace {

// The first invariant that fails, or "" when all hold.
std::string violation(const Rig& rig)
{
    const Game& g = rig.game;
    const FakeHost& h = rig.host;
    std::string out; // stays empty, and cheap, while everything holds
    const auto n = [](int v) { return std::to_string(v); };
    const auto exact = [](double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.17g", v);
        return std::string(buf);
    };
    const bool t1 = h.running(TimerId::Timer1);
    const bool t2 = h.running(TimerId::Timer2);
    const bool sliding = t2;
    const bool title = g.started == 0;
    const bool climbing = g.started == 1 && t1;

    // The window's tiles in two flat arrays: one pass over each map is far
    // cheaper than a lookup per tile, and this runs after every event.
    static const std::string digits[] = {"0", "1", "2", "3", "4"};
    std::array<const std::string*, 46> shown{};
    std::array<TileColour, 46> painted{};
    std::array<bool, 46> hasColour{};
    for (const auto& [i, s] : h.text)
        if (i >= 0 && i < 46)
            shown[i] = &s;
    for (const auto& [i, c] : h.colour)
        if (i >= 0 && i < 46) {
            painted[i] = c;
            hasColour[i] = true;
        }

    for (int i = 0; i < 46; ++i) {
        const bool tile = i > 10 && i % 10 >= 1 && i % 10 <= 5;
        if (!tile) {
            if (g.cells[i] != 0)
                out += "slot " + n(i) + " outside the board was written; ";
            continue;
        }
        const int v = g.cells[i];
        if (v < 1 || v > 4) {
            out += "tile " + n(i) + " holds " + n(v) + "; ";
            continue;
        }
        if (!hasColour[i])
            out += "tile " + n(i) + " has no colour; ";
        const bool redInSlide = sliding && painted[i] == TileColour::Red;
        if (!redInSlide && (shown[i] == nullptr || *shown[i] != digits[v]))
            out += "tile " + n(i) + " shows " + (shown[i] ? *shown[i] : std::string("nothing")) + " for " +
                   n(v) + "; ";
    }
    if (g.curcol < 1 || g.curcol > 4 || g.currow < 1 || g.currow > 4)
        out += "cursor at " + n(g.curcol) + ", " + n(g.currow) + "; ";
    if (!(g.pigy <= 144.0))
        out += "pigy " + exact(g.pigy) + " above the foot; ";
    if (!(g.pigy >= 16.0))
        out += "pigy " + exact(g.pigy) + " past the top outside game over; ";
    if (!sliding && (g.slidetick != 0 || g.slidelen != 0))
        out += "slide counters " + n(g.slidetick) + "/" + n(g.slidelen) + " outside a slide; ";
    if (t1 && t2)
        out += "both timers run; ";

    if (title) {
        if (!h.gateOpen || t1 || t2 || !h.titleVisible)
            out += "title phase is not gate open, timers stopped, title shown; ";
        for (int r = 1; r <= 5; ++r)
            if (g.rowsum(r) == 10)
                out += "row " + n(r) + " at 10 in the title phase; ";
    } else if (sliding) {
        if (h.gateOpen || t1 || h.titleVisible)
            out += "sliding phase is not gate shut, Timer1 stopped, title hidden; ";
        if (g.slidelen != 50 && g.slidelen != 100)
            out += "slidelen " + n(g.slidelen) + "; ";
        if (g.slidetick > g.slidelen)
            out += "slidetick " + n(g.slidetick) + " past slidelen; ";
    } else if (climbing) {
        if (!h.gateOpen || h.titleVisible)
            out += "climbing phase is not gate open, title hidden; ";
        for (int r = 1; r <= 5; ++r)
            if (g.rowsum(r) == 10)
                out += "row " + n(r) + " at 10 with the gate open in the climb; ";
        for (int c = 1; c <= 4; ++c)
            for (int r = 1; r <= 5; ++r) {
                const int i = tileIndex(c, r);
                const bool cursor = i == tileIndex(g.curcol, g.currow) || i == tileIndex(g.curcol, g.currow) + 1;
                if (painted[i] != (cursor ? TileColour::Blue : TileColour::Black))
                    out += "tile " + n(i) + " is " + colourName(painted[i]) + " in the climb; ";
            }
    } else {
        out += "no phase: started " + n(g.started) + ", Timer1 " + n(int{t1}) + ", Timer2 " + n(int{t2}) + "; ";
    }
    return out;
}

} // namespace

TEST(Invariants, HoldAfterEveryEventOfManyRandomGames)
{
    constexpr int kGames = 150;
    std::mt19937 choose(20261211);
    Rig rig;
    rig.game.Form_Load();
    ASSERT_EQ(violation(rig), "");

    const std::int16_t others[] = {32, 13, 65, 48, 16, 27};
    const std::int16_t arrows[] = {key::Left, key::Up, key::Right, key::Down};
    long events = 0;
    int clears = 0, doubleClears = 0, games = 0, keys = 0;
    int highest = 0;

    while (games < kGames) {
        // Pick an event the real host could deliver now.
        const bool slide = rig.host.running(TimerId::Timer2);
        const bool climb = rig.host.running(TimerId::Timer1);
        const int roll = static_cast<int>(choose() % 100);
        std::string what;
        if (slide) {
            ASSERT_TRUE(rig.tick(TimerId::Timer2));
            what = "slide tick";
        } else if (!climb || roll < 20) {
            // A key: mostly Z and arrows so that clears happen.
            const int pick = static_cast<int>(choose() % 10);
            const std::int16_t code = pick < 5 ? key::Z : pick < 9 ? arrows[choose() % 4] : others[choose() % 6];
            const int pointsBefore = rig.game.points;
            ASSERT_TRUE(rig.press(code)) << "the gate is shut outside a slide";
            ++keys;
            what = "key " + std::to_string(code);
            if (rig.game.points > pointsBefore) {
                ++clears;
                if (rig.game.points == pointsBefore + 2)
                    ++doubleClears;
                ASSERT_LE(rig.game.points, pointsBefore + 2);
                highest = std::max(highest, rig.game.points);
            }
        } else {
            const std::size_t messages = rig.host.messages.size();
            ASSERT_TRUE(rig.tick(TimerId::Timer1));
            what = "climb tick";
            if (rig.host.messages.size() != messages) {
                ++games;
                ASSERT_EQ(rig.game.started, 0);
            }
        }
        ++events;
        rig.host.log.clear(); // keep memory flat; the invariants need no history
        const std::string v = violation(rig);
        ASSERT_EQ(v, "") << "after event " << events << " (" << what << ") in game " << games + 1;
    }

    // The run was not vacuous.
    EXPECT_EQ(static_cast<int>(rig.host.messages.size()), kGames);
    EXPECT_GT(clears, 4 * kGames) << "too few clears to exercise the slide";
    EXPECT_GT(doubleClears, 0);
    EXPECT_GE(highest, 5);
    RecordProperty("events", std::to_string(events));
    RecordProperty("clears", std::to_string(clears));
    RecordProperty("doubleClears", std::to_string(doubleClears));
    std::cout << "[          ] " << games << " games, " << events << " events, " << keys << " keys, "
              << clears << " clears (" << doubleClears << " double), best score " << highest << "\n";
}
