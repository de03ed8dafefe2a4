#pragma once

#include <QList>
#include <QMargins>
#include <QRect>

#include "window/placement.h"

// What the main window knows of its own place on the screen: the frame the
// window manager puts around it, the client rectangles lately asked of the
// window manager, and the work area the rules place it in.
//
// A window manager carries out geometry requests one after the other and
// reports each; the report of an earlier request can arrive after a newer
// request was made. Such a late report is not the window's geometry: the
// newest request is, until the window manager or the user changes the
// window to something not asked for.
class WindowPlacement {
public:
    // The frame as last seen; none until the window manager framed the window.
    const QMargins& frame() const { return frame_; }
    void setFrame(const QMargins& m) { frame_ = m; }

    // True once the window was fitted to a list: a changed frame fits it again.
    bool fitted() const { return fitted_; }
    void setFitted() { fitted_ = true; }

    // The work area in twips, as last read.
    const placement::Rect& work() const { return work_; }
    void setWork(const placement::Rect& w) { work_ = w; }

    // The client rectangle the window has: `reported` unless that is a late
    // report of an earlier request. `nowMs` is the time since the system started.
    QRect clientRect(const QRect& reported, qint64 nowMs) const;
    // Records that `wanted` is asked while the window stands at `current`.
    void asked(const QRect& current, const QRect& wanted, qint64 nowMs);

    // How long a window manager may take to report a request.
    static constexpr qint64 kReportDelayMs = 3000;

private:
    struct AskedRect {
        QRect rect;
        qint64 at;
    };
    // Oldest first. A report that matches no request forgets them all.
    mutable QList<AskedRect> asked_;
    QMargins frame_;
    bool fitted_ = false;
    placement::Rect work_;
};
