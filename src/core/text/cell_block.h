#pragma once

// Cell block text: a rectangle of cells as text, the cells of a row joined by TAB and the rows
// joined by CR LF. Cell copy and paste, the cell-block undo entry, case conversion and the
// editors of filter tables and field lists use it.

#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

using CellBlock = std::vector<std::vector<std::string>>;

[[nodiscard]] std::string JoinCellBlock(const CellBlock& rows);
// The rows (split at CR LF) and their cells (split at TAB).
[[nodiscard]] CellBlock SplitCellBlock(std::string_view text);

// The cells of rows `top` to `bottom` and columns `left` to `right`, as `cell(row, column)` gives
// them, as cell block text.
template <typename CellText>
[[nodiscard]] std::string JoinCellRange(int top, int left, int bottom, int right, CellText cell) {
    CellBlock block;
    for (int row = top; row <= bottom; ++row) {
        std::vector<std::string>& cells = block.emplace_back();
        for (int column = left; column <= right; ++column) {
            cells.emplace_back(cell(row, column));
        }
    }
    return JoinCellBlock(block);
}

} // namespace ranvo
