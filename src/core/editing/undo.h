#pragma once

// Undo: puts the grid and the record list back as they were before the newest edit, and removes
// that entry. Entries are applied strictly newest first, on the grid their edit left.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

namespace ranvo {

// Applies the newest undo entry (nothing when there is none); answers the entries left, and
// disables the undo command when none are.
std::size_t UndoLast(MainState& state, UiHost& host);

} // namespace ranvo
