#include "qt_host.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMessageBox>

#include "controls.h"
#include "form1.h"
#include "game.h"
#include "layout.h"
#include "title_screen.h"

namespace snoutsum {

std::int16_t virtualKeyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Space: return 32;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    default: break;
    }
    // Qt names letters by their capital whatever the shift state, and the
    // digits by their ASCII codes, as the virtual codes do.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<std::int16_t>(qtKey);
    return kUnlistedKey;
}

namespace {

// The shift argument of the key handler: 1 Shift, 2 Control, 4 Alt.
int shiftMask(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

QColor tileColour(TileColour c)
{
    switch (c) {
    case TileColour::Blue: return toQColor(layout::kBlue);
    case TileColour::Red: return toQColor(layout::kRed);
    case TileColour::Black: break;
    }
    return toQColor(layout::kBlack);
}

} // namespace

QtHost::QtHost(Form1& window) : window_(window)
{
    for (QTimer& t : timers_) {
        // A precise timer schedules each tick from the last one's due time,
        // so the game's speed does not drift with the load.
        t.setTimerType(Qt::PreciseTimer);
        t.setInterval(kTickMilliseconds);
    }
}

void QtHost::bind(Game& game)
{
    game_ = &game;
    QObject::connect(&timer(TimerId::Timer1), &QTimer::timeout, [this] {
        if (!eventsHeld())
            game_->Timer1_Timer();
    });
    QObject::connect(&timer(TimerId::Timer2), &QTimer::timeout, [this] {
        if (!eventsHeld())
            game_->Timer2_Timer();
    });
    window_.onKeyPress = [this](const QKeyEvent& e) { onKey(e); };
}

void QtHost::onKey(const QKeyEvent& event)
{
    if (!gateOpen_ || eventsHeld() || !game_)
        return;
    std::int16_t code = virtualKeyCode(event.key());
    game_->Form_KeyDown(code, shiftMask(event.modifiers()));
}

void QtHost::setKeyGate(bool open) { gateOpen_ = open; }

void QtHost::setTimerInterval(TimerId id, int milliseconds)
{
    QTimer& t = timer(id);
    if (milliseconds == 0)
        t.stop();
    else if (!t.isActive()) // setting a running timer again does not restart its tick
        t.start();
}

void QtHost::setTileText(int index, const std::string& text)
{
    window_.label(index).setText(QString::fromStdString(text));
}

void QtHost::setTileColour(int index, TileColour colour) { window_.label(index).setBackground(tileColour(colour)); }

void QtHost::setScoreText(const std::string& text) { window_.scoreValue().setText(QString::fromStdString(text)); }

void QtHost::moveSprite(int left, int top) { window_.hog().move(left, top); }

void QtHost::setTitleVisible(bool visible) { window_.title().setVisible(visible); }

void QtHost::drawTitle() { drawTitleScreen(window_.title()); }

void QtHost::showMessage(const std::string& prompt, const std::string& title)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(prompt),
                    QMessageBox::Ok, &window_);
    box.setWindowModality(Qt::ApplicationModal);
    box.setEscapeButton(QMessageBox::Ok);
    // Some styles put a tick on OK; the message shows words only.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    messageOpen_ = true;
    box.exec();
    messageOpen_ = false;
}

void QtHost::seedRandom() { random_.seed(); }

float QtHost::nextRandom() { return random_.next(); }

} // namespace snoutsum
