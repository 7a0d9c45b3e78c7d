#pragma once

// Sizing the grid's columns and rows: fitting each column to its widest visible text, setting
// rows to the text height, and the default sizes that also show hidden rows and columns again.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <optional>
#include <string_view>

namespace ranvo {

// The grid's default sizes for its font: row height of "1" + 5, column width of "9999999999" + 5.
void InitGridSizes(MainState& state, UiHost& host);

// Fits every column (hidden ones included, which shows them again) to the widest text of the
// visible rows, then keeps column 0 at least as wide as a five-digit record number.
void AdjustWidths(MainState& state, UiHost& host);
// Fits one column.
void AdjustWidth(MainState& state, UiHost& host, int col);

// Gives every visible row the text height, when it differs from the default row height.
void AdjustHeights(MainState& state, UiHost& host);

// The fit command: widths and heights fitted, when a file is loaded and no record is being added.
void FitCellSizes(MainState& state, UiHost& host);

// Every column and row back to the default size; column 0 as wide as "99999".
void ResetSizes(MainState& state, UiHost& host);

// The column-width dialog's check: a whole number from 1 to 9999 that starts with a digit.
[[nodiscard]] std::optional<int> ParseColumnWidth(std::string_view text);

// Applies a typed width to every column of the selection (hidden ones too), or warns that the
// width must be a number from 1 to 9999 and changes nothing. Answers whether it applied.
bool ApplyColumnWidth(MainState& state, UiHost& host, std::string_view text);

// The width of column 0 after a load: a five-digit record number and the text inset.
[[nodiscard]] int RecordNumberColumnWidth(UiHost& host);

} // namespace ranvo
