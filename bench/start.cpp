// Times the launcher's first start, from exec until its window is mapped
// and its rows are painted, next to `rofi -dmenu` showing the same 20
// entries, started alternately under one X server of the benchmark's own
// (Xvfb with openbox). Also compares the resident memory of both once the
// window is up.
//
//   start [rounds] [other-brennomix]    (default 10 rounds)
//
// Another build of the launcher given as second argument is started in the
// same loop too, so that a change can be judged against the build before.
//
// With START_TRACE set, each start's damage samples go to standard error.
//
// Both run as in a desktop session: under a window manager, with a session
// bus. The probe watches the X server: MapNotify of a new top-level window, and
// XDamage on the root window for every drawing. After each batch of
// damage the window's image is read back; "painted" is the first moment
// its image holds at least 90% of the ink (pixels that are not the
// background colour) that it holds once everything has settled, so a
// window mapped empty and filled later counts from the filling; "first
// drawn" is the first moment it holds any.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "benchutil.h"

using bench::Clock;

namespace {

std::vector<std::string> environment;

void setEnv(const std::string& name, const std::string& value) {
    std::erase_if(environment, [&](const std::string& e) { return e.rfind(name + '=', 0) == 0; });
    environment.push_back(name + '=' + value);
}

struct Child {
    pid_t pid = -1;
    int in = -1;   // its standard input, when given
    int out = -1;  // its standard output, a pipe read by the benchmark
};

// Starts `args` with standard output (and error) on a pipe, and standard
// input on a pipe when `withInput`.
Child spawn(const std::vector<std::string>& args, bool withInput) {
    std::vector<char*> argv, envp;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    int out[2], in[2] = {-1, -1};
    if (pipe2(out, O_CLOEXEC) != 0) return {};
    if (withInput && pipe2(in, O_CLOEXEC) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, out[1], 2);
    if (withInput) posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    Child c;
    if (posix_spawnp(&c.pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) c.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    c.out = out[0];
    fcntl(c.out, F_SETFL, O_NONBLOCK);
    if (withInput) {
        close(in[0]);
        c.in = in[1];
    }
    return c;
}

// Reads whatever the child wrote so far, so it never blocks on a full pipe.
void drain(const Child& c) {
    char buf[4096];
    while (read(c.out, buf, sizeof buf) > 0) {
    }
}

void stop(Child& c) {
    if (c.in >= 0) close(c.in);
    if (c.pid > 0) {
        kill(c.pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 200 && waitpid(c.pid, &status, WNOHANG) == 0; ++i) {
            drain(c);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (kill(c.pid, 0) == 0) {
            kill(c.pid, SIGKILL);
            waitpid(c.pid, &status, 0);
        }
    }
    if (c.out >= 0) close(c.out);
    c = {};
}

long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

bool hasProperty(Display* dpy, Window w, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(dpy, w, property, 0, 0, False, AnyPropertyType, &type,
                                          &format, &items, &after, &data) == Success &&
                       type != None;
    if (data) XFree(data);
    return found;
}

// The program's own window under `top`: `top` itself, or the child a
// window manager's frame holds, found by its WM_CLASS.
Window clientOf(Display* dpy, Window top) {
    if (hasProperty(dpy, top, XA_WM_CLASS)) return top;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    Window found = 0;
    if (XQueryTree(dpy, top, &root, &parent, &children, &n)) {
        for (unsigned int i = 0; i < n && !found; ++i) found = clientOf(dpy, children[i]);
        if (children) XFree(children);
    }
    return found;
}

// Pixels that are not the window's most frequent colour; -1 when the
// window cannot be read.
long ink(Display* dpy, Window w) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(dpy, w, &a) || a.map_state != IsViewable) return -1;
    XImage* image =
        XGetImage(dpy, w, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    if (!image) return -1;
    std::map<unsigned long, long> counts;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) ++counts[XGetPixel(image, x, y)];
    long most = 0, all = long(image->width) * image->height;
    for (const auto& [pixel, count] : counts) most = std::max(most, count);
    XDestroyImage(image);
    return all - most;
}

struct Start {
    // Painted: the rows are there; drawn: the window first shows anything.
    double mappedMs = -1, drawnMs = -1, paintedMs = -1;
    long rssKb = -1;
};

class Probe {
public:
    explicit Probe(Display* dpy) : dpy_(dpy), root_(DefaultRootWindow(dpy)) {
        XSelectInput(dpy_, root_, SubstructureNotifyMask);
        XDamageQueryExtension(dpy_, &damageEvent_, &damageError_);
        damage_ = XDamageCreate(dpy_, root_, XDamageReportNonEmpty);
        XSync(dpy_, False);
    }

    // Starts `args` (feeding `input` when not empty) and watches its first
    // window for `settleMs` after it is mapped.
    std::optional<Start> measure(const std::vector<std::string>& args, const std::string& input,
                                 int settleMs) {
        forget();
        const auto t0 = Clock::now();
        Child child = spawn(args, !input.empty());
        if (child.pid <= 0) return std::nullopt;
        if (!input.empty()) {
            (void)!write(child.in, input.data(), input.size());
            close(child.in);
            child.in = -1;
        }
        Window top = 0, client = 0;
        std::vector<std::pair<double, long>> samples;
        const auto deadline = t0 + std::chrono::seconds(20);
        std::optional<Clock::time_point> settleAt;
        Start s;
        for (;;) {
            const auto now = Clock::now();
            if (settleAt ? now >= *settleAt : now >= deadline) break;
            const auto until = settleAt ? *settleAt : deadline;
            pollfd p[2] = {{ConnectionNumber(dpy_), POLLIN, 0}, {child.out, POLLIN, 0}};
            if (XPending(dpy_) == 0) {
                poll(p, 2,
                     int(std::chrono::duration_cast<std::chrono::milliseconds>(until - now)
                             .count()) +
                         1);
                if (p[1].revents) drain(child);
            }
            while (XPending(dpy_)) {
                XEvent e;
                XNextEvent(dpy_, &e);
                const double at = bench::msSince(t0);
                if (e.type == MapNotify && e.xmap.event == root_ && !top) {
                    top = e.xmap.window;
                    client = clientOf(dpy_, top);
                    if (!client) client = top;
                    s.mappedMs = at;
                    settleAt = Clock::now() + std::chrono::milliseconds(settleMs);
                } else if (e.type == damageEvent_ + XDamageNotify) {
                    XDamageSubtract(dpy_, damage_, None, None);
                    if (client) samples.emplace_back(at, ink(dpy_, client));
                }
            }
        }
        if (client) {
            const long final = ink(dpy_, client);
            if (std::getenv("START_TRACE")) {
                std::fprintf(stderr, "%s: mapped %.1f ms, final ink %ld\n", args[0].c_str(),
                             s.mappedMs, final);
                for (const auto& [at, amount] : samples)
                    std::fprintf(stderr, "  %.1f ms ink %ld\n", at, amount);
            }
            for (const auto& [at, amount] : samples)
                if (amount > 0) {
                    s.drawnMs = at;
                    break;
                }
            for (const auto& [at, amount] : samples)
                if (final > 0 && amount >= final * 9 / 10) {
                    s.paintedMs = at;
                    break;
                }
            s.rssKb = residentKb(child.pid);
        }
        stop(child);
        // The window is gone before the next start is watched.
        XSync(dpy_, False);
        forget();
        if (!client) return std::nullopt;
        return s;
    }

private:
    void forget() {
        XSync(dpy_, False);
        while (XPending(dpy_)) {
            XEvent e;
            XNextEvent(dpy_, &e);
        }
        XDamageSubtract(dpy_, damage_, None, None);
    }

    Display* dpy_;
    Window root_;
    int damageEvent_ = 0, damageError_ = 0;
    Damage damage_ = 0;
};

// Xvfb on a display of its choosing, and openbox on it; the display name.
std::string startX(Child& xvfb, Child& wm) {
    int fd[2];
    if (pipe(fd) != 0) return {};
    xvfb = spawn({"Xvfb", "-displayfd", std::to_string(fd[1]), "-screen", "0", "1280x1024x24",
                  "-nolisten", "tcp", "-dpi", "96"},
                 false);
    close(fd[1]);
    std::string number;
    char c;
    pollfd p{fd[0], POLLIN, 0};
    while (poll(&p, 1, 10000) > 0 && read(fd[0], &c, 1) == 1 && c != '\n') number += c;
    close(fd[0]);
    if (number.empty()) return {};
    const std::string display = ":" + number;
    setEnv("DISPLAY", display);
    wm = spawn({"openbox"}, false);
    return display;
}

// A session bus of the benchmark's own, as every desktop session has one:
// without it Qt would start dbus-launch at each start, which no desktop
// user ever pays for. Its address, or "" when none could be started.
std::string startSessionBus(Child& bus) {
    bus = spawn({"dbus-daemon", "--session", "--nofork", "--print-address=1"}, false);
    if (bus.pid <= 0) return {};
    std::string address;
    char c;
    pollfd p{bus.out, POLLIN, 0};
    while (poll(&p, 1, 10000) > 0) {
        const ssize_t n = read(bus.out, &c, 1);
        if (n < 0 && errno == EAGAIN) continue;
        if (n != 1 || c == '\n') break;
        address += c;
    }
    return address;
}

bool waitForWindowManager(Display* dpy) {
    const Atom check = XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False);
    for (int i = 0; i < 1000; ++i) {
        if (hasProperty(dpy, DefaultRootWindow(dpy), check)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

struct Series {
    std::vector<double> mapped, drawn, painted, rss;
    void add(const Start& s) {
        mapped.push_back(s.mappedMs);
        drawn.push_back(s.drawnMs);
        if (s.paintedMs >= 0) painted.push_back(s.paintedMs);
        rss.push_back(double(s.rssKb) / 1024);
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const std::string launcher = BRENNOMIX_BIN;
    const std::string other = argc > 2 ? argv[2] : "";

    char folderTemplate[] = "/tmp/brennomix-start-XXXXXX";
    if (!mkdtemp(folderTemplate)) return 1;
    const std::string tmp = folderTemplate;
    const std::string home = tmp + "/home", runtime = tmp + "/runtime", user = tmp + "/user";
    for (const std::string& d : {home, runtime, user}) mkdir(d.c_str(), 0700);
    std::string list, input;
    for (int i = 1; i <= 20; ++i) {
        list += "Entry " + std::to_string(i) + "\tprogram" + std::to_string(i) + "\r\n";
        input += "Entry " + std::to_string(i) + "\n";
    }
    std::ofstream(home + "/Brennomix.ini", std::ios::binary) << list;

    for (char** e = environ; *e; ++e) environment.emplace_back(*e);
    setEnv("BRENNOMIX_HOME", home);
    setEnv("XDG_RUNTIME_DIR", runtime);
    setEnv("HOME", user);
    setEnv("XDG_CONFIG_HOME", user + "/.config");
    setEnv("QT_QPA_PLATFORM", "xcb");
    std::erase_if(environment, [](const std::string& e) { return e.rfind("WAYLAND_", 0) == 0; });

    Child bus, xvfb, wm;
    const std::string busAddress = startSessionBus(bus);
    if (busAddress.empty()) {
        std::fprintf(stderr, "start: no session bus (dbus-daemon)\n");
        stop(bus);
        return 1;
    }
    setEnv("DBUS_SESSION_BUS_ADDRESS", busAddress);
    const std::string display = startX(xvfb, wm);
    Display* dpy = display.empty() ? nullptr : XOpenDisplay(display.c_str());
    if (!dpy || !waitForWindowManager(dpy)) {
        std::fprintf(stderr, "start: no X server with a window manager\n");
        stop(wm);
        stop(xvfb);
        stop(bus);
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    Probe probe(dpy);

    constexpr int kSettleMs = 1500;
    Series ours, rofi, before;
    bool ok = true;
    // A first round of each warms the caches the others then share.
    for (int i = -1; i < rounds && ok; ++i) {
        const auto a = probe.measure({launcher}, {}, kSettleMs);
        const auto b = probe.measure({"rofi", "-dmenu", "-p", "run"}, input, kSettleMs);
        const auto c = other.empty() ? a : probe.measure({other}, {}, kSettleMs);
        ok = a && b && c;
        if (ok && i >= 0) {
            ours.add(*a);
            rofi.add(*b);
            before.add(*c);
        }
    }
    XCloseDisplay(dpy);
    stop(wm);
    stop(xvfb);
    stop(bus);
    std::system(("rm -rf '" + tmp + "'").c_str());
    if (!ok || ours.painted.size() != ours.mapped.size() ||
        rofi.painted.size() != rofi.mapped.size()) {
        std::fprintf(stderr, "start: a window was never mapped or painted\n");
        return 1;
    }

    using bench::median;
    std::printf("%d first starts each, a list of 20 entries, alternately\n", rounds);
    std::printf("%-24s %10s %10s %8s\n", "median", "brennomix", "rofi", "ratio");
    const auto row = [](const char* what, const std::vector<double>& a,
                        const std::vector<double>& b) {
        std::printf("%-24s %10.1f %10.1f %8.2f\n", what, median(a), median(b),
                    median(a) / median(b));
    };
    row("exec -> mapped, ms", ours.mapped, rofi.mapped);
    row("exec -> first drawn, ms", ours.drawn, rofi.drawn);
    row("exec -> painted, ms", ours.painted, rofi.painted);
    row("resident memory, MB", ours.rss, rofi.rss);
    std::printf("%-24s %10.1f %10.1f\n", "p95 painted, ms", bench::percentile(ours.painted, 0.95),
                bench::percentile(rofi.painted, 0.95));
    if (!other.empty()) {
        std::printf("\n%s, same loop\n", other.c_str());
        std::printf("%-24s %10s %10s %8s\n", "median", "this", "other", "ratio");
        row("exec -> mapped, ms", ours.mapped, before.mapped);
        row("exec -> first drawn, ms", ours.drawn, before.drawn);
        row("exec -> painted, ms", ours.painted, before.painted);
        row("resident memory, MB", ours.rss, before.rss);
    }
    return 0;
}
