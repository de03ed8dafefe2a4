#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>

class Platform;

// The sidebar: a thin black strip along one edge of the work area, always
// on top, never in the task bar and never taking the focus. A click on it
// shows or hides the main window; with auto show/hide on, a pointer resting
// on it brings the main window up. The main window hands it the hooks
// below and places it with Place.
class Sidebar : public QWidget {
    Q_OBJECT

public:
    explicit Sidebar(Platform& platform);

    // ---- hooks into the main window ----
    // A point (pixels) on the screen the main window uses.
    std::function<QPoint()> anchor;
    std::function<bool()> mainHidden;
    std::function<bool()> autoShowHide;
    // The auto-hide timer of the main window: running, and starting it.
    std::function<bool()> autoHideRunning;
    std::function<void()> startAutoHide;
    // The toggle of a left click on the tray icon.
    std::function<void()> toggleMain;
    // Where the pointer goes once the main window is shown (pixels).
    std::function<QPoint()> pointerTarget;

    // Places the strip for `position` (1 top, 2 left, 3 right, 4 bottom) and
    // shows it; any other position leaves it where and as it is.
    void Place(int position);

    void Form_MouseDown(int Button);
    void Form_MouseMove();
    // The pause after the first touch is running.
    bool Arming() const { return arm_.isActive(); }

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void armed();

    Platform& plat_;
    // The pause before auto show/hide is armed; the event loop runs on
    // meanwhile.
    QTimer arm_;
};
