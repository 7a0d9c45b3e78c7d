#pragma once

// The five panels of the status bar: where the cursor is, the field's position and length, the
// record type, the field name and the definition name.

#include "core/state/main_state.h"

namespace ranvo {

// Writes the panels for data cell (col, row); does nothing outside the data cells.
void SetStsBar(MainState& state, int col, int row);

// The panels for a cell that has no field: a fixed cell, or a cell outside the grid.
void SetStsBarWithoutField(MainState& state, int col, int row);

// The first panel's text for the grid's last row and column: the longest it gets for this grid.
[[nodiscard]] std::string WidestPositionText(const MainState& state);

} // namespace ranvo
