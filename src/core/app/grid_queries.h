#pragma once

// Small questions about the main state's grid and definition that many commands ask.

#include "core/state/main_state.h"

#include <string>

namespace ranvo {

// The condition of grid row `row`: read from its record-list entry; 0 for row 0 and for rows
// beyond the record list.
[[nodiscard]] int RowCondition(const MainState& state, int row);

// The number of fields of condition `i` (its length entries); 0 when there is no such condition.
[[nodiscard]] int FieldCount(const TDefineClass& definition, int i);

// The name of condition `i`; empty when there is no such condition.
[[nodiscard]] const std::string& ConditionName(const TDefineClass& definition, int i);

// A cell is visible when both its column and its row have an extent above 0.
[[nodiscard]] bool IsCellVisible(const DataGrid& grid, int col, int row);

} // namespace ranvo
