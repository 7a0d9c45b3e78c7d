#pragma once

// Undo: puts the grid and its records back as they were before the newest edit, and removes that
// entry. Entries are applied strictly newest first, on the grid their edit left.

#include "core/state/main_state.h"

#include <vector>

namespace ranvo {

// Records an edit: pushes its entry, enables the undo command and marks the file modified.
void PushUndo(MainState& state, UndoEntry entry);

// The records of rows `top` to `bottom` (those that have one) as they are now, for an entry to
// put back.
[[nodiscard]] std::vector<StoredRecord> RecordsOfRows(const DataGrid& grid, int top, int bottom);

// Applies the newest undo entry (nothing when there is none); answers the entries left, and
// disables the undo command when none are. The file counts as modified unless the undo went back
// to exactly what was last saved or loaded.
std::size_t UndoLast(MainState& state);

} // namespace ranvo
