#pragma once

// What the main window shows around the grid after an open succeeds or fails, and the question
// asked before unsaved changes would be lost.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <functional>

namespace ranvo {

// After a successful open: data commands on, the cursor on the first field of the first record,
// fixed captions, row heights (and column widths when OpenAutoFit is on), the status bar, the
// field-jump list of the first record's condition and the cell edit box.
void ShowOpenedFile(MainState& state, UiHost& host);

// After an open that failed past its checks: nothing is loaded; the menu commands that need a
// file, the Edit and View menus, undo and show-all are off. The toolbar keeps its buttons.
void ShowNothingLoaded(MainState& state);

// Before opening another file or closing: when there are unsaved changes, asks whether to save
// them. Yes saves in place; the answer is whether to go on, which is false when that save fails
// or is cancelled, so nothing is lost without the user's word.
[[nodiscard]] bool SettleUnsavedChanges(MainState& state, UiHost& host,
                                        const std::function<bool()>& saveInPlace);

} // namespace ranvo
