#pragma once
// The game: one record of state and the four handlers that change it. Every
// effect on the screen goes through the Host, so this file knows no toolkit.

#include <array>
#include <cstdint>

#include "host.h"

namespace snoutsum {

class Game {
public:
    explicit Game(Host& host) : host_(host) {}

    // Start-up and the reset after each game over.
    void Form_Load();
    // KeyCode is by reference: the key that only starts play is zeroed, and
    // every later test in the same call reads it again.
    void Form_KeyDown(std::int16_t& KeyCode, int Shift);
    // Climb tick.
    void Timer1_Timer();
    // Slide tick.
    void Timer2_Timer();

    // Sum of the four values of row r (1 to 5), column 1 to column 4.
    int rowsum(int r) const;

    // The state. Public so a test can set up a position directly.
    double pigy = 144;
    int points = 0;
    int curcol = 3;
    int currow = 4;
    std::array<int, 46> cells{}; // tile (c, r) is slot 10 * c + r
    int hold = 0;
    int slidetick = 0;
    int slidelen = 0;
    int started = 0;

private:
    int drawTile();
    void paintBoard();
    void clearRow(int row);
    void moveHog();

    Host& host_;
};

// Virtual key codes that mean something to the game.
namespace key {
inline constexpr std::int16_t Left = 37;
inline constexpr std::int16_t Up = 38;
inline constexpr std::int16_t Right = 39;
inline constexpr std::int16_t Down = 40;
inline constexpr std::int16_t Z = 90;
} // namespace key

inline constexpr int tileIndex(int column, int row) { return 10 * column + row; }

} // namespace snoutsum
