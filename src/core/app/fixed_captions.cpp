#include "core/app/fixed_captions.h"

#include "core/app/grid_queries.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace ranvo {
namespace {

// A caption is written only when it differs: every cell move rewrites the captions, and a file
// may have a hundred thousand columns, whose captions mostly stay as they are.
void setCaption(DataGrid& grid, int col, std::string_view caption) {
    if (grid.Cell(col, 0) != caption) {
        grid.SetCell(col, 0, caption);
    }
}

// Row 0 shows column numbers, or the field names of `condition` where it has that many fields.
void writeColumnCaptions(MainState& state, int condition, bool keepHiddenCaptions) {
    DataGrid& grid = state.Grid;
    const int fields = FieldCount(state.Definition, condition);
    std::array<char, 16> digits{};
    for (int col = 1; col < grid.ColCount(); ++col) {
        if (state.FixedCellInfo && col <= fields) {
            setCaption(grid, col, state.Definition.GetFieldName(condition, col - 1));
        } else if (!keepHiddenCaptions || grid.ColWidth(col) > 0) {
            const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), col).ptr;
            setCaption(grid, col, std::string_view(digits.data(), end));
        }
    }
}

void writeRowCaption(MainState& state, int row) {
    if (state.FixedCellInfo) {
        state.Grid.SetCell(0, row, ConditionName(state.Definition, RowCondition(state, row)));
    } else {
        state.Grid.SetRowNumber(row, row);
    }
}

} // namespace

void RepaintFixCol(MainState& state) {
    for (int row = 1; row < state.Grid.RowCount(); ++row) {
        writeRowCaption(state, row);
    }
}

void RepaintFixRow(MainState& state, int row) {
    row = std::max(row, 1);
    writeColumnCaptions(state, RowCondition(state, row), state.FixedCellInfo);
}

void WriteCaptionsForRow(MainState& state, int row) {
    if (row >= 0 && row < state.Grid.RowCount()) {
        writeRowCaption(state, row);
    }
    writeColumnCaptions(state, RowCondition(state, row), false);
}

void ToggleFixedCellInfo(MainState& state) {
    state.FixedCellInfo = !state.FixedCellInfo;
    RepaintFixCol(state);
    RepaintFixRow(state, state.Grid.Row());
}

std::string_view FixedCellInfoCaption(const MainState& state) {
    return state.FixedCellInfo ? "固定セルに列行情報を表示(&F)" : "固定セルに定義情報を表示(&F)";
}

} // namespace ranvo
