#pragma once

// Hiding rows and columns and showing them again. Hiding is a view of the grid only: no record or
// cell changes. A hidden row or column gets extent 0 (it leaves one grid line) or -1 (nothing), so
// that a run of adjacent hidden ones shows a single mark line.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <optional>
#include <string>
#include <vector>

namespace ranvo {

// The extent a row or column about to be hidden gets: -1 when the one before it or the one after
// it is hidden already, else 0.
[[nodiscard]] int HideMark(const AxisExtents& extents, int index);

// Both enable the show-all menu items; hiding rows also enables the toolbar's show-all button.
void HideRows(MainState& state, int top, int bottom);
void HideCols(MainState& state, int left, int right);
// Every hidden row and column back to the default size, and the rows numbered again.
void ShowAll(MainState& state);

// The commands: the selection's rows or columns hidden, the cursor moved to a visible one nearby.
// Nothing without a loaded file or while a record is being added.
void HideSelectedRows(MainState& state);
void HideSelectedCols(MainState& state);
// Both of the above over the same selection (the first move would otherwise shrink the selection
// to one cell before the columns are hidden).
void HideSelectedRowsAndCols(MainState& state);
void ShowAllRowsAndCols(MainState& state);

// What the show-by-condition dialog applies: which record types and which columns stay shown, and
// with field numbers on, a field test per data column (empty: no test).
struct VisibilityChoice {
    std::vector<bool> Conditions; // by condition index
    std::vector<bool> Columns;    // by data column, column 1 first
    std::optional<std::vector<std::string>> FieldTests;
};

// Replaces the visibility of every column and every record's row: a record shows when its type
// is ticked and it passes every field test; a hidden row that passes now comes back.
void ApplyVisibility(MainState& state, UiHost& host, const VisibilityChoice& choice);

} // namespace ranvo
