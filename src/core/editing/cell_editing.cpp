#include "core/editing/cell_editing.h"

#include "core/app/grid_queries.h"
#include "core/editing/undo.h"
#include "core/text/cell_block.h"
#include "core/text/number_text.h"
#include "core/text/sjis.h"
#include "core/text/text_helpers.h"

#include <algorithm>
#include <vector>

namespace ranvo {
namespace {

// Writes new texts into a rectangle of cells, one undo entry holding the records the rows had.
// Rows without a record (the empty row left after cutting every record) take no text.
template <class NewText>
void rewriteRectangle(MainState& state, GridRect rect, NewText newText) {
    DataGrid& grid = state.Grid;
    while (rect.Bottom >= rect.Top && !grid.HasRecord(rect.Bottom)) {
        --rect.Bottom;
    }
    if (rect.Bottom < rect.Top) {
        return;
    }
    UndoEntry entry = UndoEntry::BlockEdit(rect.Left, rect.Top, RecordsOfRows(grid, rect.Top, rect.Bottom));
    for (int row = rect.Top; row <= rect.Bottom; ++row) {
        for (int col = rect.Left; col <= rect.Right; ++col) {
            const std::string old(grid.Cell(col, row));
            grid.SetCell(col, row, newText(col, row, old));
        }
    }
    PushUndo(state, std::move(entry));
}

// One cell's new value, with an entry holding its record before.
void rewriteCell(MainState& state, int col, int row, std::string_view text) {
    DataGrid& grid = state.Grid;
    PushUndo(state, UndoEntry::CellEdit(col, row, grid.Stored(row)));
    grid.SetCell(col, row, text);
}

// The selection within the data cells.
GridRect dataSelection(const DataGrid& grid) {
    GridRect rect = grid.Selection();
    rect.Left = std::max(rect.Left, 1);
    rect.Top = std::max(rect.Top, 1);
    rect.Right = std::min(rect.Right, grid.ColCount() - 1);
    rect.Bottom = std::min(rect.Bottom, grid.RowCount() - 1);
    return rect;
}

// The visible cells of a rectangle, TAB between cells and CR LF between its visible rows.
std::string blockText(const DataGrid& grid, const GridRect& rect) {
    std::string text;
    bool firstLine = true;
    for (int row = rect.Top; row <= rect.Bottom; ++row) {
        if (grid.RowHeight(row) <= 0) {
            continue;
        }
        text += firstLine ? "" : "\r\n";
        firstLine = false;
        bool firstCell = true;
        for (int col = rect.Left; col <= rect.Right; ++col) {
            if (grid.ColWidth(col) > 0) {
                text += firstCell ? "" : "\t";
                text += grid.Cell(col, row);
                firstCell = false;
            }
        }
    }
    return text;
}

} // namespace

std::string FitToField(const MainState& state, int col, int row, std::string_view value) {
    return state.Grid.Layout().Fit(RowCondition(state, row), static_cast<std::size_t>(std::max(col - 1, 0)), value);
}

void CommitCellEdit(MainState& state, int col, int row, std::string_view text,
                    std::string_view previous) {
    DataGrid& grid = state.Grid;
    if (col < 1 || !grid.HasRecord(row) || !IsCellVisible(grid, col, row)) {
        return;
    }
    const std::string fitted = FitToField(state, col, row, text);
    if (fitted == previous && grid.Cell(col, row) == previous) {
        return;
    }
    rewriteCell(state, col, row, fitted);
}

void CellBoxEntered(MainState& state, std::string_view text) {
    state.DataBoxText = text;
}

void CellBoxLeft(MainState& state, std::string_view text) {
    DataGrid& grid = state.Grid;
    const int col = grid.Col();
    const int row = grid.Row();
    if (col < 1 || !grid.HasRecord(row) || !IsCellVisible(grid, col, row)) {
        state.CellBoxText = state.DataBoxText;
        return;
    }
    // The box shows the cell's bytes as characters, and a code without one, or a character at
    // two codes, would not come back from them: a visit that changed nothing writes the cell's
    // own bytes.
    if (text == state.DataBoxText) {
        const std::string own(grid.Cell(col, row));
        rewriteCell(state, col, row, own);
    } else {
        rewriteCell(state, col, row, text);
    }
    state.CellBoxText = grid.Cell(col, row);
}

void ClearSelectedCells(MainState& state) {
    const GridRect rect = dataSelection(state.Grid);
    if (rect.Left > rect.Right || rect.Top > rect.Bottom) {
        return;
    }
    rewriteRectangle(state, rect, [&](int col, int row, const std::string&) {
        return FitToField(state, col, row, {});
    });
}

std::string CopySelectedCells(const MainState& state) {
    return blockText(state.Grid, dataSelection(state.Grid));
}

void CopyAllCells(MainState& state, UiHost& host) {
    if (state.DataFileName.empty() || state.AddBoxActive) {
        return;
    }
    {
        BusyGuard busy(host);
        const DataGrid& grid = state.Grid;
        host.SetClipboardText(blockText(grid, {1, 1, grid.ColCount() - 1, grid.RowCount() - 1}));
    }
    host.Beep(BeepKind::Information);
}

void PasteCells(MainState& state, std::string_view text) {
    DataGrid& grid = state.Grid;
    const GridRect selection = grid.Selection();
    // Spreadsheets end the block they copy with a line end; it starts no further line.
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    }
    const CellBlock lines = SplitCellBlock(text);
    // The visible rows and columns the lines and values go to, from the top-left cell on.
    std::vector<int> rows;
    for (int row = std::max(selection.Top, 1); row < grid.RowCount() && rows.size() < lines.size(); ++row) {
        if (grid.RowHeight(row) > 0) {
            rows.push_back(row);
        }
    }
    std::size_t widest = 0;
    for (const auto& line : lines) {
        widest = std::max(widest, line.size());
    }
    std::vector<int> cols;
    for (int col = std::max(selection.Left, 1); col < grid.ColCount() && cols.size() < widest; ++col) {
        if (grid.ColWidth(col) > 0) {
            cols.push_back(col);
        }
    }
    if (rows.empty() || cols.empty()) {
        return;
    }
    // The undo entry covers the whole rectangle, hidden cells included, so that undo puts every
    // value back into the cell it came from.
    const GridRect rect{cols.front(), rows.front(), cols.back(), rows.back()};
    rewriteRectangle(state, rect, [&](int col, int row, const std::string& old) {
        const auto line = std::find(rows.begin(), rows.end(), row);
        const auto value = std::find(cols.begin(), cols.end(), col);
        if (line == rows.end() || value == cols.end()) {
            return old;
        }
        const auto& values = lines[static_cast<std::size_t>(line - rows.begin())];
        const auto index = static_cast<std::size_t>(value - cols.begin());
        return index < values.size() ? values[index] : old;
    });
}

std::int64_t TotalOfSelection(const MainState& state) {
    const GridRect rect = dataSelection(state.Grid);
    std::int64_t total = 0;
    for (int row = rect.Top; row <= rect.Bottom; ++row) {
        for (int col = rect.Left; col <= rect.Right; ++col) {
            total += IntegerOr(state.Grid.Cell(col, row), 0);
        }
    }
    return total;
}

void ShowTotal(MainState& state, UiHost& host) {
    host.Message(std::to_string(TotalOfSelection(state)), MessageIcon::None, MessageButtons::Ok);
}

void ChangeCaseOfSelection(MainState& state, bool toUpper) {
    const GridRect rect = dataSelection(state.Grid);
    if (rect.Left > rect.Right || rect.Top > rect.Bottom) {
        return;
    }
    rewriteRectangle(state, rect, [&](int, int, const std::string& old) {
        return toUpper ? AnsiUpperCase(old) : AnsiLowerCase(old);
    });
}

} // namespace ranvo
