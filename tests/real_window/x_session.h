// Driving a real X display from a test: a private Xvfb, child processes that
// cannot outlive the test, and the few xdotool / ImageMagick calls the
// real-window test needs (find a window, focus it, press keys, screenshot).
#pragma once

#include <QImage>
#include <QRect>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace rw {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

// The environment a child gets: a copy of ours, edited by name.
class Environment {
public:
    static Environment inherited();
    void set(const std::string &name, const std::string &value) { vars_[name] = value; }
    void unset(const std::string &name) { vars_.erase(name); }
    std::vector<std::string> entries() const;

private:
    std::map<std::string, std::string> vars_;
};

struct CommandResult {
    bool timedOut = false;
    int exitStatus = -1;  // the exit code, or -1 when killed by a signal
    std::string out;
    std::string err;
    bool ok() const { return !timedOut && exitStatus == 0; }
};

// Runs argv to completion (or kills it after the timeout) and collects its
// output.
CommandResult runCommand(const std::vector<std::string> &argv, const Environment &env,
                         Millis timeout);

// A long-lived child in its own process group. It is told to die with the
// test process (so a crashing test leaves no Xvfb or game behind), and the
// destructor ends whatever is still running.
class ChildProcess {
public:
    // extraFd, when >= 0, stays open in the child under the same number.
    ChildProcess(const std::vector<std::string> &argv, const Environment &env,
                 const std::string &stderrPath, int extraFd = -1);
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    int pid() const { return pid_; }
    // The exit status once the child has ended within the timeout; -1 for
    // death by a signal.
    std::optional<int> waitForExit(Millis timeout);
    void stop();

private:
    int pid_ = -1;
    std::optional<int> status_;
};

// A private X server on the first free display, 1024 x 768 x 24, ready to
// accept connections once the constructor returns.
class XServer {
public:
    explicit XServer(const std::string &logPath);
    const std::string &display() const { return display_; }

private:
    std::string display_;
    std::optional<ChildProcess> process_;
};

// The X calls of the test, all against one display and each bounded in time.
class XTools {
public:
    explicit XTools(std::string display);

    const std::string &display() const { return display_; }
    Environment environment() const;

    // Visible windows whose name matches the (POSIX extended) pattern.
    std::vector<std::string> findVisible(const std::string &namePattern) const;
    std::string windowName(const std::string &window) const;
    // Position on the screen and size of the window's drawing area; with no
    // window manager a top-level window is its drawing area.
    std::optional<QRect> geometry(const std::string &window) const;
    bool focus(const std::string &window) const;
    // Real key events through the XTest extension, to the focused window.
    bool keys(const std::vector<std::string> &keyNames) const;
    // The whole screen, as it is displayed; a null image if the grab failed.
    QImage screenshot() const;

private:
    CommandResult xdotool(const std::vector<std::string> &args) const;
    std::string display_;
};

}  // namespace rw
