#pragma once

// Editing cells: committing a typed value (fitted to its field's byte length in a fixed-length
// file), the cell edit box, clearing, copying and pasting blocks of cells, the total of a
// selection and case conversion. Every change pushes what it overwrote onto the undo stack and
// marks the file modified.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ranvo {

// The value as cell (col, row) stores it: in a fixed-length file exactly the field's byte length,
// padded with blanks or cut (never in the middle of a double-byte character: a character that
// would be cut in two is left out and its room padded); in a CSV file unchanged.
[[nodiscard]] std::string FitToField(const MainState& state, int col, int row, std::string_view value);

// The in-place editor closed with `text` in cell (col, row), which held `previous` when the editor
// opened. A changed value of a visible cell is stored fitted, with an undo entry.
void CommitCellEdit(MainState& state, int col, int row, std::string_view text,
                    std::string_view previous);

// The cell edit box gets the focus: its text is kept to restore.
void CellBoxEntered(MainState& state, std::string_view text);
// The cell edit box loses the focus: its text goes into the current cell (every time; a text
// unchanged since the box was entered keeps the cell's own bytes), or, when that cell is hidden,
// the box gets its text back.
void CellBoxLeft(MainState& state, std::string_view text);

// The Delete key: every cell of the selection emptied (a fixed-length cell becomes blanks of its
// field's length).
void ClearSelectedCells(MainState& state);

// The visible cells of the selection as cell block text (for the clipboard).
[[nodiscard]] std::string CopySelectedCells(const MainState& state);
// Copies every data cell of the grid to the clipboard; nothing without a loaded file or while a
// record is being typed.
void CopyAllCells(MainState& state, UiHost& host);
// Clipboard text pasted from the selection's top-left cell into the visible cells, line by line
// and value by value; what falls beyond the grid is dropped.
void PasteCells(MainState& state, std::string_view text);

// The sum of the integer values of the selection's cells (a cell that is not an integer counts 0).
[[nodiscard]] std::int64_t TotalOfSelection(const MainState& state);
// Shows the total in a plain message box.
void ShowTotal(MainState& state, UiHost& host);

// Single-byte letters of the selection's cells to lower or upper case.
void ChangeCaseOfSelection(MainState& state, bool toUpper);

} // namespace ranvo
