#include "window/placement.h"

#include <algorithm>
#include <cmath>

#include "lists/listfile.h"

namespace placement {

int roundTwips(double v) {
    return int(listfile::roundHalfEven(v));
}

Rect workAreaTwips(const QRect& pixels, double twipsPerPixelX, double twipsPerPixelY) {
    return {roundTwips(pixels.left() * twipsPerPixelX), roundTwips(pixels.top() * twipsPerPixelY),
            roundTwips(pixels.width() * twipsPerPixelX),
            roundTwips(pixels.height() * twipsPerPixelY)};
}

QPoint underPointer(const QPoint& pointerPixels, double twipsPerPixelX, double twipsPerPixelY,
                    const Rect& window, const Rect& work) {
    int top = roundTwips(pointerPixels.y() * twipsPerPixelY - window.height / 2.0);
    int left = roundTwips(pointerPixels.x() * twipsPerPixelX - window.width / 2.0);
    if (top < work.top) top = work.top + 10;
    if (left < work.left) left = work.left + 10;
    if (top + window.height > work.bottom()) top = work.bottom() - window.height - 30;
    if (left + window.width > work.right()) left = work.right() - window.width - 10;
    return {left, top};
}

QPoint bottomRight(const Rect& window, const Rect& work) {
    return {work.right() - window.width, work.bottom() - window.height};
}

int minimumHeight(int height) {
    return height < 3340 ? 3390 : height;
}

int minimumWidth(int width) {
    return width < 4575 ? 4650 : width;
}

int withinWork(int size, int workSize) {
    return workSize > 0 ? std::min(size, workSize) : size;
}

int fittedHeight(int entries, int frame, double rowTwips, double dpi, int workHeight) {
    if (entries <= 10) return frame + 2955;
    const int height = roundTwips(rowTwips * entries + frame + dpi * 6.09375);
    return height > workHeight ? workHeight : height;
}

int fittedTop(const Rect& window, bool window2Mouse, const Rect& work) {
    // A window above the work area's top is as misplaced as one below its
    // bottom; on a monitor above the primary one the top edge is negative.
    if (!window2Mouse || window.bottom() > work.bottom() || window.top < work.top)
        return work.bottom() - window.height;
    return window.top;
}

bool listOverflows(double rowTwips, int entries, int listHeight) {
    return rowTwips * entries > listHeight;
}

int hoverRow(double y, double twipsPerPixelY, double rowPixels, int entries) {
    if (twipsPerPixelY <= 0 || rowPixels <= 0) return 0;
    int row = int(std::ceil(y / twipsPerPixelY / rowPixels));
    if (row < 1) row = 1;
    return row <= entries ? row : 0;
}

bool pointerOnWindow(const QPoint& pointer, int left, int top, int right, int bottom) {
    return left <= pointer.x() && pointer.x() <= right && top <= pointer.y() &&
           pointer.y() <= bottom;
}

Rect grownForNewEntry(const Rect& window, int entries) {
    if (window.top <= 0 || entries <= 10) return window;
    return {window.left, window.top - 250, window.width, window.height + 250};
}

QRect dateLine(const QRect& list, int clientHeight, int lineHeight) {
    const int top = std::max(0, std::min(list.bottom() + 1, clientHeight - lineHeight));
    return {list.left(), top, list.width(), lineHeight};
}

}  // namespace placement
