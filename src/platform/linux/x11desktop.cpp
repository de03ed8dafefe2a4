#include "platform/linux/x11desktop.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QList>

#include <cstdlib>
#include <cstring>
#include <vector>

// Xlib only for the default root window of the display Qt opened; every
// request goes over Qt's own xcb connection.
#include <X11/Xlib.h>
#include <xcb/xcb.h>
#include <xcb/xproto.h>

namespace {

constexpr std::uint32_t kNumLockKeysym = 0xff7f;
constexpr std::uint8_t kBadAccess = 10;
// _NET_ACTIVE_WINDOW source indication of pagers and other tools that act
// for the user: the window manager does not second-guess such requests.
constexpr std::uint32_t kSourceUser = 2;

template <typename T>
struct Freed {
    T* p;
    explicit Freed(T* ptr) : p(ptr) {}
    ~Freed() { std::free(p); }
    Freed(const Freed&) = delete;
    Freed& operator=(const Freed&) = delete;
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

// The keysyms a character can be typed with: Latin-1 characters are their
// own keysym, others the Unicode keysym. Letters also by their lower case.
std::vector<std::uint32_t> keysymsFor(int character) {
    std::vector<std::uint32_t> out;
    auto add = [&](int c) {
        if (c >= 0x20 && c <= 0xff && c != 0x7f)
            out.push_back(std::uint32_t(c));
        else if (c > 0xff)
            out.push_back(0x01000000u | std::uint32_t(c));
    };
    add(character);
    const int lower = QChar(char16_t(character)).toLower().unicode();
    if (lower != character) add(lower);
    return out;
}

}  // namespace

struct X11Desktop::Impl : public QAbstractNativeEventFilter {
    xcb_connection_t* conn = nullptr;
    xcb_window_t root = 0;
    xcb_atom_t frameExtents = 0, activeWindow = 0;
    // Grab 0 is the Super hotkey, grab 1 the menu entry's combination.
    struct KeyGrab {
        xcb_keycode_t key = 0;
        std::uint16_t mods = 0;  // without the lock variants
        QList<std::uint16_t> grabbed;
        xcb_timestamp_t lastRelease = 0;
    };
    KeyGrab grabs[2];
    X11Desktop* owner = nullptr;
    // The X time of the latest press of a grabbed key or of a button on one
    // of our windows (the tray icon), and when it came: the user action an
    // activation request that follows at once answers.
    xcb_timestamp_t inputTime = XCB_CURRENT_TIME;
    QElapsedTimer inputClock;

    void noteInput(xcb_timestamp_t time) {
        inputTime = time;
        inputClock.start();
    }

    xcb_atom_t atom(const char* name) {
        Freed<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(
            conn, xcb_intern_atom(conn, 0, std::uint16_t(std::strlen(name)), name), nullptr));
        return r ? r->atom : 0;
    }

    // Every keycode whose keysyms include one of `syms`.
    std::vector<xcb_keycode_t> keycodesFor(const std::vector<std::uint32_t>& syms) {
        std::vector<xcb_keycode_t> out;
        const xcb_setup_t* setup = xcb_get_setup(conn);
        const int first = setup->min_keycode, count = setup->max_keycode - first + 1;
        Freed<xcb_get_keyboard_mapping_reply_t> map(xcb_get_keyboard_mapping_reply(
            conn, xcb_get_keyboard_mapping(conn, xcb_keycode_t(first), std::uint8_t(count)),
            nullptr));
        if (!map) return out;
        const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(map.p);
        const int per = map->keysyms_per_keycode;
        for (int k = 0; k < count; ++k)
            for (int i = 0; i < per; ++i)
                for (std::uint32_t s : syms)
                    if (keysyms[k * per + i] == s) {
                        out.push_back(xcb_keycode_t(first + k));
                        i = per;
                        break;
                    }
        return out;
    }

    // The modifier bit NumLock sets (Mod2 on most keyboards).
    std::uint16_t numLockMask() {
        const std::vector<xcb_keycode_t> numLock = keycodesFor({kNumLockKeysym});
        Freed<xcb_get_modifier_mapping_reply_t> mods(
            xcb_get_modifier_mapping_reply(conn, xcb_get_modifier_mapping(conn), nullptr));
        if (!mods || numLock.empty()) return XCB_MOD_MASK_2;
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(mods.p);
        const int per = mods->keycodes_per_modifier;
        for (int m = 0; m < 8; ++m)
            for (int i = 0; i < per; ++i)
                for (xcb_keycode_t k : numLock)
                    if (codes[m * per + i] == k) return std::uint16_t(1 << m);
        return XCB_MOD_MASK_2;
    }

    void ungrab(KeyGrab& g) {
        for (std::uint16_t m : g.grabbed) xcb_ungrab_key(conn, g.key, root, m);
        g.grabbed.clear();
        g.key = 0;
        xcb_flush(conn);
    }

    // Grabs `key` with `mods` and with every combination of NumLock and
    // CapsLock; all or nothing.
    Grab grab(KeyGrab& g, const std::vector<xcb_keycode_t>& keys, std::uint16_t mods) {
        ungrab(g);
        if (keys.empty()) return Grab::NoSuchKey;
        const xcb_keycode_t key = keys.front();
        const std::uint16_t numLock = numLockMask();
        const std::uint16_t variants[] = {0, XCB_MOD_MASK_LOCK, numLock,
                                          std::uint16_t(numLock | XCB_MOD_MASK_LOCK)};
        g.key = key;
        g.mods = mods;
        bool taken = false;
        for (std::uint16_t v : variants) {
            const std::uint16_t m = std::uint16_t(mods | v);
            xcb_generic_error_t* error = xcb_request_check(
                conn, xcb_grab_key_checked(conn, 1, root, m, key, XCB_GRAB_MODE_ASYNC,
                                           XCB_GRAB_MODE_ASYNC));
            if (error) {
                taken = taken || error->error_code == kBadAccess;
                std::free(error);
            } else {
                g.grabbed << m;
            }
        }
        if (taken || g.grabbed.isEmpty()) {
            ungrab(g);
            return Grab::Taken;
        }
        return Grab::Grabbed;
    }

    // The grab a key event belongs to, or -1.
    int grabOf(const xcb_key_press_event_t* e) const {
        constexpr std::uint16_t relevant =
            XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
        if (e->event != root) return -1;
        for (int i = 0; i < 2; ++i)
            if (grabs[i].key != 0 && e->detail == grabs[i].key &&
                (e->state & relevant) == grabs[i].mods)
                return i;
        return -1;
    }

    // Top-level windows of the desktop type: children of the root, or of a
    // window manager's frame there.
    std::vector<xcb_window_t> desktopWindows() {
        std::vector<xcb_window_t> out;
        const xcb_atom_t type = atom("_NET_WM_WINDOW_TYPE");
        const xcb_atom_t desktop = atom("_NET_WM_WINDOW_TYPE_DESKTOP");
        auto isDesktop = [&](xcb_window_t w) {
            Freed<xcb_get_property_reply_t> r(xcb_get_property_reply(
                conn, xcb_get_property(conn, 0, w, type, XCB_ATOM_ATOM, 0, 16), nullptr));
            if (!r || r->format != 32) return false;
            const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(r.p));
            const int n = xcb_get_property_value_length(r.p) / 4;
            for (int i = 0; i < n; ++i)
                if (atoms[i] == desktop) return true;
            return false;
        };
        auto children = [&](xcb_window_t w) {
            std::vector<xcb_window_t> c;
            Freed<xcb_query_tree_reply_t> t(
                xcb_query_tree_reply(conn, xcb_query_tree(conn, w), nullptr));
            if (!t) return c;
            const xcb_window_t* ws = xcb_query_tree_children(t.p);
            c.assign(ws, ws + xcb_query_tree_children_length(t.p));
            return c;
        };
        for (xcb_window_t top : children(root)) {
            if (isDesktop(top)) {
                out.push_back(top);
                continue;
            }
            for (xcb_window_t inner : children(top))
                if (isDesktop(inner)) out.push_back(inner);
        }
        return out;
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        switch (event->response_type & ~0x80) {
            case XCB_KEY_PRESS: {
                auto* e = reinterpret_cast<xcb_key_press_event_t*>(event);
                const int g = grabOf(e);
                if (g < 0) return false;
                // Key repeat sends a release and a press with one timestamp.
                if (e->time != grabs[g].lastRelease) {
                    noteInput(e->time);
                    const auto& handler = g == 0 ? owner->onHotkey : owner->onCombination;
                    if (handler) handler();
                }
                return true;
            }
            case XCB_KEY_RELEASE: {
                auto* e = reinterpret_cast<xcb_key_release_event_t*>(event);
                const int g = grabOf(e);
                if (g < 0) return false;
                grabs[g].lastRelease = e->time;
                return true;
            }
            case XCB_BUTTON_PRESS:
            case XCB_BUTTON_RELEASE:
                noteInput(reinterpret_cast<xcb_button_press_event_t*>(event)->time);
                return false;
            case XCB_PROPERTY_NOTIFY: {
                auto* e = reinterpret_cast<xcb_property_notify_event_t*>(event);
                if (e->atom == frameExtents && owner->onFrameChanged)
                    owner->onFrameChanged(WId(e->window));
                return false;
            }
            case XCB_REPARENT_NOTIFY: {
                auto* e = reinterpret_cast<xcb_reparent_notify_event_t*>(event);
                if (owner->onFrameChanged) owner->onFrameChanged(WId(e->window));
                return false;
            }
            default:
                return false;
        }
    }

    // The root window's _NET_ACTIVE_WINDOW: set by a window manager that
    // takes activation requests, absent without one.
    std::optional<WId> rootActiveWindow() {
        Freed<xcb_get_property_reply_t> r(xcb_get_property_reply(
            conn, xcb_get_property(conn, 0, root, activeWindow, XCB_ATOM_WINDOW, 0, 1), nullptr));
        if (!r || r->type != XCB_ATOM_WINDOW || r->format != 32 ||
            xcb_get_property_value_length(r.p) < 4)
            return std::nullopt;
        return WId(*static_cast<const xcb_window_t*>(xcb_get_property_value(r.p)));
    }
};

std::unique_ptr<X11Desktop> X11Desktop::create() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return nullptr;
    auto impl = std::make_unique<Impl>();
    impl->conn = x11->connection();
    if (Display* dpy = x11->display())
        impl->root = xcb_window_t(XDefaultRootWindow(dpy));
    else
        impl->root = xcb_setup_roots_iterator(xcb_get_setup(impl->conn)).data->root;
    impl->frameExtents = impl->atom("_NET_FRAME_EXTENTS");
    impl->activeWindow = impl->atom("_NET_ACTIVE_WINDOW");
    std::unique_ptr<X11Desktop> desktop(new X11Desktop(std::move(impl)));
    desktop->d->owner = desktop.get();
    QCoreApplication::instance()->installNativeEventFilter(desktop->d.get());
    return desktop;
}

X11Desktop::X11Desktop(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

X11Desktop::~X11Desktop() {
    d->ungrab(d->grabs[0]);
    d->ungrab(d->grabs[1]);
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(d.get());
}

X11Desktop::Grab X11Desktop::grabSuperKey(int character) {
    return d->grab(d->grabs[0], d->keycodesFor(keysymsFor(character)), XCB_MOD_MASK_4);
}

void X11Desktop::ungrab() {
    d->ungrab(d->grabs[0]);
}

bool X11Desktop::hasKeyFor(int character) {
    const std::vector<std::uint32_t> syms = keysymsFor(character);
    return !syms.empty() && !d->keycodesFor(syms).empty();
}

X11Desktop::Grab X11Desktop::grabCombination(unsigned keysym, bool shift, bool ctrl, bool alt,
                                             bool super) {
    std::uint16_t mods = 0;
    if (shift) mods |= XCB_MOD_MASK_SHIFT;
    if (ctrl) mods |= XCB_MOD_MASK_CONTROL;
    if (alt) mods |= XCB_MOD_MASK_1;
    if (super) mods |= XCB_MOD_MASK_4;
    std::vector<std::uint32_t> syms{keysym};
    // A letter is found by either case on the keyboard map.
    if (keysym < 0x100) syms = keysymsFor(QChar(char16_t(keysym)).toUpper().unicode());
    return d->grab(d->grabs[1], d->keycodesFor(syms), mods);
}

void X11Desktop::ungrabCombination() {
    d->ungrab(d->grabs[1]);
}

void X11Desktop::setDesktopWindowsMapped(bool mapped) {
    for (xcb_window_t w : d->desktopWindows()) {
        if (mapped)
            xcb_map_window(d->conn, w);
        else
            xcb_unmap_window(d->conn, w);
    }
    xcb_flush(d->conn);
}

void X11Desktop::skipTaskbar(QWidget* w) {
    const xcb_window_t window = xcb_window_t(w->winId());
    const xcb_atom_t state = d->atom("_NET_WM_STATE");
    const xcb_atom_t skip[] = {d->atom("_NET_WM_STATE_SKIP_TASKBAR"),
                               d->atom("_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(d->conn, XCB_PROP_MODE_APPEND, window, state, XCB_ATOM_ATOM, 32, 2, skip);
    xcb_flush(d->conn);
}

void X11Desktop::requestShowingDesktop() {
    xcb_client_message_event_t m{};
    m.response_type = XCB_CLIENT_MESSAGE;
    m.format = 32;
    m.window = d->root;
    m.type = d->atom("_NET_SHOWING_DESKTOP");
    m.data.data32[0] = 1;
    xcb_send_event(d->conn, 0, d->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&m));
    xcb_flush(d->conn);
}

std::optional<WId> X11Desktop::activeWindow() {
    return d->rootActiveWindow();
}

std::optional<QMargins> X11Desktop::frameExtents(WId w) {
    Freed<xcb_get_property_reply_t> r(xcb_get_property_reply(
        d->conn,
        xcb_get_property(d->conn, 0, xcb_window_t(w), d->frameExtents, XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!r || r->type != XCB_ATOM_CARDINAL || r->format != 32 ||
        xcb_get_property_value_length(r.p) < 16)
        return std::nullopt;
    const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(r.p));
    // A frame wider than any screen is no frame a window manager meant.
    constexpr std::uint32_t kMost = 4096;
    if (v[0] > kMost || v[1] > kMost || v[2] > kMost || v[3] > kMost) return std::nullopt;
    // The property holds left, right, top, bottom.
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}

namespace {

// The X server's time now, read on a connection of its own (the
// application's connection hands its events to Qt): a property change on a
// window of that connection comes back stamped with it.
xcb_timestamp_t serverTimeNow() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    xcb_timestamp_t time = XCB_CURRENT_TIME;
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return time;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t w = xcb_generate_id(c);
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, 0, w, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    xcb_change_property(c, XCB_PROP_MODE_APPEND, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0,
                        nullptr);
    xcb_flush(c);
    while (xcb_generic_event_t* e = xcb_wait_for_event(c)) {
        const bool found = (e->response_type & ~0x80) == XCB_PROPERTY_NOTIFY;
        if (found) time = reinterpret_cast<xcb_property_notify_event_t*>(e)->time;
        std::free(e);
        if (found) break;
    }
    xcb_disconnect(c);
    return time;
}

// An input event older than this did not call for the activation at hand.
constexpr qint64 kInputAgeMs = 2000;

}  // namespace

bool X11Desktop::requestActivation(QWidget* w) {
    const std::optional<WId> active = d->rootActiveWindow();
    if (!active) return false;
    // Focus-stealing prevention weighs the request's time against the user's
    // last action in the focused window: the key press or click that called
    // the launcher, else (a later copy started it) the time of the request.
    const xcb_timestamp_t time =
        d->inputClock.isValid() && d->inputClock.elapsed() < kInputAgeMs && d->inputTime
            ? d->inputTime
            : serverTimeNow();
    const xcb_window_t window = xcb_window_t(w->winId());
    if (time != XCB_CURRENT_TIME) {
        // The window's own last user time, where the window manager reads it
        // (Qt keeps it on a window of its own when the manager supports that).
        xcb_window_t timeWindow = window;
        Freed<xcb_get_property_reply_t> r(xcb_get_property_reply(
            d->conn,
            xcb_get_property(d->conn, 0, window, d->atom("_NET_WM_USER_TIME_WINDOW"),
                             XCB_ATOM_WINDOW, 0, 1),
            nullptr));
        if (r && r->format == 32 && xcb_get_property_value_length(r.p) >= 4)
            timeWindow = *static_cast<const xcb_window_t*>(xcb_get_property_value(r.p));
        xcb_change_property(d->conn, XCB_PROP_MODE_REPLACE, timeWindow,
                            d->atom("_NET_WM_USER_TIME"), XCB_ATOM_CARDINAL, 32, 1, &time);
    }
    xcb_client_message_event_t m{};
    m.response_type = XCB_CLIENT_MESSAGE;
    m.format = 32;
    m.window = window;
    m.type = d->activeWindow;
    m.data.data32[0] = kSourceUser;
    m.data.data32[1] = time;
    m.data.data32[2] = *active == WId(window) ? 0 : xcb_window_t(*active);
    xcb_send_event(d->conn, 0, d->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&m));
    xcb_flush(d->conn);
    return true;
}
