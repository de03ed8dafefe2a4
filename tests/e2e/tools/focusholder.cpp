// Another application the user is typing into, as a file manager is: a
// window titled "focusholder" that, like GTK programs, sets its
// _NET_WM_USER_TIME to the time of every key press it gets, so a window
// manager's focus-stealing prevention sees a user at work there. Prints
// "key <keysym name>" for every key it receives, until it is killed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>

int main() {
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "focusholder: no display\n");
        return 2;
    }
    const Window w = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 100, 100, 400, 300, 0, 0,
                                         WhitePixel(dpy, DefaultScreen(dpy)));
    XStoreName(dpy, w, "focusholder");
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(dpy, w, &hints);
    XSelectInput(dpy, w, KeyPressMask | FocusChangeMask);
    const Atom userTime = XInternAtom(dpy, "_NET_WM_USER_TIME", False);
    XMapWindow(dpy, w);
    XFlush(dpy);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    for (;;) {
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type != KeyPress) continue;
        const unsigned long t = e.xkey.time;
        XChangeProperty(dpy, w, userTime, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&t), 1);
        XFlush(dpy);
        const char* name = XKeysymToString(XLookupKeysym(&e.xkey, 0));
        std::printf("key %s\n", name ? name : "?");
    }
}
