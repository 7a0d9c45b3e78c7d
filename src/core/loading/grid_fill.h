#pragma once

// Showing the record list in the grid: one row per record, one column per field of the record's
// condition. Row 0 holds the column numbers and column 0 the record numbers. The cells themselves
// are read from the records when they are needed (see DataGrid), so filling a million rows writes
// their numbers and nothing else.

#include "core/grid/record_layout.h"
#include "core/grid/record_list.h"
#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <cstddef>

namespace ranvo {

// What the records ask of the grid: the most cells one of them has, and whether every one has a
// cell at all (a fixed-length condition without named fields, or a quoted CSV line that yields no
// value, cannot be shown).
struct RecordShape {
    std::size_t MostCells = 0;
    bool EveryRecordHasCells = true;
};
[[nodiscard]] RecordShape ShapeOf(const RecordList& records, const RecordLayout& layout);

// Lays the grid out for the state's record list under the current definition. On failure (a
// record without cells) the record list is cleared and the grid reduced to one cell. The width of
// column 0 fits a five-digit record number.
bool FillGrid(MainState& state, UiHost& host);

// Widens the grid, when `cells` is more than it has columns for; answers whether it grew.
bool WidenForCells(DataGrid& grid, std::size_t cells);

} // namespace ranvo
