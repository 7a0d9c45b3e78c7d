#include "core/app/window_updates.h"

#include "core/app/column_sizes.h"
#include "core/app/field_jump.h"
#include "core/app/fixed_captions.h"
#include "core/app/grid_queries.h"
#include "core/app/status_bar.h"

namespace ranvo {

void ShowOpenedFile(MainState& state, UiHost& host) {
    DataGrid& grid = state.Grid;
    state.DataCommandsEnabled = true;
    state.DataButtonsEnabled = true;
    state.EditViewMenusEnabled = true;
    state.PendingDefineFile.clear();
    state.EditStartText.clear();
    grid.SetCurrent(std::min(1, grid.ColCount() - 1), std::min(1, grid.RowCount() - 1));
    grid.SetTopRow(grid.FixedRows());
    grid.SetLeftCol(grid.FixedCols());
    RepaintFixCol(state);
    RepaintFixRow(state, grid.Row());
    AdjustHeights(state, host);
    if (state.Settings.OpenAutoFit) {
        AdjustWidths(state, host);
    }
    SetStsBar(state, 1, 1);
    const int condition = RowCondition(state, 1);
    state.JumpListCondition = condition;
    FillJumpList(state, condition);
    state.JumpListIndex = state.JumpListItems.empty() ? -1 : 0;
    state.CellBoxText = grid.Cell(grid.Col(), grid.Row());
    state.CellBoxEnabled = true;
}

void ShowNothingLoaded(MainState& state) {
    state.DataFileName.clear();
    state.DataCommandsEnabled = false;
    state.EditViewMenusEnabled = false;
    state.UndoEnabled = false;
    state.VisibleAllEnabled = false;
    state.CellBoxEnabled = false;
}

bool SettleUnsavedChanges(MainState& state, UiHost& host, const std::function<bool()>& saveInPlace) {
    if (!state.Modified) {
        return true;
    }
    if (!host.AskYesNo("ファイルの内容が変更されています\r\n保存しますか？")) {
        return true;
    }
    return saveInPlace();
}

} // namespace ranvo
