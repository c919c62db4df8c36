#include "game.h"

#include <cmath>

#include "number_text.h"

namespace snoutsum {

namespace {

constexpr int kColumns = 4;
constexpr int kRows = 5;
constexpr int kTarget = 10;          // a row adding up to this is cleared
constexpr int kLastCursorRow = kRows - 1;
constexpr double kPoleFoot = 144;    // pigy at the bottom of the pole
constexpr double kPoleTop = 16;      // pigy below this ends the game
constexpr double kClimbStep = 0.1;   // climb per tick at score 0, in pixels
constexpr int kHogLeft = 138;
constexpr int kSlidePerRow = 50;     // slide ticks owed per cleared row

} // namespace

int Game::rowsum(int r) const
{
    return cells[tileIndex(1, r)] + cells[tileIndex(2, r)] + cells[tileIndex(3, r)] +
           cells[tileIndex(4, r)];
}

// One tile value from 1 to 4. The product is formed in single precision, where
// it is exact for the host's 24-bit draws, and as x < 1 it stays below 4.
int Game::drawTile()
{
    const float x = host_.nextRandom();
    return static_cast<int>(std::floor(4.0f * x)) + 1;
}

void Game::Form_Load()
{
    host_.seedRandom();
    pigy = kPoleFoot;
    points = 0;
    curcol = 3;
    currow = 4;
    slidetick = 0;
    slidelen = 0;
    started = 0;
    host_.setKeyGate(true);

    for (int c = 1; c <= kColumns; ++c) {
        for (int r = 1; r <= kRows; ++r) {
            cells[tileIndex(c, r)] = drawTile();
            host_.setTileText(tileIndex(c, r), decimalText(cells[tileIndex(c, r)]));
        }
    }

    // A fresh board must not hand out a free point: nudge the first tile of
    // any complete row up by one, wrapping 4 round to 1.
    for (int r = 1; r <= kRows; ++r) {
        if (rowsum(r) == kTarget) {
            int& first = cells[tileIndex(1, r)];
            first = first + 1;
            if (first == 5)
                first = 1;
            host_.setTileText(tileIndex(1, r), decimalText(first));
        }
    }

    host_.drawTitle();
}

void Game::paintBoard()
{
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            host_.setTileColour(tileIndex(c, r), TileColour::Black);
    host_.setTileColour(tileIndex(curcol, currow), TileColour::Blue);
    host_.setTileColour(tileIndex(curcol, currow + 1), TileColour::Blue);
}

// The cleared row turns red at once but keeps its old digits until the
// slide-back ends, so the player sees which row scored.
void Game::clearRow(int row)
{
    for (int c = 1; c <= kColumns; ++c) {
        host_.setTileColour(tileIndex(c, row), TileColour::Red);
        cells[tileIndex(c, row)] = drawTile();
    }
    host_.setKeyGate(false);
    points = points + 1;
    slidelen = slidelen + kSlidePerRow;
    host_.setTimerInterval(TimerId::Timer1, 0);
    host_.setTimerInterval(TimerId::Timer2, 1);
}

void Game::Form_KeyDown(std::int16_t& KeyCode, int /*Shift*/)
{
    // The key that leaves the title screen only starts play.
    if (started == 0) {
        KeyCode = 0;
        started = 1;
        host_.setTitleVisible(false);
        host_.setTimerInterval(TimerId::Timer1, 1);
    }

    if (KeyCode == key::Up && currow > 1)
        currow = currow - 1;
    if (KeyCode == key::Down && currow < kLastCursorRow)
        currow = currow + 1;
    if (KeyCode == key::Left && curcol > 1)
        curcol = curcol - 1;
    if (KeyCode == key::Right && curcol < kColumns)
        curcol = curcol + 1;

    paintBoard();

    if (KeyCode != key::Z)
        return;

    const int top = tileIndex(curcol, currow);
    const int bottom = top + 1;
    hold = cells[top];
    cells[top] = cells[bottom];
    cells[bottom] = hold;
    host_.setTileText(top, decimalText(cells[top]));
    host_.setTileText(bottom, decimalText(cells[bottom]));

    for (int r = 1; r <= kRows; ++r)
        if (rowsum(r) == kTarget)
            clearRow(r);
}

void Game::moveHog() { host_.moveSprite(kHogLeft, static_cast<int>(std::floor(pigy))); }

void Game::Timer1_Timer()
{
    host_.setScoreText(decimalText(points));
    moveHog(); // drawn before the climb: the pig on screen is one tick behind
    pigy = pigy - (points + 1) * kClimbStep;
    if (pigy >= kPoleTop)
        return;

    host_.setKeyGate(false);
    host_.showMessage("SCORE" + signedText(points), "GAME OVER");
    host_.setTimerInterval(TimerId::Timer1, 0);
    host_.setTitleVisible(true);
    Form_Load();
}

void Game::Timer2_Timer()
{
    host_.setKeyGate(false);
    slidetick = slidetick + 1;
    pigy = pigy + 1;
    if (pigy > kPoleFoot)
        pigy = kPoleFoot;
    moveHog();
    if (slidetick <= slidelen)
        return;

    // Show the values the clear dealt, repaint, and take back any free point
    // the new values would hand out: the first tile of a complete row goes
    // down by one, wrapping 1 round to 4.
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= kColumns; ++c) {
            host_.setTileText(tileIndex(c, r), decimalText(cells[tileIndex(c, r)]));
            host_.setTileColour(tileIndex(c, r), TileColour::Black);
            host_.setTileColour(tileIndex(curcol, currow), TileColour::Blue);
            host_.setTileColour(tileIndex(curcol, currow + 1), TileColour::Blue);
        }
        if (rowsum(r) == kTarget) {
            int& first = cells[tileIndex(1, r)];
            first = first - 1;
            if (first == 0)
                first = 4;
            host_.setTileText(tileIndex(1, r), decimalText(first));
        }
    }

    host_.setKeyGate(true);
    host_.setTimerInterval(TimerId::Timer1, 1);
    host_.setTimerInterval(TimerId::Timer2, 0);
    slidetick = 0;
    slidelen = 0;
}

} // namespace snoutsum
