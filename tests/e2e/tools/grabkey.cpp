// Holds Super + a key on the root window the way another application's
// global shortcut does: grabkey <key>. Prints "grabbed" once the X server
// has granted the grab (or "taken" and exits 1), then "pressed" for every
// press, until it is killed.
#include <X11/Xlib.h>

#include <cstdio>
#include <initializer_list>

namespace {
bool refused = false;
int onError(Display*, XErrorEvent* e) {
    if (e->error_code == BadAccess) refused = true;
    return 0;
}
}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: grabkey <key>\n");
        return 2;
    }
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "grabkey: no display\n");
        return 2;
    }
    const KeyCode key = XKeysymToKeycode(dpy, XStringToKeysym(argv[1]));
    if (key == 0) {
        std::fprintf(stderr, "grabkey: no key %s\n", argv[1]);
        return 2;
    }
    XSetErrorHandler(onError);
    const Window root = DefaultRootWindow(dpy);
    for (unsigned extra :
         {0u, unsigned(LockMask), unsigned(Mod2Mask), unsigned(LockMask | Mod2Mask)})
        XGrabKey(dpy, key, Mod4Mask | extra, root, True, GrabModeAsync, GrabModeAsync);
    XSync(dpy, False);
    std::puts(refused ? "taken" : "grabbed");
    std::fflush(stdout);
    if (refused) return 1;
    for (;;) {
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type == KeyPress) {
            std::puts("pressed");
            std::fflush(stdout);
        }
    }
}
