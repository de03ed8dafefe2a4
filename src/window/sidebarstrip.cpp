#include "window/sidebarstrip.h"

namespace sidebarstrip {

std::optional<QRect> place(int position, const QRect& work, const QPoint& screenOrigin) {
    const int x0 = screenOrigin.x(), y0 = screenOrigin.y();
    const int w = work.width(), h = work.height();
    const int right = work.x() + w, bottom = work.y() + h;
    switch (position) {
        case 1:
            return QRect(x0 + 300, y0, w - 1200, 50);
        case 2:
            return QRect(x0, y0 + 300, 50, h - 300);
        case 3:
            return QRect(right - 50, y0 + 300, 50, h - 300);
        case 4:
            return QRect(x0 + 300, bottom - 50, w - 600, 50);
        default:
            return std::nullopt;
    }
}

}  // namespace sidebarstrip
