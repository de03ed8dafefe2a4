#include "window/windowplacement.h"

QRect WindowPlacement::clientRect(const QRect& reported, qint64 nowMs) const {
    if (asked_.isEmpty() || reported == asked_.last().rect) return reported;
    // Position and size may be reported apart, each from another request.
    bool position = false, size = false;
    for (const AskedRect& a : asked_) {
        if (nowMs - a.at >= kReportDelayMs) continue;
        position = position || a.rect.topLeft() == reported.topLeft();
        size = size || a.rect.size() == reported.size();
    }
    if (position && size) return asked_.last().rect;
    asked_.clear();
    return reported;
}

void WindowPlacement::asked(const QRect& current, const QRect& wanted, qint64 nowMs) {
    while (!asked_.isEmpty() && nowMs - asked_.first().at >= kReportDelayMs) asked_.removeFirst();
    if (asked_.isEmpty()) asked_ << AskedRect{current, nowMs};
    asked_ << AskedRect{wanted, nowMs};
}
