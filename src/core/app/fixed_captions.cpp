#include "core/app/fixed_captions.h"

#include "core/app/grid_queries.h"

#include <string>

namespace ranvo {
namespace {

// Row 0 shows column numbers, or the field names of `condition` where it has that many fields.
void writeColumnCaptions(MainState& state, int condition, bool keepHiddenCaptions) {
    DataGrid& grid = state.Grid;
    const int fields = FieldCount(state.Definition, condition);
    for (int col = 1; col < grid.ColCount(); ++col) {
        if (state.FixedCellInfo && col <= fields) {
            grid.SetCell(col, 0, state.Definition.GetFieldName(condition, col - 1));
        } else if (!keepHiddenCaptions || grid.ColWidth(col) > 0) {
            grid.SetCell(col, 0, std::to_string(col));
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
