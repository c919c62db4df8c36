#pragma once
// What the game rules may ask of the program around them. Plain types only, so
// the rules compile and run without any windowing toolkit and a test can stand
// in for the whole window.

#include <string>

namespace snoutsum {

enum class TimerId { Timer1, Timer2 };

// Tile backgrounds the rules paint; the screen decides what they look like.
enum class TileColour { Black, Blue, Red };

class Host {
public:
    virtual ~Host() = default;

    // While shut, no key press reaches Form_KeyDown.
    virtual void setKeyGate(bool open) = 0;
    // 0 stops the timer; 1 makes it tick as often as the host allows.
    virtual void setTimerInterval(TimerId timer, int milliseconds) = 0;

    // Label(index), index = 10 * column + row.
    virtual void setTileText(int index, const std::string& text) = 0;
    virtual void setTileColour(int index, TileColour colour) = 0;
    // score(1)
    virtual void setScoreText(const std::string& text) = 0;
    // Moves hog's top-left corner; its size stays.
    virtual void moveSprite(int left, int top) = 0;

    virtual void setTitleVisible(bool visible) = 0;
    // Clears the title panel, covers the window with it and draws the title screen.
    virtual void drawTitle() = 0;

    // Modal, OK button only; returns once dismissed. No tick and no key reaches
    // the rules while it is open.
    virtual void showMessage(const std::string& prompt, const std::string& title) = 0;

    // Reseeds the random source from the clock.
    virtual void seedRandom() = 0;
    // Uniform in [0, 1), as a float: the rules scale it by 4 in single precision.
    virtual float nextRandom() = 0;
};

} // namespace snoutsum
