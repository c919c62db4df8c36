// Snoutsum: start-up. Creates the window, binds its events to the game and
// runs the event loop until the window is closed.

#include <QApplication>
#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "form1.h"
#include "game.h"
#include "qt_host.h"

namespace {

constexpr const char* kUsage = "usage: snoutsum [--help | --version]";

constexpr const char* kNoDisplay =
    "snoutsum: cannot open a display: set DISPLAY to an X server or WAYLAND_DISPLAY to a Wayland compositor\n";

// While the platform is brought up, Qt's own complaints are held back and a
// fatal one (no display) becomes one plain line and exit status 1, rather
// than a page of advice and an abort with a core dump.
void startupMessages(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplay, stderr);
        std::_Exit(1);
    }
}

// The game takes no options but these two. Returns an exit status when the
// command line is answered without the window, or -1 to go on.
int handleArguments(int argc, char** argv)
{
    if (argc < 2)
        return -1;
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::puts(kUsage);
        std::puts("Arrow keys move the cursor, Z exchanges its two tiles; make a row add up to 10.");
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("Snoutsum 1.00");
        return 0;
    }
    std::fprintf(stderr, "snoutsum: unexpected argument '%s' (%s)\n", argv[1], kUsage);
    return 2;
}

// Only the platform's display connection can tell whether a display is
// there, but without any name to connect to there is nothing to try.
bool displayNamed()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qgetenv("DISPLAY").isEmpty() ||
           !qgetenv("WAYLAND_DISPLAY").isEmpty();
}

} // namespace

int main(int argc, char** argv)
{
    if (const int status = handleArguments(argc, argv); status >= 0)
        return status;

    if (!displayNamed()) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    qInstallMessageHandler(startupMessages);
    // Qt only reads its own options; with none given it gets just the name.
    int qtArgc = 1;
    snoutsum::usePhysicalPixels();
    QApplication app(qtArgc, argv);
    qInstallMessageHandler(nullptr);

    snoutsum::Form1 window;
    snoutsum::QtHost host(window);
    snoutsum::Game game(host);
    host.bind(game);

    game.Form_Load(); // deals and draws the title before anything shows
    window.centreOnScreen();
    window.show();
    return app.exec();
}
