// Asking a window to close the way a window manager's close box does: a
// WM_DELETE_WINDOW client message. xdotool has no such command in the
// version Debian ships, and no window manager runs under the test's Xvfb.
#pragma once

#include <string>

namespace rw {

// True once the request was delivered to the X server.
bool requestClose(const std::string &display, unsigned long window);

}  // namespace rw
