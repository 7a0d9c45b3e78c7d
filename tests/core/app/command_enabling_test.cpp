#include "core/app/app_fixture.h"
#include "core/app/command_enabling.h"
#include "core/app/hiding.h"
#include "core/app/window_updates.h"

namespace ranvo {
namespace {

using test::DefinitionBuilder;

class CommandEnablingTest : public test::AppFixture {
protected:
    // Enabled or not, group by group in the order of CommandGroup: Always, FileMenus,
    // FileButtons, EditViewMenus, ShowAllMenus, ShowAllButton, Undo, RecordPaste.
    std::vector<bool> enabling() const {
        std::vector<bool> states;
        for (const CommandGroup group :
             {CommandGroup::Always, CommandGroup::FileMenus, CommandGroup::FileButtons,
              CommandGroup::EditViewMenus, CommandGroup::ShowAllMenus, CommandGroup::ShowAllButton,
              CommandGroup::Undo, CommandGroup::RecordPaste}) {
            states.push_back(CommandEnabled(state, group));
        }
        return states;
    }
};

using Enabling = std::vector<bool>;

TEST_F(CommandEnablingTest, AnOpenEnablesAndAFailedOpenTakesBackOnlyTheMenus) {
    EXPECT_EQ(enabling(), (Enabling{true, false, false, true, false, false, false, false}));

    load(DefinitionBuilder("CS").condition("", 1, {}).build(), {"  0a,1", "  0b,2", "  0c,3"});
    state.DataFileName = "/data/file.csv";
    ShowOpenedFile(state, host);
    EXPECT_EQ(enabling(), (Enabling{true, true, true, true, false, false, false, false}));

    HideCols(state, 1, 1); // the menu items only
    EXPECT_EQ(enabling(), (Enabling{true, true, true, true, true, false, false, false}));
    HideRows(state, 2, 2);
    EXPECT_EQ(enabling(), (Enabling{true, true, true, true, true, true, false, false}));
    ShowAll(state); // the button stays
    EXPECT_EQ(enabling(), (Enabling{true, true, true, true, false, true, false, false}));

    HideRows(state, 2, 2);
    state.UndoEnabled = true;
    state.RecordPasteEnabled = true;
    ShowNothingLoaded(state);
    EXPECT_EQ(enabling(), (Enabling{true, false, true, false, false, true, false, true}));

    ShowOpenedFile(state, host);
    EXPECT_EQ(enabling(), (Enabling{true, true, true, true, false, true, false, true}));
}

} // namespace
} // namespace ranvo
