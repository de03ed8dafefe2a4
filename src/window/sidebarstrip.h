#pragma once

#include <QPoint>
#include <QRect>

#include <optional>

// Where the sidebar strip goes, in twips. `work` is the work area of the
// screen (x, y, width, height in twips) and `screenOrigin` that screen's
// top-left corner: the top and left strips are measured from the screen's
// edges, over a panel there; the right and bottom strips from the work
// area's far edges. Each strip leaves 300 twips free at the start of its
// edge. Positions: 1 top, 2 left, 3 right, 4 bottom; any other gives none
// (the strip stays where it is).
namespace sidebarstrip {

std::optional<QRect> place(int position, const QRect& work, const QPoint& screenOrigin);

}  // namespace sidebarstrip
