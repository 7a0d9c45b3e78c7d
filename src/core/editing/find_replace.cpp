#include "core/editing/find_replace.h"

#include "core/app/cell_selection.h"
#include "core/app/grid_queries.h"
#include "core/editing/undo.h"
#include "core/platform/code_page.h"
#include "core/text/sjis.h"

namespace ranvo {
namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether `key` stands at `pos` of `text` (a character boundary), character by character, so that
// a match also ends on a character's end; without the case flag the single-byte letters of both
// are compared in upper case, trail bytes never.
bool matchesAt(std::string_view text, std::size_t pos, std::string_view key, bool matchCase) {
    if (text.size() - pos < key.size()) {
        return false;
    }
    std::size_t i = 0;
    while (i < key.size()) {
        const std::size_t length = CharLength(key, i);
        const std::size_t textLength = CharLength(text, pos + i);
        if (length != textLength) {
            return false;
        }
        const bool sameLetter =
            matchCase ? key[i] == text[pos + i] : upper(key[i]) == upper(text[pos + i]);
        if (length == 1 ? !sameLetter : key.substr(i, 2) != text.substr(pos + i, 2)) {
            return false;
        }
        i += length;
    }
    return true;
}

struct Cell {
    int col = 0;
    int row = 0;
};

bool searchable(const DataGrid& grid, int col, int row) {
    return grid.ColWidth(col) > 0 && grid.RowHeight(row) > 0;
}

bool cellMatches(const DataGrid& grid, const FindOptions& options, int col, int row) {
    return searchable(grid, col, row) &&
           FindKey(grid.Cell(col, row), options.Key, options.MatchCase) != std::string_view::npos;
}

std::optional<Cell> searchCells(const MainState& state, const FindOptions& options, Cell start) {
    const DataGrid& grid = state.Grid;
    const int lastCol = grid.ColCount() - 1;
    const int lastRow = grid.RowCount() - 1;
    switch (options.Direction) {
    case FindDirection::Whole:
        for (int row = std::max(start.row, 1); row <= lastRow; ++row) {
            for (int col = row == start.row ? std::max(start.col, 1) : 1; col <= lastCol; ++col) {
                if (cellMatches(grid, options, col, row)) {
                    return Cell{col, row};
                }
            }
        }
        break;
    case FindDirection::Row:
        for (int col = std::max(start.col, 1); col <= lastCol && start.row >= 1; ++col) {
            if (cellMatches(grid, options, col, start.row)) {
                return Cell{col, start.row};
            }
        }
        break;
    case FindDirection::Column:
        for (int row = std::max(start.row, 1); row <= lastRow && start.col >= 1; ++row) {
            if (cellMatches(grid, options, start.col, row)) {
                return Cell{start.col, row};
            }
        }
        break;
    }
    return std::nullopt;
}

// The record texts, from the start column's field in the start row; a match lands on the field
// that holds its first byte, and a match in a hidden cell passes on to the next record.
std::optional<Cell> searchRecords(const MainState& state, const FindOptions& options, Cell start) {
    const DataGrid& grid = state.Grid;
    const int lastRow = std::min(grid.RowCount() - 1, static_cast<int>(grid.Records().size()));
    for (int row = std::max(start.row, 1); row <= lastRow; ++row) {
        const std::string_view text = grid.RecordText(row);
        const int condition = RowCondition(state, row);
        std::size_t from = 0;
        if (row == start.row) {
            from = static_cast<std::size_t>(
                std::max(state.Definition.GetFieldStart(condition, start.col - 1) - 1, 0));
        }
        const std::size_t found = FindKey(text, options.Key, options.MatchCase, from);
        if (found == std::string_view::npos) {
            continue;
        }
        const int col = state.Definition.FieldIndexAt(condition, static_cast<int>(found) + 1) + 1;
        if (searchable(grid, col, row)) {
            return Cell{col, row};
        }
    }
    return std::nullopt;
}

bool finish(MainState& state, const std::optional<Cell>& found) {
    if (!found) {
        state.SearchRow = 0;
        state.SearchCol = 0;
        return false;
    }
    SetCurrentCell(state, found->col, found->row);
    state.SearchRow = found->row;
    state.SearchCol = found->col;
    return true;
}

bool search(MainState& state, const FindOptions& options, Cell start) {
    if (options.Key.empty()) {
        return finish(state, std::nullopt);
    }
    return finish(state, options.IgnoreFields ? searchRecords(state, options, start)
                                              : searchCells(state, options, start));
}

std::size_t cellCount(const DataGrid& grid, int row) {
    CellList cells;
    grid.CutRow(row, cells);
    return cells.size();
}

// Replaces in the found cell. A replacement that holds the separator of a plain CSV file makes
// the value more values, one of which may hold the key again: the search goes on after all of
// them, so that every cell is replaced in once and the search ends.
void replaceAndPassItsValues(MainState& state, const FindOptions& options,
                             std::string_view replacement) {
    DataGrid& grid = state.Grid;
    const int col = state.SearchCol;
    const int row = state.SearchRow;
    const std::size_t before = cellCount(grid, row);
    ReplaceInCell(state, col, row, options, replacement);
    const std::size_t after = cellCount(grid, row);
    if (after > before && options.Direction != FindDirection::Column) {
        grid.SetCurrent(col + static_cast<int>(after - before), row);
    }
}

} // namespace

namespace {

// The next position at or after `from` holding `byte`, remembered so that each byte of the text
// is looked at once however many candidates come before a match.
class NextByte {
public:
    NextByte(std::string_view text, char byte) : m_text(text), m_byte(byte) {}

    std::size_t at(std::size_t from) {
        if (m_found == std::string_view::npos || m_found < from) {
            m_found = from < m_text.size() ? m_text.find(m_byte, from) : std::string_view::npos;
            if (m_found == std::string_view::npos) {
                m_found = m_text.size();
            }
        }
        return m_found;
    }

private:
    std::string_view m_text;
    char m_byte;
    std::size_t m_found = std::string_view::npos;
};

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

// Candidates are the places holding the key's first byte (in either case without the case flag),
// found by a fast byte search; only a candidate is checked for standing on a character boundary,
// by walking the characters up to it from the last boundary known.
std::size_t FindKey(std::string_view text, std::string_view key, bool matchCase, std::size_t from) {
    if (key.empty()) {
        return std::string_view::npos;
    }
    NextByte upperFirst(text, upper(key[0]));
    NextByte lowerFirst(text, matchCase ? upper(key[0]) : lower(key[0]));
    NextByte exactFirst(text, key[0]);
    std::size_t boundary = 0;
    for (std::size_t search = from; search < text.size();) {
        const std::size_t candidate =
            matchCase ? exactFirst.at(search) : std::min(upperFirst.at(search), lowerFirst.at(search));
        if (candidate >= text.size()) {
            break;
        }
        while (boundary < candidate) {
            boundary += CharLength(text, boundary);
        }
        if (boundary == candidate && matchesAt(text, candidate, key, matchCase)) {
            return candidate;
        }
        search = candidate + 1;
    }
    return std::string_view::npos;
}

bool FindFirst(MainState& state, const FindOptions& options) {
    const DataGrid& grid = state.Grid;
    Cell start{1, 1};
    if (options.Direction == FindDirection::Row) {
        start.row = grid.Row();
    } else if (options.Direction == FindDirection::Column) {
        start.col = grid.Col();
    }
    return search(state, options, start);
}

bool FindNext(MainState& state, const FindOptions& options) {
    const DataGrid& grid = state.Grid;
    Cell start{grid.Col() + 1, grid.Row()};
    if (options.Direction == FindDirection::Whole || options.IgnoreFields) {
        if (grid.Col() >= grid.ColCount() - 1) {
            start = {1, grid.Row() + 1};
        }
    } else if (options.Direction == FindDirection::Column) {
        start = {grid.Col(), grid.Row() + 1};
    }
    return search(state, options, start);
}

void ShowNotFound(UiHost& host, std::string_view key) {
    host.ShowInformation("「" + Cp932ToUtf8(key).bytes + "」はみつかりませんでした");
}

void ReplaceInCell(MainState& state, int col, int row, const FindOptions& options,
                   std::string_view replacement) {
    DataGrid& grid = state.Grid;
    if (!grid.HasRecord(row)) {
        return;
    }
    std::string text(grid.Cell(col, row));
    const std::size_t found = FindKey(text, options.Key, options.MatchCase);
    if (found != std::string::npos) {
        text.replace(found, options.Key.size(), replacement);
    }
    PushUndo(state, UndoEntry::CellEdit(col, row, grid.Stored(row)));
    grid.SetCell(col, row, text);
}

void ReplaceOnce(MainState& state, UiHost& host, const FindOptions& options,
                 std::string_view replacement, bool confirm) {
    FindOptions cells = options;
    cells.IgnoreFields = false;
    BusyGuard busy(host);
    if (!FindFirst(state, cells)) {
        ShowNotFound(host, options.Key);
        return;
    }
    if (!confirm || host.AskYesNo("置き換えますか？")) {
        ReplaceInCell(state, state.SearchCol, state.SearchRow, cells, replacement);
    }
}

void ReplaceAll(MainState& state, UiHost& host, const FindOptions& options,
                std::string_view replacement, bool confirm) {
    FindOptions cells = options;
    cells.IgnoreFields = false;
    BusyGuard busy(host);
    for (bool found = FindFirst(state, cells); found; found = FindNext(state, cells)) {
        Answer answer = Answer::Yes;
        if (confirm) {
            answer = host.Message("置き換えますか？", MessageIcon::Information,
                                  MessageButtons::YesNoCancel);
        }
        if (answer == Answer::Cancel) {
            return;
        }
        if (answer == Answer::Yes) {
            replaceAndPassItsValues(state, cells, replacement);
        }
    }
    ShowNotFound(host, options.Key);
}

} // namespace ranvo
