#pragma once

// Moving the grid's cursor. Every move goes through SelectCell, as a string grid asks its owner
// before the current cell changes: hidden cells are refused (the cursor moves to the nearest
// visible one instead), and the status bar, the cell edit box, the field-jump list and the fixed
// captions follow the cursor.

#include "core/state/main_state.h"

namespace ranvo {

// Whether cell (col, row) may become current; brings it into view and updates what follows the
// cursor. A refused hidden cell moves the cursor towards it, to the nearest visible cell.
bool SelectCell(MainState& state, int col, int row);

// Makes (col, row) current when SelectCell allows it; answers whether it did.
bool SetCurrentCell(MainState& state, int col, int row);

// The status bar, the field-jump list and the cell edit box show the current cell as it is now,
// after a command changed what it holds (an edit, a sort, a paste, an undo).
void ShowCurrentCell(MainState& state);

// Directions of the visible-cell searches: towards index 1, towards the last index, and both
// orders of trying one after the other.
enum class SearchDirection { Backward = 1, Forward = 2, BackwardThenForward = 4, ForwardThenBackward = 8 };

// Moves to the first visible column from `start` in `direction`, in the selection's top row
// (which becomes the current row first); answers whether one was found. Hidden-cell refusal is
// off meanwhile, so the move itself is never refused.
bool MoveToVisibleCol(MainState& state, int start, SearchDirection direction);
// The same for rows, in the selection's left column.
bool MoveToVisibleRow(MainState& state, int start, SearchDirection direction);
// Moves to the first visible column from `startCol` in the first visible row from `startRow`,
// both searched in `direction`, for when the cursor's row and column may both be hidden; the
// cursor stays when either search finds nothing.
bool MoveToVisibleCell(MainState& state, int startCol, int startRow, SearchDirection direction);

} // namespace ranvo
