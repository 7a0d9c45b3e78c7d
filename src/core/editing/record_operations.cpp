#include "core/editing/record_operations.h"

#include "core/app/fixed_captions.h"
#include "core/editing/record_line.h"
#include "core/grid/record_list.h"
#include "core/loading/grid_fill.h"

#include <string>
#include <vector>

namespace ranvo {
namespace {

constexpr std::string_view kCannotUndoQuestion = "削除すると元に戻すことはできません\r\nよろしいですか？";

bool loaded(const MainState& state, bool fromToolbar) {
    return !state.DataFileName.empty() && !(fromToolbar && state.AddBoxActive);
}

// The selection's rows that are data rows of the record list: [top, bottom].
struct RowSpan {
    int top = 0;
    int bottom = 0;
    [[nodiscard]] int count() const { return bottom - top + 1; }
};

RowSpan selectedRows(const MainState& state) {
    const GridRect selection = state.Grid.Selection();
    return {selection.Top, selection.Bottom};
}

void renumberRows(DataGrid& grid) {
    for (int row = 1; row < grid.RowCount(); ++row) {
        grid.SetRowNumber(row, row);
    }
}

void pushUndo(MainState& state, UndoKind kind, int column, std::string text, int row) {
    state.UndoData.Push(kind, column, std::move(text), row);
    state.UndoEnabled = true;
}

void copyRows(MainState& state, UiHost& host, const RowSpan& rows) {
    state.RecordClipboard.clear();
    std::string system;
    for (int row = rows.top; row <= rows.bottom; ++row) {
        std::string line = BuildRecordLine(state.Definition, state.Grid, row, true);
        system.append(line, kConditionPrefixLength);
        system += "\r\n";
        state.RecordClipboard.push_back(std::move(line));
    }
    state.RecordPasteEnabled = true;
    host.SetClipboardText(system);
}

// Entries top - 1 onward, each followed by CR LF, taken out of the record list.
std::string takeEntries(RecordList& records, const RowSpan& rows) {
    std::string taken;
    const auto first = static_cast<std::size_t>(rows.top) - 1;
    const auto count = static_cast<std::size_t>(rows.count());
    for (std::size_t i = first; i < first + count && i < records.size(); ++i) {
        taken += records[i];
        taken += "\r\n";
    }
    records.Erase(first, std::min(count, records.size() - std::min(first, records.size())));
    return taken;
}

// After the last record is deleted the grid is one empty cell with default sizes.
void resetToSingleCell(DataGrid& grid) {
    grid.ClearRow(1);
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    grid.SetRowCount(1);
    grid.SetColCount(1);
    grid.SetCurrent(0, 0);
    grid.SetColWidth(0, grid.DefaultColWidth());
    grid.SetRowHeight(0, grid.DefaultRowHeight());
}

} // namespace

void CopyRecords(MainState& state, UiHost& host, bool fromToolbar) {
    const RowSpan rows = selectedRows(state);
    if (!loaded(state, fromToolbar) || state.Records.empty() || rows.top <= 0 ||
        rows.top >= state.Grid.RowCount()) {
        return;
    }
    copyRows(state, host, {rows.top, std::min(rows.bottom, state.Grid.RowCount() - 1)});
}

void DeleteRecords(MainState& state, UiHost& host, bool fromToolbar) {
    const RowSpan rows = selectedRows(state);
    DataGrid& grid = state.Grid;
    if (!loaded(state, fromToolbar) || state.Records.empty() || rows.top <= 0 ||
        rows.bottom + 1 > grid.RowCount()) {
        return;
    }
    if (!host.AskYesNo(std::to_string(rows.count()) + "行のレコードを削除しようとしています\r\n" +
                       std::string(kCannotUndoQuestion))) {
        return;
    }
    BusyGuard busy(host);
    const int topRow = grid.TopRow();
    const int leftCol = grid.LeftCol();
    std::string deleted = takeEntries(state.Records, rows);
    grid.DeleteRows(rows.top, rows.count());
    if (grid.RowCount() <= 1) {
        resetToSingleCell(grid);
    }
    RepaintFixCol(state);
    state.Modified = true;
    pushUndo(state, UndoKind::DeletedRecords, 0, std::move(deleted), rows.top);
    grid.SetTopRow(std::min(topRow, std::max(grid.RowCount() - 1, 0)));
    grid.SetLeftCol(std::min(leftCol, std::max(grid.ColCount() - 1, 0)));
}

void CutRecords(MainState& state, UiHost& host, bool fromToolbar) {
    DataGrid& grid = state.Grid;
    const RowSpan selected = selectedRows(state);
    if (!loaded(state, fromToolbar) || state.Records.empty() || selected.top <= 0 ||
        selected.top >= grid.RowCount()) {
        return;
    }
    if (!host.AskYesNo(kCannotUndoQuestion)) {
        return;
    }
    const RowSpan rows{selected.top, std::min(selected.bottom, grid.RowCount() - 1)};
    copyRows(state, host, rows);
    (void)takeEntries(state.Records, rows);
    grid.DeleteRows(rows.top, rows.count());
    if (grid.RowCount() <= 1) {
        // One empty row stays to type into; no record-list entry stands behind it.
        grid.SetRowCount(2);
        grid.SetFixedRows(1);
    }
    renumberRows(grid);
    state.Modified = true;
    state.UndoData.Clear();
    state.UndoEnabled = false;
}

void PasteRecords(MainState& state, bool fromToolbar) {
    DataGrid& grid = state.Grid;
    const int top = grid.Selection().Top;
    const auto count = static_cast<int>(state.RecordClipboard.size());
    if (!loaded(state, fromToolbar) || top <= 0 || top >= grid.RowCount() || count == 0 ||
        static_cast<std::size_t>(top) > state.Records.size() + 1) {
        return;
    }
    for (int k = 0; k < count; ++k) {
        state.Records.Insert(static_cast<std::size_t>(top - 1 + k),
                             state.RecordClipboard[static_cast<std::size_t>(k)]);
    }
    grid.InsertRows(top, count);
    GridFiller filler(state.Definition);
    for (int row = top; row < top + count; ++row) {
        filler.FillRow(grid, state.Records, row);
    }
    renumberRows(grid);
    pushUndo(state, UndoKind::PastedRecords, top, {}, top + count);
    state.Modified = true;
}

bool BeginNewRecord(MainState& state) {
    if (!loaded(state, false) || state.AddBoxActive) {
        return false;
    }
    DataGrid& grid = state.Grid;
    state.Records.Append({});
    grid.SetRowCount(grid.RowCount() + 1);
    state.AddRow = grid.RowCount() - 1;
    state.InsertMode = false;
    grid.SetCurrent(std::max(grid.Col(), 0), state.AddRow);
    grid.SetCell(0, state.AddRow, "ADD");
    state.AddBoxActive = true;
    return true;
}

bool BeginInsertRecord(MainState& state) {
    DataGrid& grid = state.Grid;
    if (!loaded(state, false) || state.AddBoxActive || grid.RowCount() < 2 || grid.Row() < 1 ||
        static_cast<std::size_t>(grid.Row()) > state.Records.size()) {
        return false;
    }
    state.AddRow = grid.Row();
    state.InsertMode = true;
    state.Records.Insert(static_cast<std::size_t>(state.AddRow) - 1, {});
    grid.InsertRows(state.AddRow, 1);
    grid.SetCurrent(std::min(1, grid.ColCount() - 1), state.AddRow);
    grid.SetCell(0, state.AddRow, "INC");
    state.AddBoxActive = true;
    return true;
}

void EndRecordEntry(MainState& state, std::string_view text) {
    DataGrid& grid = state.Grid;
    const int row = state.AddRow;
    const bool hasEntry = row >= 1 && static_cast<std::size_t>(row) <= state.Records.size();
    if (hasEntry && text.empty()) {
        state.Records.Erase(static_cast<std::size_t>(row) - 1);
        grid.DeleteRows(row, 1);
    } else if (hasEntry) {
        std::vector<std::string> values;
        const auto count = static_cast<int>(state.Definition.SplitRecord(text, values));
        if (count > grid.ColCount() - 1) {
            grid.SetColCount(count + 1);
            RepaintFixCol(state);
            grid.SetFixedCols(1);
            grid.SetFixedRows(1);
        }
        const auto prefix = ConditionPrefix(state.Definition.FindCondition(text));
        state.Records.Set(static_cast<std::size_t>(row) - 1,
                          std::string(prefix.begin(), prefix.end()) + std::string(text));
        grid.SetRowCells(row, std::span<const std::string>(values));
        grid.SetRowNumber(row, row);
        pushUndo(state, UndoKind::AddedRecord, 0, {}, row);
        state.Modified = true;
    }
    state.AddBoxActive = false;
    RepaintFixCol(state);
}

} // namespace ranvo
