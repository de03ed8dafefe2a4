#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

// What the launcher asks of an X11 desktop directly: the global Super+key
// grab on the root window, activation through the window manager, and word
// of a window's frame changing. The X11 headers stay inside the
// implementation file.
class X11Desktop {
public:
    // Null when the application does not run on an X server (xcb).
    static std::unique_ptr<X11Desktop> create();
    ~X11Desktop();

    enum class Grab { Grabbed, Taken, NoSuchKey };
    // Grabs Super + the key of `character` on the root window, also with
    // NumLock and CapsLock on. Taken when another client holds any of the
    // four; nothing stays grabbed then.
    Grab grabSuperKey(int character);
    void ungrab();
    // True when a key of the keyboard types `character`.
    bool hasKeyFor(int character);

    // A second grab, beside the Super key: the key of `keysym` with the
    // modifiers `shift`, `ctrl`, `alt` and `super`, by the same rules.
    Grab grabCombination(unsigned keysym, bool shift, bool ctrl, bool alt, bool super);
    void ungrabCombination();

    // Maps (shows) or unmaps (hides) every window of the desktop type
    // (_NET_WM_WINDOW_TYPE_DESKTOP), the windows that hold the icons.
    void setDesktopWindowsMapped(bool mapped);
    // Adds _NET_WM_STATE_SKIP_TASKBAR and _SKIP_PAGER to the state of the
    // unmapped window `w`, which the window manager reads when it maps it.
    void skipTaskbar(QWidget* w);
    // Asks the window manager to show the desktop (_NET_SHOWING_DESKTOP).
    void requestShowingDesktop();

    // Asks the window manager to raise and focus `w` as a user action.
    // False when no window manager answers such requests.
    bool requestActivation(QWidget* w);
    // The window manager's active window; none when no window manager
    // tells.
    std::optional<WId> activeWindow();
    // The frame the window manager has put or will put around window `w`,
    // in device pixels, as it announces it (_NET_FRAME_EXTENTS); none when
    // it has not said.
    std::optional<QMargins> frameExtents(WId w);

    // The grabbed key went down (not by key repeat).
    std::function<void()> onHotkey;
    // The grabbed combination went down (not by key repeat).
    std::function<void()> onCombination;
    // The window manager reparented the window or set its frame extents.
    std::function<void(WId)> onFrameChanged;

private:
    struct Impl;
    explicit X11Desktop(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};
