#include "core/app/field_jump.h"

#include "core/app/cell_selection.h"

namespace ranvo {

void FillJumpList(MainState& state, int condition) {
    state.JumpListItems.clear();
    const TDefineClass& definition = state.Definition;
    if (condition >= 0 && static_cast<std::size_t>(condition) < definition.Conditions.size()) {
        const auto names = definition.Conditions[static_cast<std::size_t>(condition)].FieldName.size();
        for (std::size_t j = 0; j < names; ++j) {
            state.JumpListItems.push_back(definition.GetFieldName(condition, static_cast<int>(j)));
        }
    }
    state.JumpListIndex = -1;
}

void JumpField(MainState& state, int index) {
    DataGrid& grid = state.Grid;
    const int col = index + 1;
    if (col >= 1 && col < grid.ColCount() && !state.JumpKeyDown) {
        if (grid.ColWidth(col) > 0) {
            SetCurrentCell(state, grid.Col(), grid.Selection().Top);
        }
        SetCurrentCell(state, col, grid.Row());
    }
    state.JumpKeyDown = false;
}

void JumpListEnter(MainState& state, int index) {
    if (index >= 0 && index + 1 < state.Grid.ColCount()) {
        SetCurrentCell(state, index + 1, state.Grid.Row());
    }
}

} // namespace ranvo
