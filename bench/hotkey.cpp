// Times the hidden launcher coming back on its hotkey, as a user calls it:
// Super + K pressed with XTest, until its window is mapped (the client and
// the window manager's frame), has the keyboard focus (FocusIn; the window
// manager's _NET_ACTIVE_WINDOW is shown beside it) and shows its rows
// ("painted", as xsession.h tells it). Escape hides it again, and the next
// press follows. In the same loop, alternately, a bare Xlib window (this
// program started with --xlib-window) is called the same way on Super + J:
// it maps itself, asks the window manager for the focus and draws its rows
// with the core font, nothing more.
//
// Then a second copy of the launcher is started while the first is hidden,
// from exec until the first copy's window is mapped and painted, next to
// `rofi -dmenu` showing the same entries.
//
// Both rounds run with a top list of 20 entries and again with 100,000,
// under a desktop session of the benchmark's own with a tray host. Another
// build of the launcher can be measured instead, to judge a change by the
// build before it (its window module beside it).
//
//   hotkey [--launcher PATH] [presses] [starts] [entries...]
//                          (default 100 presses, 20 starts, 20 and 100000 entries)
//   hotkey --xlib-window WIDTH HEIGHT LETTER
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "xsession.h"

using namespace xsession;

namespace {

constexpr double kFrameMs = 1000.0 / 60;

// The launcher measured: this build's, or another given with --launcher.
std::string launcherBin = BRENNOMIX_BIN;

// The reference: a window that does only what any program called by a key
// must do. It grabs Super + `letter`, and on the key maps itself and asks
// the window manager for the focus with the key's time; on Expose it draws
// one line of text for every 16 pixels of its height; Escape withdraws it.
int xlibWindow(unsigned width, unsigned height, const char* letter) {
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return 1;
    const int screen = DefaultScreen(dpy);
    const Window root = RootWindow(dpy, screen);
    const Window w = XCreateSimpleWindow(dpy, root, 0, 0, width, height, 0, BlackPixel(dpy, screen),
                                         WhitePixel(dpy, screen));
    XClassHint hint{const_cast<char*>("xlibwindow"), const_cast<char*>("XlibWindow")};
    XSetClassHint(dpy, w, &hint);
    XStoreName(dpy, w, "Xlib window");
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(dpy, w, &hints);
    XSelectInput(dpy, w, ExposureMask | KeyPressMask);
    const KeyCode key = XKeysymToKeycode(dpy, XStringToKeysym(letter));
    const KeyCode escape = XKeysymToKeycode(dpy, XK_Escape);
    for (unsigned lock :
         {0u, unsigned(LockMask), unsigned(Mod2Mask), unsigned(LockMask | Mod2Mask)})
        XGrabKey(dpy, key, Mod4Mask | lock, root, True, GrabModeAsync, GrabModeAsync);
    const Atom active = XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False);
    GC gc = XCreateGC(dpy, w, 0, nullptr);
    XSetForeground(dpy, gc, BlackPixel(dpy, screen));
    XSync(dpy, False);
    std::printf("%lu\n", static_cast<unsigned long>(w));
    std::fflush(stdout);
    for (;;) {
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type == KeyPress && e.xkey.window == root && e.xkey.keycode == key) {
            XMapRaised(dpy, w);
            XEvent m{};
            m.xclient.type = ClientMessage;
            m.xclient.window = w;
            m.xclient.message_type = active;
            m.xclient.format = 32;
            m.xclient.data.l[0] = 2;  // a request on the user's behalf
            m.xclient.data.l[1] = long(e.xkey.time);
            XSendEvent(dpy, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &m);
            XFlush(dpy);
        } else if (e.type == Expose && e.xexpose.count == 0) {
            for (unsigned y = 16, i = 1; y < height; y += 16, ++i) {
                const std::string text = "Entry " + std::to_string(i);
                XDrawString(dpy, w, gc, 8, int(y), text.c_str(), int(text.size()));
            }
            XFlush(dpy);
        } else if (e.type == KeyPress && e.xkey.window == w && e.xkey.keycode == escape) {
            XWithdrawWindow(dpy, w, screen);
            XFlush(dpy);
        }
    }
}

struct Recall {
    double mapped = -1, focused = -1, active = -1, painted = -1;
};

struct Series {
    std::vector<double> mapped, focused, active, painted;
    void add(const Recall& r) {
        mapped.push_back(r.mapped);
        focused.push_back(r.focused);
        // Only a window manager that keeps _NET_ACTIVE_WINDOW tells.
        if (r.active >= 0) active.push_back(r.active);
        painted.push_back(r.painted);
    }
};

// Presses keys with XTest and watches one known window come and go.
class KeyProbe {
public:
    explicit KeyProbe(Display* dpy)
        : dpy_(dpy),
          root_(DefaultRootWindow(dpy)),
          activeAtom_(XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False)),
          ink_(dpy) {
        XSelectInput(dpy_, root_, SubstructureNotifyMask | PropertyChangeMask);
        XDamageQueryExtension(dpy_, &damageEvent_, &damageError_);
        damage_ = XDamageCreate(dpy_, root_, XDamageReportNonEmpty);
        XSync(dpy_, False);
    }

    static bool available(Display* dpy) {
        int event = 0, error = 0, major = 0, minor = 0;
        return XTestQueryExtension(dpy, &event, &error, &major, &minor);
    }

    // Follows `w` from now on: its mapping and its focus.
    void watch(Window w) {
        XSelectInput(dpy_, w, StructureNotifyMask | FocusChangeMask);
        XSync(dpy_, False);
    }

    // The first large window of class `name` mapped within `ms`.
    Window waitForWindow(const char* name, int ms) {
        Window found = 0;
        pump(ms, [&](const XEvent& e, double) {
            if (e.type != MapNotify || e.xmap.event != root_) return false;
            const Window client = clientOf(dpy_, e.xmap.window);
            XClassHint hint{};
            if (!client || !XGetClassHint(dpy_, client, &hint)) return false;
            const bool ours = hint.res_name && std::strcmp(hint.res_name, name) == 0;
            if (hint.res_name) XFree(hint.res_name);
            if (hint.res_class) XFree(hint.res_class);
            XWindowAttributes a{};
            if (ours && XGetWindowAttributes(dpy_, client, &a) && a.width > 64 && a.height > 64)
                found = client;
            return found != 0;
        });
        return found;
    }

    // Super + `letter` with XTest; times `w` from the letter's press until
    // it is mapped, focused, active and painted.
    std::optional<Recall> recall(Window w, KeySym letter) {
        forget();
        const KeyCode super = XKeysymToKeycode(dpy_, XK_Super_L);
        const KeyCode key = XKeysymToKeycode(dpy_, letter);
        XTestFakeKeyEvent(dpy_, super, True, CurrentTime);
        XSync(dpy_, False);
        const auto t0 = Clock::now();
        XTestFakeKeyEvent(dpy_, key, True, CurrentTime);
        XTestFakeKeyEvent(dpy_, key, False, CurrentTime);
        XTestFakeKeyEvent(dpy_, super, False, CurrentTime);
        XFlush(dpy_);

        Recall r;
        bool clientMapped = false, frameMapped = false;
        double clientAt = -1, frameAt = -1;
        std::vector<std::pair<double, long>> samples;
        double lastDamage = 0;
        // Settled: shown with the focus, and nothing drawn for a while.
        const auto settled = [&] {
            return r.mapped >= 0 && r.focused >= 0 &&
                   bench::msSince(t0) - std::max(lastDamage, r.mapped) > 200;
        };
        pump(
            3000,
            [&](const XEvent& e, double) {
                const double at = bench::msSince(t0);
                if (e.type == MapNotify && e.xmap.window == w && e.xmap.event == w) {
                    clientMapped = true;
                    clientAt = at;
                } else if (e.type == MapNotify && e.xmap.event == root_ &&
                           e.xmap.window == topOf(w)) {
                    frameMapped = true;
                    frameAt = at;
                } else if (e.type == FocusIn && e.xfocus.window == w && r.focused < 0 &&
                           e.xfocus.detail != NotifyPointer &&
                           (e.xfocus.mode == NotifyNormal || e.xfocus.mode == NotifyWhileGrabbed)) {
                    r.focused = at;
                } else if (e.type == PropertyNotify && e.xproperty.atom == activeAtom_ &&
                           r.active < 0 && activeWindow() == w) {
                    r.active = at;
                } else if (e.type == damageEvent_ + XDamageNotify) {
                    XDamageSubtract(dpy_, damage_, None, None);
                    lastDamage = at;
                    if (r.mapped >= 0) samples.emplace_back(at, ink_(w));
                }
                if (clientMapped && frameMapped && r.mapped < 0) {
                    r.mapped = std::max(clientAt, frameAt);
                    // Damage reported before the window was mapped was taken
                    // off with the rest: what it drew is read now.
                    samples.emplace_back(at, ink_(w));
                }
                return settled();
            },
            settled);
        if (r.mapped < 0 || r.focused < 0) {
            std::fprintf(stderr, "hotkey: window 0x%lx not %s within 3 s\n", w,
                         r.mapped < 0 ? "mapped" : "focused");
            return std::nullopt;
        }
        const long final = ink_(w);
        if (std::getenv("START_TRACE")) {
            std::fprintf(stderr, "0x%lx: mapped %.1f focused %.1f final ink %ld\n", w, r.mapped,
                         r.focused, final);
            for (const auto& [at, amount] : samples)
                std::fprintf(stderr, "  %.1f ms ink %ld\n", at, amount);
        }
        for (const auto& [at, amount] : samples)
            if (final > 0 && amount >= final * 9 / 10) {
                r.painted = at;
                break;
            }
        if (r.painted < 0) {
            std::fprintf(stderr, "hotkey: window 0x%lx never painted\n", w);
            return std::nullopt;
        }
        return r;
    }

    // Escape, typed with XTest into `w` once it has the focus, until `w` is
    // unmapped; then a moment for the program to finish hiding.
    bool hide(Window w) {
        forget();
        if (!hasFocus(w)) {
            bool focused = false;
            pump(3000, [&](const XEvent& e, double) {
                focused = focused || (e.type == FocusIn && e.xfocus.window == w);
                return focused;
            });
            if (!hasFocus(w)) return false;
        }
        const KeyCode escape = XKeysymToKeycode(dpy_, XK_Escape);
        XTestFakeKeyEvent(dpy_, escape, True, CurrentTime);
        XTestFakeKeyEvent(dpy_, escape, False, CurrentTime);
        XFlush(dpy_);
        bool gone = false;
        pump(3000, [&](const XEvent& e, double) {
            gone = gone || (e.type == UnmapNotify && e.xunmap.window == w);
            return gone;
        });
        idle(150);
        return gone;
    }

    // Asks the window manager to focus `w`, as a pager does.
    void activate(Window w) {
        XEvent m{};
        m.xclient.type = ClientMessage;
        m.xclient.window = w;
        m.xclient.message_type = activeAtom_;
        m.xclient.format = 32;
        m.xclient.data.l[0] = 2;
        XSendEvent(dpy_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &m);
        XFlush(dpy_);
    }

    // Lets `ms` pass, reading (and dropping) what the server reports.
    void idle(int ms) {
        pump(ms, [](const XEvent&, double) { return false; });
        forget();
    }

private:
    bool hasFocus(Window w) {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(dpy_, &focus, &revert);
        return focus == w;
    }

    Window activeWindow() {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        Window w = 0;
        if (XGetWindowProperty(dpy_, root_, activeAtom_, 0, 1, False, XA_WINDOW, &type, &format,
                               &items, &after, &data) == Success &&
            data && items == 1 && format == 32)
            w = *reinterpret_cast<Window*>(data);
        if (data) XFree(data);
        return w;
    }

    // The child of the root window that holds `w`: the window manager's
    // frame, or `w` itself.
    Window topOf(Window w) {
        for (;;) {
            Window root = 0, parent = 0, *children = nullptr;
            unsigned int n = 0;
            if (!XQueryTree(dpy_, w, &root, &parent, &children, &n)) return 0;
            if (children) XFree(children);
            if (parent == root_ || parent == 0) return w;
            w = parent;
        }
    }

    // Hands every event to `handle` until it returns true, `done` holds
    // between events, or `ms` have passed.
    void pump(int ms, const std::function<bool(const XEvent&, double)>& handle,
              const std::function<bool()>& done = {}) {
        const auto start = Clock::now();
        for (;;) {
            while (XPending(dpy_)) {
                XEvent e;
                XNextEvent(dpy_, &e);
                if (handle(e, bench::msSince(start))) return;
            }
            if (done && done()) return;
            const double left = ms - bench::msSince(start);
            if (left <= 0) return;
            // Wakes up at least every 20 ms so that `done` is asked again.
            pollfd p{ConnectionNumber(dpy_), POLLIN, 0};
            poll(&p, 1, std::min(20, int(left) + 1));
        }
    }

    void forget() {
        forgetEvents(dpy_, damage_);
        XSync(dpy_, False);
    }

    Display* dpy_;
    Window root_;
    Atom activeAtom_;
    int damageEvent_ = 0, damageError_ = 0;
    Damage damage_ = 0;
    InkReader ink_;
};

// trayer at the bottom edge, as a desktop panel holds the notification
// area; true once it owns the tray selection.
bool startTray(Display* dpy, Child& tray) {
    tray = spawn({"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel",
                  "--width", "120", "--heighttype", "pixel", "--height", "24", "--SetDockType",
                  "true", "--SetPartialStrut", "true"},
                 false);
    const Atom selection = XInternAtom(dpy, "_NET_SYSTEM_TRAY_S0", False);
    for (int i = 0; i < 1000; ++i) {
        drain(tray);
        if (XGetSelectionOwner(dpy, selection) != None) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// A program folder with a top list of `entries` entries and the hotkey
// letter K; what rofi is fed for the same entries goes to `input`.
std::string makeProgramFolder(const std::string& tmp, int entries, std::string& input) {
    const std::string home = tmp + "/home" + std::to_string(entries);
    mkdir(home.c_str(), 0700);
    std::string list;
    input.clear();
    for (int i = 1; i <= entries; ++i) {
        list += "Entry " + std::to_string(i) + "\tprogram" + std::to_string(i) + "\r\n";
        input += "Entry " + std::to_string(i) + "\n";
    }
    std::ofstream(home + "/Brennomix.ini", std::ios::binary) << list;
    std::ofstream(home + "/Brennomix.cfg", std::ios::binary)
        << "Desktop\r\nHotkey=K\r\nWindow2mouse=0\r\nHover select=0\r\nHide when recalled=0\r\n";
    return home;
}

void printKeyTable(const Series& ours, const Series& xlib) {
    using bench::median;
    using bench::percentile;
    std::printf("%-22s %9s %9s %9s %9s %8s\n", "ms", "brennomix", "p95", "Xlib", "p95", "ratio");
    const auto row = [](const char* what, const std::vector<double>& a,
                        const std::vector<double>& b) {
        std::printf("%-22s %9.1f %9.1f %9.1f %9.1f %8.2f\n", what, median(a), percentile(a, 0.95),
                    median(b), percentile(b, 0.95), median(a) / median(b));
    };
    row("key -> mapped", ours.mapped, xlib.mapped);
    row("key -> focused", ours.focused, xlib.focused);
    row("key -> active window", ours.active, xlib.active);
    row("key -> rows painted", ours.painted, xlib.painted);
    std::printf("%-22s %9.2f %9.2f %9.2f %9.2f\n", "painted, in frames",
                median(ours.painted) / kFrameMs, percentile(ours.painted, 0.95) / kFrameMs,
                median(xlib.painted) / kFrameMs, percentile(xlib.painted, 0.95) / kFrameMs);
    std::vector<double> beyond;
    for (size_t i = 0; i < ours.painted.size(); ++i)
        beyond.push_back(ours.painted[i] - xlib.painted[i]);
    std::printf("%-22s %9.1f %9.1f   (brennomix less Xlib, press by press)\n", "painted, extra",
                median(beyond), percentile(beyond, 0.95));
}

struct Round {
    int entries;
    Series ours, xlib;
    std::vector<double> secondMapped, secondPainted, rofiMapped, rofiPainted;
};

// One list size: the launcher started and hidden, then `presses` hotkey
// recalls of it and of the Xlib window alternately, then `starts` second
// copies and rofi alternately. False when something never happened.
bool runRound(Display* dpy, Display* probeDpy, const std::string& tmp, const std::string& self,
              int presses, int starts, Round& out) {
    std::string input;
    setEnv("BRENNOMIX_HOME", makeProgramFolder(tmp, out.entries, input));
    KeyProbe keys(dpy);
    Probe probe(probeDpy);
    Child launcher = spawn({launcherBin}, false);
    Child reference;
    const auto fail = [&](const char* what) {
        std::fprintf(stderr, "hotkey: %d entries: %s\n", out.entries, what);
        stop(reference);
        stop(launcher);
        return false;
    };
    const Window ours = keys.waitForWindow("brennomix", 30000);
    if (!ours) return fail("the launcher's window never came up");
    keys.watch(ours);
    // The first start settles, and the window gets the focus to take the
    // Escape that hides it, as a user's first start does.
    keys.idle(1500);
    keys.activate(ours);
    if (!keys.hide(ours)) return fail("the launcher's window did not hide on Escape");

    XWindowAttributes a{};
    XGetWindowAttributes(dpy, ours, &a);
    reference = spawn(
        {self, "--xlib-window", std::to_string(a.width), std::to_string(a.height), "j"}, false);
    std::string id;
    pollfd p{reference.out, POLLIN, 0};
    for (char c; poll(&p, 1, 10000) > 0;) {
        const ssize_t n = read(reference.out, &c, 1);
        if (n < 0 && errno == EAGAIN) continue;
        if (n != 1 || c == '\n') break;
        id += c;
    }
    const Window xlib = Window(std::strtoul(id.c_str(), nullptr, 10));
    if (!xlib) return fail("the Xlib window did not start");
    keys.watch(xlib);

    // A few presses of each warm the caches the measured ones then share.
    for (int i = -3; i < presses; ++i) {
        drain(launcher);
        const auto r = keys.recall(ours, XK_k);
        if (!r || !keys.hide(ours)) return fail("a hotkey recall of the launcher failed");
        const auto x = keys.recall(xlib, XK_j);
        if (!x || !keys.hide(xlib)) return fail("a hotkey recall of the Xlib window failed");
        if (i < 0) continue;
        out.ours.add(*r);
        out.xlib.add(*x);
    }

    for (int i = -1; i < starts; ++i) {
        drain(launcher);
        const auto second = probe.measure({launcherBin}, {}, 800);
        if (!second) return fail("a second copy did not bring the launcher back");
        if (second->paintedMs < 0) return fail("the launcher called back was never painted");
        if (!keys.hide(ours)) return fail("the launcher called back did not hide on Escape");
        const auto rofi = probe.measure({"rofi", "-dmenu", "-p", "run"}, input, 800);
        if (!rofi || rofi->paintedMs < 0) return fail("rofi was never painted");
        keys.idle(150);
        if (i < 0) continue;
        out.secondMapped.push_back(second->mappedMs);
        out.secondPainted.push_back(second->paintedMs);
        out.rofiMapped.push_back(rofi->mappedMs);
        out.rofiPainted.push_back(rofi->paintedMs);
    }
    stop(reference);
    stop(launcher);
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 5 && std::strcmp(argv[1], "--xlib-window") == 0)
        return xlibWindow(unsigned(std::atoi(argv[2])), unsigned(std::atoi(argv[3])), argv[4]);
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--launcher") == 0) {
        launcherBin = argv[2];
        first = 3;
    }
    const int presses = argc > first ? std::max(1, std::atoi(argv[first])) : 100;
    const int starts = argc > first + 1 ? std::max(1, std::atoi(argv[first + 1])) : 20;

    char folderTemplate[] = "/tmp/brennomix-hotkey-XXXXXX";
    if (!mkdtemp(folderTemplate)) return 1;
    const std::string tmp = folderTemplate;
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0) return 1;

    std::vector<Round> rounds;
    for (int i = first + 2; i < argc; ++i)
        rounds.push_back({std::max(1, std::atoi(argv[i])), {}, {}, {}, {}, {}, {}});
    if (rounds.empty()) rounds = {{20, {}, {}, {}, {}, {}, {}}, {100000, {}, {}, {}, {}, {}, {}}};
    bool ok = true;
    {
        Desktop desktop;
        std::string error = desktop.start(tmp);
        Display* dpy = desktop.display();
        Display* probeDpy = error.empty() ? XOpenDisplay(desktop.name().c_str()) : nullptr;
        Child tray;
        if (error.empty() && !KeyProbe::available(dpy)) error = "no XTest extension";
        if (error.empty() && !startTray(dpy, tray)) error = "no tray host (trayer)";
        if (!error.empty()) std::fprintf(stderr, "hotkey: %s\n", error.c_str());
        ok = error.empty() && probeDpy;
        for (Round& r : rounds)
            if (ok) ok = runRound(dpy, probeDpy, tmp, self, presses, starts, r);
        if (probeDpy) XCloseDisplay(probeDpy);
        stop(tray);
    }
    std::system(("rm -rf '" + tmp + "'").c_str());
    if (!ok) return 1;

    using bench::median;
    using bench::percentile;
    std::printf(
        "Hotkey (Super+K) to the hidden launcher, against a bare Xlib window on Super+J,\n"
        "%d presses each, alternately; one frame is %.1f ms\n",
        presses, kFrameMs);
    for (const Round& r : rounds) {
        std::printf("\ntop list of %d entries\n", r.entries);
        printKeyTable(r.ours, r.xlib);
    }
    std::printf(
        "\nA second copy started while the first is hidden, against rofi -dmenu with the\n"
        "same entries, %d starts each, alternately\n",
        starts);
    for (const Round& r : rounds) {
        std::printf("\ntop list of %d entries\n", r.entries);
        std::printf("%-22s %9s %9s %9s %9s %8s\n", "ms", "brennomix", "p95", "rofi", "p95",
                    "ratio");
        std::printf("%-22s %9.1f %9.1f %9.1f %9.1f %8.2f\n", "exec -> mapped",
                    median(r.secondMapped), percentile(r.secondMapped, 0.95), median(r.rofiMapped),
                    percentile(r.rofiMapped, 0.95), median(r.secondMapped) / median(r.rofiMapped));
        std::printf("%-22s %9.1f %9.1f %9.1f %9.1f %8.2f\n", "exec -> painted",
                    median(r.secondPainted), percentile(r.secondPainted, 0.95),
                    median(r.rofiPainted), percentile(r.rofiPainted, 0.95),
                    median(r.secondPainted) / median(r.rofiPainted));
    }
    return 0;
}
