#include "core/editing/record_operations.h"

#include "core/app/fixed_captions.h"
#include "core/editing/undo.h"
#include "core/grid/record_list.h"
#include "core/loading/grid_fill.h"

#include <string>
#include <vector>

namespace ranvo {
namespace {

constexpr std::string_view kCannotUndoQuestion = "削除すると元に戻すことはできません\r\nよろしいですか？";

// Record commands need a loaded file, and none runs while a record is being typed: the typed row
// is not a record yet, and the rows would move under it.
bool loaded(const MainState& state) {
    return !state.DataFileName.empty() && !state.AddBoxActive;
}

// The selection's rows: [top, bottom].
struct RowSpan {
    int top = 0;
    int bottom = 0;
    [[nodiscard]] int count() const { return bottom - top + 1; }
};

RowSpan selectedRows(const MainState& state) {
    const GridRect selection = state.Grid.Selection();
    return {selection.Top, selection.Bottom};
}

// The selected rows that hold records.
RowSpan recordRows(const MainState& state) {
    const RowSpan rows = selectedRows(state);
    return {rows.top, std::min(rows.bottom, static_cast<int>(state.Grid.Records().size()))};
}

void renumberRows(DataGrid& grid) {
    for (int row = 1; row < grid.RowCount(); ++row) {
        grid.SetRowNumber(row, row);
    }
}

void copyRows(MainState& state, UiHost& host, const RowSpan& rows) {
    state.RecordClipboard.clear();
    std::string system;
    for (int row = rows.top; row <= rows.bottom; ++row) {
        const std::string_view text = state.Grid.RecordText(row);
        const auto prefix = ConditionPrefix(state.Definition.FindCondition(text));
        state.RecordClipboard.push_back(std::string(prefix.begin(), prefix.end()) + std::string(text));
        system += text;
        system += "\r\n";
    }
    state.RecordPasteEnabled = true;
    host.SetClipboardText(system);
}

// The row left after cutting every record stands for no record; a record added or pasted takes
// its place.
void dropEmptyRow(DataGrid& grid) {
    if (grid.Records().empty() && grid.RowCount() > 1) {
        grid.SetRowCount(1);
    }
}

// A record of the clipboard for this file: its condition as stored when this definition has it,
// and its text brought to that condition's length.
struct PastedRecord {
    int condition = 0;
    std::string text;
};

PastedRecord pastedRecord(const MainState& state, std::string_view entry) {
    const std::string_view text = entry.substr(std::min(entry.size(), kConditionPrefixLength));
    int condition = ConditionOfEntry(entry);
    if (condition < 0 || static_cast<std::size_t>(condition) >= state.Definition.Conditions.size()) {
        condition = state.Definition.FindCondition(text);
    }
    return {condition, state.Grid.Layout().FitRecord(condition, text)};
}

void showRowsAndCaptions(DataGrid& grid) {
    grid.SetFixedRows(grid.RowCount() > 1 ? 1 : 0);
    grid.SetFixedCols(grid.ColCount() > 1 ? 1 : 0);
}

} // namespace

void ResetToSingleCell(DataGrid& grid) {
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    grid.SetRowCount(1);
    grid.SetColCount(1);
    grid.SetCurrent(0, 0);
    grid.SetCell(0, 0, {});
    grid.SetColWidth(0, grid.DefaultColWidth());
    grid.SetRowHeight(0, grid.DefaultRowHeight());
}

void CopyRecords(MainState& state, UiHost& host) {
    const RowSpan rows = recordRows(state);
    if (!loaded(state) || state.Grid.Records().empty() || rows.top <= 0 || rows.top > rows.bottom) {
        return;
    }
    copyRows(state, host, rows);
}

void DeleteRecords(MainState& state, UiHost& host) {
    const RowSpan rows = recordRows(state);
    DataGrid& grid = state.Grid;
    if (!loaded(state) || grid.Records().empty() || rows.top <= 0 || rows.top > rows.bottom) {
        return;
    }
    if (!host.AskYesNo(std::to_string(rows.count()) + "行のレコードを削除しようとしています\r\n" +
                       std::string(kCannotUndoQuestion))) {
        return;
    }
    BusyGuard busy(host);
    const int topRow = grid.TopRow();
    const int leftCol = grid.LeftCol();
    std::vector<StoredRecord> deleted = grid.DeleteRows(rows.top, rows.count());
    if (grid.RowCount() <= 1) {
        ResetToSingleCell(grid);
    }
    RepaintFixCol(state);
    PushUndo(state, UndoEntry::Deleted(rows.top, std::move(deleted)));
    grid.SetTopRow(std::min(topRow, std::max(grid.RowCount() - 1, 0)));
    grid.SetLeftCol(std::min(leftCol, std::max(grid.ColCount() - 1, 0)));
}

void CutRecords(MainState& state, UiHost& host) {
    DataGrid& grid = state.Grid;
    const RowSpan rows = recordRows(state);
    if (!loaded(state) || grid.Records().empty() || rows.top <= 0 || rows.top > rows.bottom) {
        return;
    }
    if (!host.AskYesNo(kCannotUndoQuestion)) {
        return;
    }
    copyRows(state, host, rows);
    (void)grid.DeleteRows(rows.top, rows.count());
    if (grid.RowCount() <= 1) {
        // One empty row stays to type into; no record stands behind it.
        grid.SetRowCount(2);
        grid.SetFixedRows(1);
    }
    renumberRows(grid);
    state.Modified = true;
    state.UndoData.Clear(false);
    state.UndoEnabled = false;
}

void PasteRecords(MainState& state) {
    DataGrid& grid = state.Grid;
    const int top = grid.Selection().Top;
    const auto count = static_cast<int>(state.RecordClipboard.size());
    if (!loaded(state) || top <= 0 || top >= grid.RowCount() || count == 0) {
        return;
    }
    dropEmptyRow(grid);
    const int at = std::min(top, static_cast<int>(grid.Records().size()) + 1);
    std::size_t most = 0;
    CellList cells;
    for (int k = 0; k < count; ++k) {
        const PastedRecord record = pastedRecord(state, state.RecordClipboard[static_cast<std::size_t>(k)]);
        grid.InsertRecordRow(at + k, record.condition, record.text);
        grid.CutRow(at + k, cells);
        most = std::max(most, cells.size());
    }
    WidenForCells(grid, most);
    showRowsAndCaptions(grid);
    renumberRows(grid);
    PushUndo(state, UndoEntry::Pasted(at, at + count));
}

bool BeginNewRecord(MainState& state) {
    if (!loaded(state)) {
        return false;
    }
    DataGrid& grid = state.Grid;
    dropEmptyRow(grid);
    state.AddRow = static_cast<int>(grid.Records().size()) + 1;
    grid.InsertRecordRow(state.AddRow, 0, {});
    state.InsertMode = false;
    grid.SetCurrent(std::max(grid.Col(), 0), state.AddRow);
    grid.SetCell(0, state.AddRow, "ADD");
    state.AddBoxActive = true;
    return true;
}

bool BeginInsertRecord(MainState& state) {
    DataGrid& grid = state.Grid;
    if (!loaded(state) || !grid.HasRecord(grid.Row())) {
        return false;
    }
    state.AddRow = grid.Row();
    state.InsertMode = true;
    grid.InsertRecordRow(state.AddRow, 0, {});
    grid.SetCurrent(std::min(1, grid.ColCount() - 1), state.AddRow);
    grid.SetCell(0, state.AddRow, "INC");
    state.AddBoxActive = true;
    return true;
}

void EndRecordEntry(MainState& state, std::string_view text) {
    // An entry ends once: the working row is gone or a record afterwards, and ending it again
    // would take out or overwrite whatever row now stands there.
    if (!state.AddBoxActive) {
        return;
    }
    DataGrid& grid = state.Grid;
    const int row = state.AddRow;
    if (grid.HasRecord(row) && text.empty()) {
        (void)grid.DeleteRows(row, 1);
        if (grid.RowCount() <= 1) {
            ResetToSingleCell(grid);
        }
    } else if (grid.HasRecord(row)) {
        const int condition = state.Definition.FindCondition(text);
        grid.SetRecord(row, condition, grid.Layout().FitRecord(condition, text));
        CellList cells;
        grid.CutRow(row, cells);
        if (WidenForCells(grid, cells.size())) {
            RepaintFixCol(state);
        }
        showRowsAndCaptions(grid);
        grid.SetRowNumber(row, row);
        PushUndo(state, UndoEntry::Added(row));
    }
    state.AddBoxActive = false;
    RepaintFixCol(state);
}

} // namespace ranvo
