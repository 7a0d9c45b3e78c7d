#include "gui/grid/axis_layout.h"

#include <algorithm>

namespace ranvo::gui {
namespace {

int occupied(int extent) {
    return extent < 0 ? 0 : extent + 1;
}

} // namespace

AxisLayout layoutAxis(const AxisExtents& extents, int fixedCount, int first, int length) {
    AxisLayout layout;
    int position = 0;
    for (int index = 0; index < std::min(fixedCount, extents.count()); ++index) {
        const int extent = extents.extent(index);
        if (extent >= 0) {
            layout.segments.push_back({index, position, std::max(extent, 0)});
        }
        position += occupied(extent);
    }
    layout.fixedEnd = position;
    std::int64_t offset = extents.offset(std::max(first, fixedCount));
    while (position < length) {
        const int index = extents.indexAt(offset);
        if (index >= extents.count()) {
            break;
        }
        const int extent = extents.extent(index);
        layout.segments.push_back({index, position, std::max(extent, 0)});
        position += occupied(extent);
        if (extent > 0 && position <= length) {
            ++layout.fullyShown;
        }
        offset = extents.offset(index + 1);
    }
    return layout;
}

int firstToShowLast(const AxisExtents& extents, int fixedCount, int last, int length) {
    int first = last;
    int used = occupied(extents.extent(last));
    while (first > fixedCount) {
        const int previous = extents.previousVisible(first - 1);
        if (previous < fixedCount) {
            break;
        }
        const int more = static_cast<int>(extents.span(previous, first));
        if (used + more > length) {
            break;
        }
        used += more;
        first = previous;
    }
    return first;
}

} // namespace ranvo::gui
