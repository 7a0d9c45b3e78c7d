#include "core/editing/undo.h"

#include "core/app/fixed_captions.h"
#include "core/editing/record_operations.h"
#include "core/loading/grid_fill.h"

#include <algorithm>
#include <numeric>

namespace ranvo {
namespace {

void repaintCaptions(MainState& state) {
    RepaintFixRow(state, state.Grid.Row());
    RepaintFixCol(state);
}

void restoreRecords(DataGrid& grid, const UndoEntry& entry) {
    for (std::size_t i = 0; i < entry.Records.size(); ++i) {
        grid.RestoreRecord(entry.Row + static_cast<int>(i), entry.Records[i]);
    }
}

void restoreDeletedRecords(MainState& state, const UndoEntry& entry) {
    DataGrid& grid = state.Grid;
    if (grid.RowCount() <= 1) {
        grid.SetRowCount(1); // the grid was reset to one cell when its last record went
    }
    grid.InsertRecordRows(entry.Row, entry.Records);
    std::size_t most = 0;
    for (const StoredRecord& record : entry.Records) {
        CellList cells;
        grid.Layout().Cut(record.Text(), record.Condition, cells);
        most = std::max(most, cells.size());
    }
    WidenForCells(grid, most);
    grid.SetFixedRows(grid.RowCount() > 1 ? 1 : 0);
    grid.SetFixedCols(grid.ColCount() > 1 ? 1 : 0);
    repaintCaptions(state);
}

void removeRows(MainState& state, int first, int count) {
    (void)state.Grid.DeleteRows(first, count);
    if (state.Grid.RowCount() <= 1) {
        ResetToSingleCell(state.Grid);
    }
    repaintCaptions(state);
}

// A sort is undone by the inverse of the order it applied.
void restoreOrder(MainState& state, const UndoEntry& entry) {
    std::vector<std::uint32_t> inverse(entry.Order.size());
    for (std::size_t k = 0; k < entry.Order.size(); ++k) {
        inverse[entry.Order[k]] = static_cast<std::uint32_t>(k);
    }
    state.Grid.PermuteRows(inverse);
    RepaintFixCol(state);
}

} // namespace

void PushUndo(MainState& state, UndoEntry entry) {
    state.UndoData.Push(std::move(entry));
    state.UndoEnabled = true;
    state.Modified = true;
}

std::vector<StoredRecord> RecordsOfRows(const DataGrid& grid, int top, int bottom) {
    std::vector<StoredRecord> records;
    for (int row = std::max(top, 1); row <= bottom && grid.HasRecord(row); ++row) {
        records.push_back(grid.Stored(row));
    }
    return records;
}

std::size_t UndoLast(MainState& state) {
    TUndoData& undo = state.UndoData;
    if (undo.Count() == 0) {
        state.UndoEnabled = false;
        return 0;
    }
    const UndoEntry& entry = undo.Newest();
    switch (entry.Kind) {
    case UndoKind::Cell:
    case UndoKind::CellBlock: restoreRecords(state.Grid, entry); break;
    case UndoKind::AddedRecord: removeRows(state, entry.Row, 1); break;
    case UndoKind::DeletedRecords: restoreDeletedRecords(state, entry); break;
    case UndoKind::PastedRecords: removeRows(state, entry.Column, entry.Row - entry.Column); break;
    case UndoKind::RecordList: restoreOrder(state, entry); break;
    }
    undo.Pop();
    state.UndoEnabled = undo.Count() > 0;
    state.Modified = !undo.AtSavedState();
    return undo.Count();
}

} // namespace ranvo
