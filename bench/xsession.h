#pragma once

// Shared by the benchmarks that watch real windows: a desktop session of
// their own (Xvfb, openbox, a session bus), children started on pipes, and
// a probe that times a program from exec until its window is mapped and
// its rows are painted.
//
// The probe watches the X server: MapNotify of a new top-level window, and
// XDamage on the root window for every drawing. After each batch of damage
// the window's image is read back; "painted" is the first moment its image
// holds at least 90% of the ink (pixels that are not the background
// colour) that it holds once everything has settled, so a window mapped
// empty and filled later counts from the filling; "first drawn" is the
// first moment it holds any.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "benchutil.h"

namespace xsession {

using bench::Clock;

inline std::vector<std::string> environment;

inline void setEnv(const std::string& name, const std::string& value) {
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
inline Child spawn(const std::vector<std::string>& args, bool withInput) {
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
inline void drain(const Child& c) {
    char buf[4096];
    while (read(c.out, buf, sizeof buf) > 0) {
    }
}

inline void stop(Child& c) {
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

inline long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

// Drops every event the server has sent so far and the damage they report,
// so that the next measurement starts from a still screen.
inline void forgetEvents(Display* dpy, Damage damage) {
    XSync(dpy, False);
    while (XPending(dpy)) {
        XEvent e;
        XNextEvent(dpy, &e);
    }
    XDamageSubtract(dpy, damage, None, None);
}

inline int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

inline bool hasProperty(Display* dpy, Window w, Atom property) {
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
inline Window clientOf(Display* dpy, Window top) {
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

// Reads how much ink a window holds: the pixels that are not its most
// frequent colour. The probes read it after every batch of damage, so it
// must not hold them up: the image comes through shared memory when the
// server offers it, and pixels are counted by runs of one colour.
class InkReader {
public:
    explicit InkReader(Display* dpy) : dpy_(dpy), shm_(XShmQueryExtension(dpy)) {}
    ~InkReader() { release(); }
    InkReader(const InkReader&) = delete;
    InkReader& operator=(const InkReader&) = delete;

    // -1 when the window cannot be read.
    long operator()(Window w) {
        XWindowAttributes a{};
        if (!XGetWindowAttributes(dpy_, w, &a) || a.map_state != IsViewable) return -1;
        if (!shm_) {
            XImage* image =
                XGetImage(dpy_, w, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
            if (!image) return -1;
            const long n = count(image);
            XDestroyImage(image);
            return n;
        }
        if (!image_ || a.width != image_->width || a.height != image_->height ||
            a.depth != image_->depth) {
            release();
            image_ = XShmCreateImage(dpy_, a.visual, unsigned(a.depth), ZPixmap, nullptr, &info_,
                                     unsigned(a.width), unsigned(a.height));
            if (!image_) return -1;
            info_.shmid = shmget(IPC_PRIVATE, size_t(image_->bytes_per_line) * image_->height,
                                 IPC_CREAT | 0600);
            info_.shmaddr = image_->data = static_cast<char*>(shmat(info_.shmid, nullptr, 0));
            info_.readOnly = False;
            XShmAttach(dpy_, &info_);
            XSync(dpy_, False);
            // Gone with the last detach, whatever way this program ends.
            shmctl(info_.shmid, IPC_RMID, nullptr);
        }
        if (!XShmGetImage(dpy_, w, image_, 0, 0, AllPlanes)) return -1;
        return count(image_);
    }

private:
    static long count(const XImage* image) {
        std::unordered_map<unsigned long, long> counts;
        for (int y = 0; y < image->height; ++y) {
            unsigned long run = 0, last = 0;
            const auto* row =
                reinterpret_cast<const std::uint32_t*>(image->data + y * image->bytes_per_line);
            for (int x = 0; x < image->width; ++x) {
                const unsigned long pixel = image->bits_per_pixel == 32
                                                ? row[x] & 0xffffffu
                                                : XGetPixel(const_cast<XImage*>(image), x, y);
                if (run > 0 && pixel != last) {
                    counts[last] += long(run);
                    run = 0;
                }
                last = pixel;
                ++run;
            }
            if (run > 0) counts[last] += long(run);
        }
        long most = 0, all = long(image->width) * image->height;
        for (const auto& [pixel, n] : counts) most = std::max(most, n);
        return all - most;
    }

    void release() {
        if (!image_) return;
        XShmDetach(dpy_, &info_);
        XSync(dpy_, False);
        shmdt(info_.shmaddr);
        image_->data = nullptr;
        XDestroyImage(image_);
        image_ = nullptr;
    }

    Display* dpy_;
    bool shm_;
    XImage* image_ = nullptr;
    XShmSegmentInfo info_{};
};

struct Start {
    // Painted: the rows are there; drawn: the window first shows anything.
    double mappedMs = -1, drawnMs = -1, paintedMs = -1;
    long rssKb = -1;
};

class Probe {
public:
    explicit Probe(Display* dpy) : dpy_(dpy), root_(DefaultRootWindow(dpy)), ink_(dpy) {
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
                    // Damage reported before the window was known was taken
                    // off with the rest: what it drew is read now.
                    samples.emplace_back(at, ink_(client));
                } else if (e.type == damageEvent_ + XDamageNotify) {
                    XDamageSubtract(dpy_, damage_, None, None);
                    if (client) samples.emplace_back(at, ink_(client));
                }
            }
        }
        if (client) {
            const long final = ink_(client);
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
    void forget() { forgetEvents(dpy_, damage_); }

    Display* dpy_;
    Window root_;
    int damageEvent_ = 0, damageError_ = 0;
    Damage damage_ = 0;
    InkReader ink_;
};

// Xvfb on a display of its choosing, and openbox on it; the display name.
inline std::string startX(Child& xvfb, Child& wm) {
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
inline std::string startSessionBus(Child& bus) {
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

inline bool waitForWindowManager(Display* dpy) {
    const Atom check = XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False);
    for (int i = 0; i < 1000; ++i) {
        if (hasProperty(dpy, DefaultRootWindow(dpy), check)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// The desktop session a benchmark runs its programs in: a session bus,
// Xvfb and openbox, with a home and a runtime folder under `tmp`. Every
// child started later sees them through `environment`.
class Desktop {
public:
    // Empty when all is up, else what failed.
    std::string start(const std::string& tmp) {
        for (char** e = environ; *e; ++e) environment.emplace_back(*e);
        const std::string runtime = tmp + "/runtime", user = tmp + "/user";
        for (const std::string& d : {runtime, user}) mkdir(d.c_str(), 0700);
        setEnv("XDG_RUNTIME_DIR", runtime);
        setEnv("HOME", user);
        setEnv("XDG_CONFIG_HOME", user + "/.config");
        setEnv("QT_QPA_PLATFORM", "xcb");
        std::erase_if(environment,
                      [](const std::string& e) { return e.rfind("WAYLAND_", 0) == 0; });
        const std::string busAddress = startSessionBus(bus_);
        if (busAddress.empty()) return "no session bus (dbus-daemon)";
        setEnv("DBUS_SESSION_BUS_ADDRESS", busAddress);
        display_ = startX(xvfb_, wm_);
        dpy_ = display_.empty() ? nullptr : XOpenDisplay(display_.c_str());
        if (!dpy_ || !waitForWindowManager(dpy_)) return "no X server with a window manager";
        XSetErrorHandler(ignoreErrors);
        return {};
    }

    ~Desktop() {
        if (dpy_) XCloseDisplay(dpy_);
        stop(wm_);
        stop(xvfb_);
        stop(bus_);
    }

    // The benchmark's own connection to the server, and its name.
    Display* display() const { return dpy_; }
    const std::string& name() const { return display_; }

private:
    Child bus_, xvfb_, wm_;
    std::string display_;
    Display* dpy_ = nullptr;
};

}  // namespace xsession
