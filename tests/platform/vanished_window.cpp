// An X request naming a window that is gone, on a connection of its own:
// the server answers it with an error, which reaches the process's X error
// handler as a late request of SDL's would.

#if LT_HAVE_X11
#include <X11/Xlib.h>
#endif

bool SendToAVanishedWindow()
{
#if LT_HAVE_X11
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return false;
    Window gone = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(d, gone);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = gone;
    e.xclient.format = 32;
    XSendEvent(d, gone, False, NoEventMask, &e);
    XSync(d, False);
    XCloseDisplay(d);
    return true;
#else
    return false;
#endif
}
