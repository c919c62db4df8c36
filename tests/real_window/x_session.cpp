#include "x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char **environ;

namespace rw {

Environment Environment::inherited()
{
    Environment env;
    for (char **e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        const auto eq = entry.find('=');
        if (eq != std::string::npos)
            env.vars_[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    return env;
}

std::vector<std::string> Environment::entries() const
{
    std::vector<std::string> out;
    for (const auto &[name, value] : vars_)
        out.push_back(name + "=" + value);
    return out;
}

namespace {

struct CStrings {
    explicit CStrings(const std::vector<std::string> &strings)
    {
        for (const auto &s : strings)
            ptrs.push_back(const_cast<char *>(s.c_str()));
        ptrs.push_back(nullptr);
    }
    std::vector<char *> ptrs;
};

// In the child, between fork and exec: own process group, die with the
// parent, and the given descriptors on 0, 1, 2. Only async-signal-safe calls.
[[noreturn]] void execChild(const CStrings &argv, const CStrings &envp, int in, int out, int err,
                            int keep)
{
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != keep)
            close(fd);
    execvpe(argv.ptrs[0], argv.ptrs.data(), envp.ptrs.data());
    _exit(127);
}

int decodeStatus(int status)
{
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void killGroup(int pid)
{
    if (pid > 0) {
        kill(-pid, SIGKILL);
        kill(pid, SIGKILL);
    }
}

}  // namespace

CommandResult runCommand(const std::vector<std::string> &argv, const Environment &env,
                         Millis timeout)
{
    int outPipe[2], errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const CStrings cargv(argv);
    const auto envEntries = env.entries();
    const CStrings cenv(envEntries);

    const pid_t pid = fork();
    if (pid == 0)
        execChild(cargv, cenv, devNull, outPipe[1], errPipe[1], -1);
    close(outPipe[1]);
    close(errPipe[1]);
    close(devNull);
    if (pid < 0)
        throw std::runtime_error("fork failed");

    CommandResult result;
    const auto deadline = Clock::now() + timeout;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string *sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        const auto left = std::chrono::duration_cast<Millis>(deadline - Clock::now()).count();
        if (left <= 0) {
            result.timedOut = true;
            break;
        }
        if (poll(fds, 2, static_cast<int>(left)) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            char buf[65536];
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (auto &fd : fds)
        if (fd.fd >= 0)
            close(fd.fd);
    if (result.timedOut)
        killGroup(pid);
    int status = 0;
    // The pipes are closed; the child is about to end (or was just killed).
    const auto reapDeadline = Clock::now() + Millis(2000);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > reapDeadline) {
            killGroup(pid);
            waitpid(pid, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(Millis(5));
    }
    result.exitStatus = decodeStatus(status);
    return result;
}

ChildProcess::ChildProcess(const std::vector<std::string> &argv, const Environment &env,
                           const std::string &stderrPath, int extraFd)
{
    const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
    const int err = open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (devNull < 0 || err < 0)
        throw std::runtime_error("cannot open " + stderrPath);
    const CStrings cargv(argv);
    const auto envEntries = env.entries();
    const CStrings cenv(envEntries);
    pid_ = fork();
    if (pid_ == 0) {
        if (extraFd >= 0)
            fcntl(extraFd, F_SETFD, 0);  // keep it across exec
        execChild(cargv, cenv, devNull, devNull, err, extraFd);
    }
    close(devNull);
    close(err);
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
}

ChildProcess::~ChildProcess()
{
    stop();
}

std::optional<int> ChildProcess::waitForExit(Millis timeout)
{
    if (status_)
        return status_;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid_, &status, WNOHANG);
        if (r == pid_) {
            status_ = decodeStatus(status);
            return status_;
        }
        if (r < 0 || Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(Millis(10));
    }
}

void ChildProcess::stop()
{
    if (pid_ <= 0 || status_)
        return;
    // Politely first, so Xvfb removes its lock file; then for sure.
    kill(-pid_, SIGTERM);
    if (!waitForExit(Millis(3000))) {
        killGroup(pid_);
        waitForExit(Millis(3000));
    }
    killGroup(pid_);  // anything left in the group
}

XServer::XServer(const std::string &logPath)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    // -displayfd: the server picks a free display itself and writes its number
    // to the pipe only once it accepts connections, so there is nothing to
    // guess and no race with other servers on the machine.
    process_.emplace(std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen",
                                              "0", "1024x768x24", "-nolisten", "tcp"},
                     Environment::inherited(), logPath, fds[1]);
    close(fds[1]);

    std::string number;
    const auto deadline = Clock::now() + Millis(15000);
    pollfd pfd{fds[0], POLLIN, 0};
    while (number.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<Millis>(deadline - Clock::now()).count();
        if (left <= 0 || poll(&pfd, 1, static_cast<int>(left)) <= 0)
            break;
        char buf[32];
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n <= 0)
            break;
        number.append(buf, static_cast<size_t>(n));
    }
    close(fds[0]);
    if (number.find('\n') == std::string::npos)
        throw std::runtime_error("Xvfb did not report a display (see " + logPath + ")");
    display_ = ":" + number.substr(0, number.find('\n'));
}

XTools::XTools(std::string display) : display_(std::move(display)) {}

Environment XTools::environment() const
{
    Environment env = Environment::inherited();
    env.set("DISPLAY", display_);
    env.unset("WAYLAND_DISPLAY");
    env.unset("QT_QPA_PLATFORM");
    return env;
}

CommandResult XTools::xdotool(const std::vector<std::string> &args) const
{
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return runCommand(argv, environment(), Millis(5000));
}

std::vector<std::string> XTools::findVisible(const std::string &namePattern) const
{
    // Exit status 1 only means "no match"; the list is what counts.
    const auto r = xdotool({"search", "--onlyvisible", "--name", namePattern});
    std::vector<std::string> ids;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty())
            ids.push_back(line);
    return ids;
}

std::string XTools::windowName(const std::string &window) const
{
    auto out = xdotool({"getwindowname", window}).out;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

std::optional<QRect> XTools::geometry(const std::string &window) const
{
    const auto r = xdotool({"getwindowgeometry", "--shell", window});
    if (!r.ok())
        return std::nullopt;
    std::map<std::string, int> v;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        const auto eq = line.find('=');
        if (eq != std::string::npos && line.substr(0, eq) != "WINDOW")
            v[line.substr(0, eq)] = std::atoi(line.c_str() + eq + 1);
    }
    if (!v.count("X") || !v.count("Y") || !v.count("WIDTH") || !v.count("HEIGHT"))
        return std::nullopt;
    return QRect(v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]);
}

bool XTools::focus(const std::string &window) const
{
    return xdotool({"windowfocus", "--sync", window}).ok();
}

bool XTools::keys(const std::vector<std::string> &keyNames) const
{
    // A short gap between presses: each one a separate event, as a player
    // would type them.
    std::vector<std::string> args{"key", "--delay", "30"};
    args.insert(args.end(), keyNames.begin(), keyNames.end());
    return xdotool(args).ok();
}

QImage XTools::screenshot() const
{
    const auto r = runCommand({"import", "-display", display_, "-window", "root", "png:-"},
                              environment(), Millis(10000));
    if (!r.ok())
        return {};
    QImage image;
    image.loadFromData(QByteArray(r.out.data(), static_cast<qsizetype>(r.out.size())), "PNG");
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace rw
