#pragma once

// Where the rows (or columns) of the grid fall on screen: the fixed ones first, then the ones
// from the first scrolled-to index until the view's length is filled. Hidden entries with extent
// 0 appear as a lone grid line; those with -1 not at all. Work per call grows with what is on
// screen, never with the number of rows.

#include "core/grid/axis_extents.h"

#include <vector>

namespace ranvo::gui {

struct AxisSegment {
    int index = 0;
    int start = 0;  // pixel where the entry begins
    int extent = 0; // its size without the grid line after it; 0 for a hidden entry's line
};

struct AxisLayout {
    std::vector<AxisSegment> segments;
    int fixedEnd = 0;   // pixel where the scrolling part begins
    int fullyShown = 0; // scrolling entries shown whole
};

[[nodiscard]] AxisLayout layoutAxis(const AxisExtents& extents, int fixedCount, int first, int length);

// The first index from which entries up to `last` fill at most `length` pixels: the scroll
// position that shows `last` whole at the end of the view.
[[nodiscard]] int firstToShowLast(const AxisExtents& extents, int fixedCount, int last, int length);

} // namespace ranvo::gui
