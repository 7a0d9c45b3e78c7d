#pragma once

// Definition re-apply: the definition file read again, every record rebuilt from its grid row and
// cut into fields anew. Edited cells thereby become the records, and a changed definition takes
// effect without opening the file again.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

namespace ranvo {

// Asks first; nothing without a loaded file or while a record is being added. A definition file
// that cannot be read any more is reported and changes nothing.
void ReapplyDefinition(MainState& state, UiHost& host);

} // namespace ranvo
