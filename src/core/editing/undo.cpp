#include "core/editing/undo.h"

#include "core/app/fixed_captions.h"
#include "core/text/cell_block.h"
#include "core/grid/record_list.h"
#include "core/loading/grid_fill.h"
#include "core/text/text_helpers.h"
#include "core/text/text_lines.h"

#include <string>
#include <vector>

namespace ranvo {
namespace {

void repaintCaptions(MainState& state) {
    RepaintFixRow(state, state.Grid.Row());
    RepaintFixCol(state);
}

void restoreCellBlock(DataGrid& grid, const UndoEntry& entry) {
    const CellBlock rows = SplitCellBlock(entry.Text);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = 0; j < rows[i].size(); ++j) {
            grid.SetCell(entry.Column + static_cast<int>(j), entry.Row + static_cast<int>(i),
                         rows[i][j]);
        }
    }
}

void restoreDeletedRecords(MainState& state, const UndoEntry& entry) {
    std::vector<std::string_view> lines;
    SplitLines(entry.Text, lines);
    DataGrid& grid = state.Grid;
    const int top = entry.Row;
    const auto count = static_cast<int>(lines.size());
    if (grid.RowCount() <= 1) {
        grid.SetRowCount(1); // the grid was reset to one cell when its last record went
    }
    grid.InsertRows(top, count);
    std::vector<std::string> values;
    for (int n = 0; n < count; ++n) {
        const std::string_view line = lines[static_cast<std::size_t>(n)];
        state.Records.Insert(static_cast<std::size_t>(top - 1 + n), line);
        const int fields = state.Definition.SplitRecord(line.substr(std::min(line.size(), kConditionPrefixLength)), values);
        if (fields + 1 > grid.ColCount()) {
            grid.SetColCount(fields + 1);
        }
        grid.SetRowNumber(top + n, top + n);
        grid.SetRowCells(top + n, std::span<const std::string>(values));
    }
    grid.SetFixedRows(grid.RowCount() > 1 ? 1 : 0);
    grid.SetFixedCols(grid.ColCount() > 1 ? 1 : 0);
    repaintCaptions(state);
}

void removeRows(MainState& state, int first, int count) {
    state.Grid.DeleteRows(first, count);
    const auto from = static_cast<std::size_t>(first) - 1;
    if (from < state.Records.size()) {
        state.Records.Erase(from, std::min(static_cast<std::size_t>(count), state.Records.size() - from));
    }
    repaintCaptions(state);
}

void restoreRecordList(MainState& state, UiHost& host, const UndoEntry& entry) {
    std::vector<std::string_view> lines;
    SplitLines(entry.Text, lines);
    state.Records.Clear();
    for (const std::string_view line : lines) {
        state.Records.Append(line);
    }
    (void)FillGrid(state, host);
}

} // namespace

std::size_t UndoLast(MainState& state, UiHost& host) {
    TUndoData& undo = state.UndoData;
    if (undo.Count() == 0) {
        state.UndoEnabled = false;
        return 0;
    }
    const UndoEntry entry = undo.Newest();
    switch (entry.Kind) {
    case UndoKind::Cell: state.Grid.SetCell(entry.Column, entry.Row, entry.Text); break;
    case UndoKind::CellBlock: restoreCellBlock(state.Grid, entry); break;
    case UndoKind::AddedRecord: removeRows(state, entry.Row, 1); break;
    case UndoKind::DeletedRecords: restoreDeletedRecords(state, entry); break;
    case UndoKind::PastedRecords: removeRows(state, entry.Column, entry.Row - entry.Column); break;
    case UndoKind::RecordList: restoreRecordList(state, host, entry); break;
    }
    undo.Pop();
    state.UndoEnabled = undo.Count() > 0;
    return undo.Count();
}

} // namespace ranvo
