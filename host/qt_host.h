#pragma once
// The host services on Qt: the window's controls, two timers, the key gate,
// the modal message and the clock-seeded random source.

#include <QTimer>
#include <array>
#include <cstdint>

#include "clock_random.h"
#include "host.h"

class QKeyEvent;

namespace snoutsum {

class Form1;
class Game;

// Virtual key code of a Qt key, as the game's handlers expect it. Letters
// and digits keep their ASCII codes whatever Shift or Caps Lock say.
std::int16_t virtualKeyCode(int qtKey);
// A code that no rule of the game reacts to.
inline constexpr std::int16_t kUnlistedKey = 255;

// One tick of a timer set to interval 1: as fast as the game is meant to go.
inline constexpr int kTickMilliseconds = 16;

class QtHost : public Host {
public:
    explicit QtHost(Form1& window);

    // Wires keys and ticks to the game's handlers.
    void bind(Game& game);

    void setKeyGate(bool open) override;
    void setTimerInterval(TimerId timer, int milliseconds) override;
    void setTileText(int index, const std::string& text) override;
    void setTileColour(int index, TileColour colour) override;
    void setScoreText(const std::string& text) override;
    void moveSprite(int left, int top) override;
    void setTitleVisible(bool visible) override;
    void drawTitle() override;
    void showMessage(const std::string& prompt, const std::string& title) override;
    void seedRandom() override;
    float nextRandom() override;

    bool keyGateOpen() const { return gateOpen_; }
    bool timerRunning(TimerId id) const { return timer(id).isActive(); }

private:
    void onKey(const QKeyEvent& event);
    // Ticks and keys wait while the message is open.
    bool eventsHeld() const { return messageOpen_; }
    QTimer& timer(TimerId id) { return timers_[static_cast<std::size_t>(id)]; }
    const QTimer& timer(TimerId id) const { return timers_[static_cast<std::size_t>(id)]; }

    Form1& window_;
    Game* game_ = nullptr;
    std::array<QTimer, 2> timers_; // Timer1, Timer2
    bool gateOpen_ = true; // open from the moment the window exists
    bool messageOpen_ = false;
    ClockRandom random_;
};

} // namespace snoutsum
