#include "core/app/command_enabling.h"

namespace ranvo {

bool CommandEnabled(const MainState& state, CommandGroup group) {
    switch (group) {
    case CommandGroup::Always:
        return true;
    case CommandGroup::FileMenus:
        return state.DataCommandsEnabled;
    case CommandGroup::FileButtons:
        return state.DataButtonsEnabled;
    case CommandGroup::EditViewMenus:
        return state.EditViewMenusEnabled;
    case CommandGroup::ShowAllMenus:
        return state.VisibleAllEnabled;
    case CommandGroup::ShowAllButton:
        return state.VisibleAllButtonEnabled;
    case CommandGroup::Undo:
        return state.UndoEnabled;
    case CommandGroup::RecordPaste:
        return state.RecordPasteEnabled;
    }
    return false;
}

} // namespace ranvo
