#include "core/editing/reapply.h"

#include "core/app/cell_selection.h"
#include "core/app/column_sizes.h"
#include "core/app/field_jump.h"
#include "core/app/fixed_captions.h"
#include "core/app/grid_queries.h"
#include "core/editing/record_line.h"
#include "core/loading/grid_fill.h"

#include <string>
#include <vector>

namespace ranvo {

void ReapplyDefinition(MainState& state, UiHost& host) {
    if (state.DataFileName.empty() || state.AddBoxActive) {
        return;
    }
    if (host.Message("編集されたデータに対して、定義を再度適用し、フィールドを分割します\n\r"
                     "この作業により、一部のデータが失われる可能性があります\n\r続けますか？",
                     MessageIcon::Information, MessageButtons::YesNo) != Answer::Yes) {
        return;
    }
    // Read into a new definition first, so that a file that cannot be read leaves everything.
    TDefineClass reread;
    const std::filesystem::path source = state.Definition.SourcePath;
    const bool loaded = TDefineClass::DefineLoaded;
    if (!reread.LoadFromFile(source)) {
        TDefineClass::DefineLoaded = loaded; // the current definition still stands
        host.ShowError("定義ファイル\"" + source.string() + "\"の読込に失敗しました");
        return;
    }
    {
        BusyGuard busy(host);
        state.Definition = std::move(reread);
        const TDefineClass& definition = state.Definition;
        if (definition.IsFixedFormat() || definition.FileFormat == "CS" || definition.FileFormat == "CT") {
            const int rows = std::min(state.Grid.RowCount() - 1, static_cast<int>(state.Records.size()));
            for (int row = 1; row <= rows; ++row) {
                state.Records.Set(static_cast<std::size_t>(row) - 1,
                                  BuildRecordLine(definition, state.Grid, row, true));
            }
        }
        (void)FillGrid(state, host);
        SetCurrentCell(state, std::min(1, state.Grid.ColCount() - 1), state.Grid.Row());
        MoveToVisibleCol(state, 1, SearchDirection::Forward);
        MoveToVisibleRow(state, 1, SearchDirection::Forward);
    }
    const int condition = RowCondition(state, state.Grid.Row());
    state.JumpListCondition = condition;
    FillJumpList(state, condition);
    state.JumpListIndex = state.Grid.Col() - 1;
    RepaintFixCol(state);
    RepaintFixRow(state, state.Grid.Row());
    AdjustHeights(state, host);
    if (state.Settings.OpenAutoFit) {
        AdjustWidths(state, host);
    }
}

} // namespace ranvo
