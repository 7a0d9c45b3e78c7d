#include "core/editing/reapply.h"

#include "core/app/cell_selection.h"
#include "core/app/column_sizes.h"
#include "core/app/field_jump.h"
#include "core/app/fixed_captions.h"
#include "core/app/grid_queries.h"
#include "core/definitions/definition_layout.h"
#include "core/loading/grid_fill.h"

#include <string>
#include <vector>

namespace ranvo {
namespace {

// Every record written again from its cells, as the record line builder of the new definition
// writes them, and tagged with the condition the new definition finds for it. A fixed-length
// record is then brought to its new condition's length, as a load would. A record that comes out
// as it was keeps its bytes where they are.
void rebuildRecords(MainState& state) {
    const TDefineClass& definition = state.Definition;
    if (!definition.IsFixedFormat() && definition.FileFormat != "CS" && definition.FileFormat != "CT") {
        return;
    }
    DataGrid& grid = state.Grid;
    const RecordLayout fresh = LayoutOf(definition);
    CellList cells;
    for (int row = 1; grid.HasRecord(row); ++row) {
        const StoredRecord stored = grid.Stored(row);
        grid.CutRow(row, cells);
        std::string text = fresh.Build(cells);
        const int condition = definition.FindCondition(text);
        if (definition.IsFixedFormat()) {
            text.resize(fresh.RecordLength(condition), ' ');
        }
        if (text == stored.Text()) {
            grid.RestoreRecord(row, {stored.Data, stored.Size, static_cast<std::uint16_t>(condition)});
        } else {
            grid.SetRecord(row, condition, text);
        }
    }
}

} // namespace

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
        rebuildRecords(state);
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
