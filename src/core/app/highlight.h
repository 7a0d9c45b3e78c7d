#pragma once

// The highlight marks one field of one condition: that field is drawn in the highlight colours in
// every row of that condition, while rows of other conditions show the same column normally.

#include "core/state/main_state.h"

namespace ranvo {

// Highlights the field under the selection's top-left cell, or switches the highlight off when
// that field is the one highlighted. Nothing happens without a loaded file, while a record is
// being added, or when the cell is a fixed one.
void ToggleHighLight(MainState& state);

// Switches the highlight off (when a file is loaded).
void HighLightOff(MainState& state);

} // namespace ranvo
