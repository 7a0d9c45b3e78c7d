#pragma once

// Cell block text: a rectangle of cells as text, the cells of a row joined by TAB and the rows
// joined by CR LF. Cell copy and paste, the cell-block undo entry and case conversion use it.

#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

using CellBlock = std::vector<std::vector<std::string>>;

[[nodiscard]] std::string JoinCellBlock(const CellBlock& rows);
// The rows (split at CR LF) and their cells (split at TAB).
[[nodiscard]] CellBlock SplitCellBlock(std::string_view text);

} // namespace ranvo
