#pragma once

#include <QPoint>
#include <QRect>

// The rules that place and size the main window, as plain functions over
// numbers: a work area, a screen's twips-per-pixel factors, the pointer and
// the window's outer rectangle. All geometry is in twips (1440 per inch)
// unless a name says pixels.
namespace placement {

// A rectangle in twips, kept as left, top, width and height (the window's
// Left, Top, Width and Height, or the work area).
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

// Twips to whole numbers: to the nearest integer, halves to even.
int roundTwips(double v);

// The work area of a screen, given in pixels, in twips.
Rect workAreaTwips(const QRect& pixels, double twipsPerPixelX, double twipsPerPixelY);

// The window centred on the pointer (pixels), then pulled back inside the
// work area: 10 twips inside at the top and left, 30 above the bottom edge
// and 10 inside the right edge. The steps run in that order, so a window
// taller than the work area ends 30 twips above its bottom edge. Returns
// the new Left and Top.
QPoint underPointer(const QPoint& pointerPixels, double twipsPerPixelX, double twipsPerPixelY,
                    const Rect& window, const Rect& work);

// Left and Top that put the window into the bottom-right corner of the
// work area.
QPoint bottomRight(const Rect& window, const Rect& work);

// The smallest window: a height below 3340 becomes 3390, a width below
// 4575 becomes 4650.
int minimumHeight(int height);
int minimumWidth(int width);

// A window size no larger than the work area's (`workSize`): on a small or
// strongly scaled screen the work area wins over the smallest window. An
// unknown work area (0) limits nothing.
int withinWork(int size, int workSize);

// The window height that fits a list of `entries` rows: a client area of
// 2955 twips up to ten entries, otherwise every row plus room for the
// controls, at most the work area's height. `frame` is Height − ScaleHeight.
int fittedHeight(int entries, int frame, double rowTwips, double dpi, int workHeight);

// The window's Top after fitting: on the work area's bottom edge, unless it
// is shown under the pointer and already lies inside the work area.
int fittedTop(const Rect& window, bool window2Mouse, const Rect& work);

// True when `entries` rows do not fit a list view `listHeight` twips high.
bool listOverflows(double rowTwips, int entries, int listHeight);

// The row (from 1) under a pointer `y` twips below the top of the list's
// first row, or 0 below the last entry. A partial row counts as the next
// row; above the first row counts as row 1.
int hoverRow(double y, double twipsPerPixelY, double rowPixels, int entries);

// True when the pointer lies on the window; its edges count as inside.
bool pointerOnWindow(const QPoint& pointer, int left, int top, int right, int bottom);

// The window after an entry was added in edit mode: grown upwards by 250
// twips when it stands below the screen's top and shows more than ten
// entries; otherwise unchanged.
Rect grownForNewEntry(const Rect& window, int entries);

// The date line below the list, in pixels of the client area: as wide as the
// list and right under it, but never cut by the window's bottom edge; where
// the room below the list is short it covers the list's lower edge instead.
QRect dateLine(const QRect& list, int clientHeight, int lineHeight);

}  // namespace placement
