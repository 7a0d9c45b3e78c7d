#pragma once

// The captions in the fixed row and column: record and column numbers, or, with fixed-cell
// information on, the condition name of each row and the field names of the current row.

#include "core/state/main_state.h"

#include <string_view>

namespace ranvo {

// Column 0 of every data row.
void RepaintFixCol(MainState& state);

// Row 0 for data row `row` (a value below 1 counts as 1). With fixed-cell information on, a
// column beyond the row's fields shows its number, unless it is hidden: then it keeps its caption.
void RepaintFixRow(MainState& state, int row);

// The captions of row `row` as cell selection writes them: column 0 of that row and all of row 0.
void WriteCaptionsForRow(MainState& state, int row);

// Switches fixed-cell information on or off and rewrites the captions.
void ToggleFixedCellInfo(MainState& state);

// The caption of the menu command that switches fixed-cell information (UTF-8).
[[nodiscard]] std::string_view FixedCellInfoCaption(const MainState& state);

} // namespace ranvo
