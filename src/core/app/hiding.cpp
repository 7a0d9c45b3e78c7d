#include "core/app/hiding.h"

#include "core/app/cell_selection.h"
#include "core/views/field_test.h"

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
    state.VisibleAllButtonEnabled = true;
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
    // Row and column are sought together: each move on its own would stop on the other's
    // hidden line.
    MoveToVisibleCell(state, state.Grid.Col(), state.Grid.Row(),
                      SearchDirection::BackwardThenForward);
}

void ShowAllRowsAndCols(MainState& state) {
    if (usable(state)) {
        ShowAll(state);
    }
}

namespace {

bool ticked(const std::vector<bool>& ticks, std::size_t index) {
    return index >= ticks.size() || ticks[index];
}

bool passesTests(const DataGrid& grid, int row, const std::vector<std::string>& tests) {
    for (std::size_t j = 0; j < tests.size(); ++j) {
        if (!tests[j].empty() && !FieldTestPasses(tests[j], grid.Cell(static_cast<int>(j) + 1, row))) {
            return false;
        }
    }
    return true;
}

} // namespace

void ApplyVisibility(MainState& state, UiHost& host, const VisibilityChoice& choice) {
    BusyGuard busy(host);
    DataGrid& grid = state.Grid;
    AxisExtents& widths = grid.ColWidths();
    for (int col = 1; col < grid.ColCount(); ++col) {
        if (ticked(choice.Columns, static_cast<std::size_t>(col - 1))) {
            if (widths.extent(col) <= 0) {
                widths.setExtent(col, widths.defaultExtent());
            }
            continue;
        }
        widths.setExtent(col, std::min(widths.extent(col), 0));
        widths.setExtent(col, HideMark(widths, col));
        state.VisibleAllEnabled = true;
        if (col == grid.Col()) {
            MoveToVisibleCol(state, col, SearchDirection::BackwardThenForward);
        }
    }
    AxisExtents& heights = grid.RowHeights();
    const int rows = std::min(grid.RowCount() - 1, static_cast<int>(grid.Records().size()));
    for (int row = 1; row <= rows; ++row) {
        const auto condition = static_cast<std::size_t>(grid.RowCondition(row));
        const bool shown = ticked(choice.Conditions, condition) &&
                           (!choice.FieldTests || passesTests(grid, row, *choice.FieldTests));
        if (shown) {
            if (heights.extent(row) <= 0) {
                heights.setExtent(row, heights.defaultExtent());
            }
            continue;
        }
        heights.setExtent(row, std::min(heights.extent(row), 0));
        heights.setExtent(row, HideMark(heights, row));
        state.VisibleAllEnabled = true;
        if (row == grid.Row()) {
            MoveToVisibleRow(state, row, SearchDirection::BackwardThenForward);
        }
    }
}

} // namespace ranvo
