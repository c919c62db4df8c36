#pragma once
// A stand-in for the window: remembers what the rules last asked for, logs
// every operation in order, and lets a test drive the game event by event the
// way the real host would (keys only through an open gate, ticks only from a
// running timer).

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "clock_random.h"
#include "game.h"
#include "host.h"

namespace snoutsum::test {

inline const char* colourName(TileColour c)
{
    switch (c) {
    case TileColour::Black: return "black";
    case TileColour::Blue: return "blue";
    case TileColour::Red: return "red";
    }
    return "?";
}

class FakeHost : public Host {
public:
    FakeHost()
    {
        // The window as it is created, before Form_Load: the cursor's reset
        // place is blue, everything else black, the gate open.
        for (int c = 1; c <= 4; ++c)
            for (int r = 1; r <= 5; ++r)
                colour[tileIndex(c, r)] = TileColour::Black;
        colour[34] = colour[35] = TileColour::Blue;
    }

    // Current look of the window.
    bool gateOpen = true;
    std::array<int, 2> interval{0, 0};
    bool titleVisible = true;
    std::map<int, std::string> text;
    std::map<int, TileColour> colour;
    std::string scoreText = "0";
    int spriteLeft = 140;
    int spriteTop = 144;
    int titleDrawings = 0;
    std::vector<std::string> messages; // "title: prompt"
    // Runs inside showMessage, after it is recorded: the moment the modal
    // message is open, for a test to look at the game then.
    std::function<void()> onMessage;

    // Every operation, in the order the rules made it.
    std::vector<std::string> log;

    // Draws handed out before falling back to a fixed-seed generator.
    std::deque<float> script;
    int draws = 0;

    bool running(TimerId t) const { return interval[index(t)] != 0; }

    void setKeyGate(bool open) override
    {
        gateOpen = open;
        log.push_back(open ? "gate open" : "gate shut");
    }
    void setTimerInterval(TimerId t, int ms) override
    {
        interval[index(t)] = ms;
        log.push_back(std::string(t == TimerId::Timer1 ? "Timer1 " : "Timer2 ") + std::to_string(ms));
    }
    void setTileText(int i, const std::string& s) override
    {
        text[i] = s;
        log.push_back("text " + std::to_string(i) + " " + s);
    }
    void setTileColour(int i, TileColour c) override
    {
        colour[i] = c;
        log.push_back("colour " + std::to_string(i) + " " + colourName(c));
    }
    void setScoreText(const std::string& s) override
    {
        scoreText = s;
        log.push_back("score " + s);
    }
    void moveSprite(int left, int top) override
    {
        spriteLeft = left;
        spriteTop = top;
        log.push_back("sprite " + std::to_string(left) + " " + std::to_string(top));
    }
    void setTitleVisible(bool visible) override
    {
        titleVisible = visible;
        log.push_back(visible ? "title shown" : "title hidden");
    }
    void drawTitle() override
    {
        ++titleDrawings;
        log.push_back("draw title");
    }
    void showMessage(const std::string& prompt, const std::string& title) override
    {
        messages.push_back(title + ": " + prompt);
        log.push_back("message " + title + ": " + prompt);
        if (onMessage)
            onMessage();
    }
    void seedRandom() override { log.push_back("seed"); }
    float nextRandom() override
    {
        ++draws;
        log.push_back("random");
        if (!script.empty()) {
            const float x = script.front();
            script.pop_front();
            return x;
        }
        return unitFromBits(static_cast<std::uint32_t>(engine_()));
    }

    // A draw that makes floor(4x) + 1 equal v.
    static float drawFor(int v) { return (static_cast<float>(v) - 1.0f) / 4.0f + 0.125f; }

private:
    static int index(TimerId t) { return t == TimerId::Timer1 ? 0 : 1; }
    std::mt19937 engine_{12345};
};

// A game and its fake window, driven like the real event loop would.
struct Rig {
    FakeHost host;
    Game game{host};

    // Delivers a key press if the gate lets it through.
    bool press(std::int16_t code)
    {
        if (!host.gateOpen)
            return false;
        game.Form_KeyDown(code, 0);
        return true;
    }
    // Delivers a tick of the timer if it runs.
    bool tick(TimerId t)
    {
        if (!host.running(t))
            return false;
        if (t == TimerId::Timer1)
            game.Timer1_Timer();
        else
            game.Timer2_Timer();
        return true;
    }
    // Log entries made from here on.
    std::size_t mark() const { return host.log.size(); }
    std::vector<std::string> since(std::size_t m) const
    {
        return {host.log.begin() + static_cast<std::ptrdiff_t>(m), host.log.end()};
    }
    // Puts values 1..4 on the board, row by row from the top ("1234" per row).
    void setBoard(const std::array<const char*, 5>& rows)
    {
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c)
                game.cells[tileIndex(c, r)] = rows[r - 1][c - 1] - '0';
    }
    // Makes every tile show its slot, as the rules would have written it (no log entry).
    void showBoard()
    {
        for (int c = 1; c <= 4; ++c)
            for (int r = 1; r <= 5; ++r)
                host.text[tileIndex(c, r)] = std::to_string(game.cells[tileIndex(c, r)]);
    }
    // Queues draws that give these tile values, in this order.
    void scriptValues(std::initializer_list<int> values)
    {
        for (int v : values)
            host.script.push_back(FakeHost::drawFor(v));
    }
    // Queues the 20 draws of a deal that yields this board: rows given top to
    // bottom ("1234" per row), drawn column by column as the deal draws them.
    void scriptDeal(const std::array<const char*, 5>& rows)
    {
        for (int c = 1; c <= 4; ++c)
            for (int r = 1; r <= 5; ++r)
                host.script.push_back(FakeHost::drawFor(rows[r - 1][c - 1] - '0'));
    }
    // The board and what its tiles show, rows top to bottom ("1234" per row).
    std::array<std::string, 5> boardRows() const
    {
        std::array<std::string, 5> out;
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c)
                out[r - 1] += std::to_string(game.cells[tileIndex(c, r)]);
        return out;
    }
    std::array<std::string, 5> shownRows() const
    {
        std::array<std::string, 5> out;
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c) {
                const auto it = host.text.find(tileIndex(c, r));
                out[r - 1] += it == host.text.end() ? "?" : it->second;
            }
        return out;
    }
    // Start-up and the first key: the climbing phase with the cursor at 3, 4.
    void startPlay()
    {
        game.Form_Load();
        press(32);
    }
};

// The fields every reset puts back to their start values.
inline void expectStartValues(const Game& g)
{
    EXPECT_EQ(g.pigy, 144.0);
    EXPECT_EQ(g.points, 0);
    EXPECT_EQ(g.curcol, 3);
    EXPECT_EQ(g.currow, 4);
    EXPECT_EQ(g.slidetick, 0);
    EXPECT_EQ(g.slidelen, 0);
    EXPECT_EQ(g.started, 0);
}

} // namespace snoutsum::test
