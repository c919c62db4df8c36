#include "x_close.h"

// Kept apart from every Qt header: Xlib defines macros (None, Bool, Status)
// that collide with them.
#include <X11/Xlib.h>

namespace rw {

bool requestClose(const std::string &display, unsigned long window)
{
    Display *d = XOpenDisplay(display.c_str());
    if (d == nullptr)
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(d, window, False, NoEventMask, &event);
    XSync(d, False);
    XCloseDisplay(d);
    return sent != 0;
}

}  // namespace rw
