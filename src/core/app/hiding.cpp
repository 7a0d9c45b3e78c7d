#include "core/app/hiding.h"

#include "core/app/cell_selection.h"

namespace ranvo {
namespace {

bool usable(const MainState& state) {
    return !state.DataFileName.empty() && !state.AddBoxActive;
}

void hide(AxisExtents& extents, int first, int last) {
    for (int index = std::max(first, 1); index <= last && index < extents.count(); ++index) {
        extents.setExtent(index, HideMark(extents, index));
    }
}

} // namespace

int HideMark(const AxisExtents& extents, int index) {
    const bool beforeHidden = index > 0 && extents.extent(index - 1) <= 0;
    const bool afterHidden = index + 1 < extents.count() && extents.extent(index + 1) <= 0;
    return beforeHidden || afterHidden ? -1 : 0;
}

void HideRows(MainState& state, int top, int bottom) {
    hide(state.Grid.RowHeights(), top, bottom);
    state.VisibleAllEnabled = true;
}

void HideCols(MainState& state, int left, int right) {
    hide(state.Grid.ColWidths(), left, right);
    state.VisibleAllEnabled = true;
}

void ShowAll(MainState& state) {
    DataGrid& grid = state.Grid;
    for (int col = 1; col < grid.ColCount(); ++col) {
        if (grid.ColWidth(col) < 1) {
            grid.SetColWidth(col, grid.DefaultColWidth());
        }
    }
    for (int row = 1; row < grid.RowCount(); ++row) {
        if (grid.RowHeight(row) < 1) {
            grid.SetRowHeight(row, grid.DefaultRowHeight());
        }
        grid.SetRowNumber(row, row);
    }
    state.VisibleAllEnabled = false;
}

void HideSelectedRows(MainState& state) {
    if (!usable(state)) {
        return;
    }
    const GridRect selection = state.Grid.Selection();
    HideRows(state, selection.Top, selection.Bottom);
    MoveToVisibleRow(state, state.Grid.Row(), SearchDirection::BackwardThenForward);
}

void HideSelectedCols(MainState& state) {
    if (!usable(state)) {
        return;
    }
    const GridRect selection = state.Grid.Selection();
    HideCols(state, selection.Left, selection.Right);
    MoveToVisibleCol(state, state.Grid.Col(), SearchDirection::BackwardThenForward);
}

void HideSelectedRowsAndCols(MainState& state) {
    if (!usable(state)) {
        return;
    }
    const GridRect selection = state.Grid.Selection();
    HideRows(state, selection.Top, selection.Bottom);
    HideCols(state, selection.Left, selection.Right);
    MoveToVisibleRow(state, state.Grid.Row(), SearchDirection::BackwardThenForward);
    MoveToVisibleCol(state, state.Grid.Col(), SearchDirection::BackwardThenForward);
}

void ShowAllRowsAndCols(MainState& state) {
    if (usable(state)) {
        ShowAll(state);
    }
}

} // namespace ranvo
