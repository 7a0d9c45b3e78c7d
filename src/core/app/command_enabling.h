#pragma once

// Which commands of the main window can be given now. Every menu, menu item, toolbar button and
// context-menu item belongs to one group, and the window enables it as its group says whenever
// the state changes. Commands that stay enabled do nothing, silently, when they do not apply.

#include "core/state/main_state.h"

namespace ranvo {

enum class CommandGroup {
    Always,        // enabled from the start; the command itself decides whether it applies
    FileMenus,     // menu items that need a file: on after an open, off after a failed one
    FileButtons,   // toolbar buttons that need a file: on after an open, kept by a failed one
    EditViewMenus, // the Edit and View menus: on at the start, then as the items they hold
    ShowAllMenus,  // the show-all items of the View and context menus: on once something is hidden
    ShowAllButton, // the toolbar's show-all button: on once rows are hidden, and then kept
    Undo,          // on while there is something to undo
    RecordPaste,   // on once records were copied or cut
};

[[nodiscard]] bool CommandEnabled(const MainState& state, CommandGroup group);

} // namespace ranvo
