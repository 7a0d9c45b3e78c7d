#include "core/app/cell_selection.h"

#include "core/app/field_jump.h"
#include "core/app/fixed_captions.h"
#include "core/app/grid_queries.h"
#include "core/app/status_bar.h"

#include <algorithm>

namespace ranvo {
namespace {

// Keeps (col, row) on screen: the top row and left column move just enough.
void scrollIntoView(DataGrid& grid, int col, int row) {
    if (row < grid.TopRow()) {
        grid.SetTopRow(row);
    } else if (grid.TopRow() + grid.VisibleRowCount() < row) {
        grid.SetTopRow(row - grid.VisibleRowCount());
    }
    if (col < grid.LeftCol()) {
        grid.SetLeftCol(col);
    } else if (grid.LeftCol() + grid.VisibleColCount() < col) {
        grid.SetLeftCol(col - grid.VisibleColCount());
    }
    grid.SetTopRow(std::max(grid.TopRow(), grid.FixedRows()));
    grid.SetLeftCol(std::max(grid.LeftCol(), grid.FixedCols()));
}

// Runs a cursor move with hidden-cell refusal off, switching it back on however the move ends.
class HiddenCheckOff {
public:
    explicit HiddenCheckOff(MainState& state) : m_state(state) { m_state.HiddenCheck = false; }
    ~HiddenCheckOff() { m_state.HiddenCheck = true; }
    HiddenCheckOff(const HiddenCheckOff&) = delete;
    HiddenCheckOff& operator=(const HiddenCheckOff&) = delete;

private:
    MainState& m_state;
};

// Tries the backward search, the forward one, or both in the direction's order.
template <class Backward, class Forward>
int searchInDirection(SearchDirection direction, Backward backward, Forward forward) {
    switch (direction) {
    case SearchDirection::Backward: return backward();
    case SearchDirection::Forward: return forward();
    case SearchDirection::BackwardThenForward: {
        const int found = backward();
        return found >= 0 ? found : forward();
    }
    case SearchDirection::ForwardThenBackward: {
        const int found = forward();
        return found >= 0 ? found : backward();
    }
    }
    return -1;
}

int searchVisibleCol(const DataGrid& grid, int start, SearchDirection direction) {
    const int last = grid.ColCount() - 1;
    auto backward = [&] {
        for (int col = std::min(start, last); col >= 1; --col) {
            if (grid.ColWidth(col) > 0) {
                return col;
            }
        }
        return -1;
    };
    auto forward = [&] {
        for (int col = std::max(start, 1); col <= last; ++col) {
            if (grid.ColWidth(col) > 0) {
                return col;
            }
        }
        return -1;
    };
    return searchInDirection(direction, backward, forward);
}

// Rows are many: the search skips runs of hidden rows through the extents' prefix sums.
int searchVisibleRow(const DataGrid& grid, int start, SearchDirection direction) {
    const AxisExtents& heights = grid.RowHeights();
    const int last = grid.RowCount() - 1;
    auto backward = [&] {
        const int found = start < 1 ? -1 : heights.previousVisible(std::min(start, last));
        return found >= 1 ? found : -1;
    };
    auto forward = [&] {
        const int found = heights.nextVisible(std::max(start, 1));
        return found <= last ? found : -1;
    };
    return searchInDirection(direction, backward, forward);
}

void refuseHiddenCell(MainState& state, int col, int row) {
    state.CellBoxEnabled = false;
    const DataGrid& grid = state.Grid;
    const int currentCol = grid.Col();
    const int currentRow = grid.Row();
    if (currentCol >= 1) {
        if (col < currentCol) {
            MoveToVisibleCol(state, currentCol - 1, SearchDirection::Backward);
        } else if (col > currentCol) {
            MoveToVisibleCol(state, currentCol + 1, SearchDirection::Forward);
        }
    }
    if (currentRow >= 1) {
        if (row < currentRow) {
            MoveToVisibleRow(state, currentRow - 1, SearchDirection::Backward);
        } else if (row > currentRow) {
            MoveToVisibleRow(state, currentRow + 1, SearchDirection::Forward);
        }
    }
}

void followDataCell(MainState& state, int col, int row) {
    state.CellBoxEnabled = true;
    SetStsBar(state, col, row);
    const int condition = RowCondition(state, row);
    if (condition != state.JumpListCondition) {
        state.JumpListCondition = condition;
        FillJumpList(state, condition);
    }
    if (col - 1 < static_cast<int>(state.JumpListItems.size())) {
        state.JumpListIndex = col - 1;
    }
}

} // namespace

bool SelectCell(MainState& state, int col, int row) {
    if (state.SkipSelectCheck) {
        state.SkipSelectCheck = false;
        return true;
    }
    DataGrid& grid = state.Grid;
    scrollIntoView(grid, col, row);
    bool allowed = true;
    if (state.HiddenCheck && (grid.ColWidth(col) <= 0 || grid.RowHeight(row) <= 0)) {
        refuseHiddenCell(state, col, row);
        allowed = false;
    } else {
        if (col >= 1 && row >= 1 && row < grid.RowCount() && col < grid.ColCount()) {
            followDataCell(state, col, row);
        } else {
            SetStsBarWithoutField(state, col, row);
        }
        state.CellBoxText = grid.Cell(col, row);
    }
    WriteCaptionsForRow(state, row);
    return allowed;
}

void ShowCurrentCell(MainState& state) {
    const DataGrid& grid = state.Grid;
    const int col = grid.Col();
    const int row = grid.Row();
    if (state.DataFileName.empty()) {
        return;
    }
    if (col >= 1 && row >= 1 && row < grid.RowCount() && col < grid.ColCount()) {
        followDataCell(state, col, row);
    } else {
        SetStsBarWithoutField(state, col, row);
    }
    state.CellBoxText = grid.Cell(col, row);
}

bool SetCurrentCell(MainState& state, int col, int row) {
    if (!SelectCell(state, col, row)) {
        return false;
    }
    state.Grid.SetCurrent(col, row);
    return true;
}

bool MoveToVisibleCol(MainState& state, int start, SearchDirection direction) {
    HiddenCheckOff off(state);
    DataGrid& grid = state.Grid;
    const int row = std::max(grid.Selection().Top, 1);
    SetCurrentCell(state, grid.Col(), row);
    if (grid.RowHeight(row) <= 0) {
        return false;
    }
    const int found = searchVisibleCol(grid, start, direction);
    return found >= 0 && SetCurrentCell(state, found, row);
}

bool MoveToVisibleRow(MainState& state, int start, SearchDirection direction) {
    HiddenCheckOff off(state);
    DataGrid& grid = state.Grid;
    const int col = std::max(grid.Selection().Left, 1);
    SetCurrentCell(state, col, grid.Row());
    if (grid.ColWidth(col) <= 0) {
        return false;
    }
    const int found = searchVisibleRow(grid, start, direction);
    return found >= 0 && SetCurrentCell(state, col, found);
}

bool MoveToVisibleCell(MainState& state, int startCol, int startRow, SearchDirection direction) {
    HiddenCheckOff off(state);
    const int col = searchVisibleCol(state.Grid, startCol, direction);
    const int row = searchVisibleRow(state.Grid, startRow, direction);
    return col >= 0 && row >= 0 && SetCurrentCell(state, col, row);
}

} // namespace ranvo
