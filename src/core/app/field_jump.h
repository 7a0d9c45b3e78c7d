#pragma once

// The field-jump list: the field names of the current row's condition. Picking a name moves the
// cursor to that field; arrowing through the list does not.

#include "core/state/main_state.h"

namespace ranvo {

// Fills the list with the field names of `condition` (nothing for a condition that does not
// exist).
void FillJumpList(MainState& state, int condition);

// A pick with the mouse: moves to field `index` of the current row unless the pick came from
// the keyboard (a key went down in the list since the last pick).
void JumpField(MainState& state, int index);

// Enter in the list: moves to field `index`.
void JumpListEnter(MainState& state, int index);

} // namespace ranvo
