#include "core/app/window_updates.h"

#include "core/app/app_fixture.h"

namespace ranvo {
namespace {

using test::DefinitionBuilder;

class WindowUpdatesTest : public test::AppFixture {};

TEST_F(WindowUpdatesTest, UnsavedChangesAreSavedOrKeptOnTheUsersWord) {
    int saves = 0;
    bool saveSucceeds = true;
    const auto save = [&] {
        ++saves;
        return saveSucceeds;
    };
    EXPECT_TRUE(SettleUnsavedChanges(state, host, save));
    EXPECT_TRUE(host.messages.empty());

    state.Modified = true;
    host.answers = {Answer::No, Answer::Yes, Answer::Yes};
    EXPECT_TRUE(SettleUnsavedChanges(state, host, save)); // No: go on without saving
    EXPECT_EQ(saves, 0);
    EXPECT_TRUE(SettleUnsavedChanges(state, host, save)); // Yes and saved
    saveSucceeds = false;
    EXPECT_FALSE(SettleUnsavedChanges(state, host, save)); // Yes but the save failed: stay
    EXPECT_EQ(saves, 2);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].text, "ファイルの内容が変更されています\r\n保存しますか？");
    EXPECT_EQ(host.messages[0].buttons, MessageButtons::YesNo);
}

TEST_F(WindowUpdatesTest, OpenedFileShowsItsFirstRecord) {
    load(DefinitionBuilder("FL").condition("", 1, {{"a", 1}}).condition("H", 1, {{"kind", 1}, {"no", 2}}).build(),
         {"  1H12", "  0x"});
    state.Definition.DefineName = "Sales";
    state.PendingDefineFile = "x.def";
    ShowOpenedFile(state, host);
    EXPECT_TRUE(state.DataCommandsEnabled);
    EXPECT_TRUE(state.PendingDefineFile.empty());
    EXPECT_EQ(state.JumpListItems, (std::vector<std::string>{"kind", "no"}));
    EXPECT_EQ(state.JumpListIndex, 0);
    EXPECT_EQ(state.JumpListCondition, 1);
    EXPECT_EQ(state.StatusPanels[0], "行:1　列:1");
    EXPECT_EQ(state.StatusPanels[4], "Sales");
    EXPECT_EQ(state.CellBoxText, "H");
    // OpenAutoFit: the "no" column fits its two bytes, column 0 keeps room for "99999".
    EXPECT_EQ(state.Grid.ColWidth(2), 2 * test::FakeUiHost::kCharWidth + 5);
    EXPECT_EQ(state.Grid.ColWidth(0), 5 * test::FakeUiHost::kCharWidth + 5);

    ShowNothingLoaded(state);
    EXPECT_FALSE(state.DataCommandsEnabled);
    EXPECT_TRUE(state.DataFileName.empty());
}

} // namespace
} // namespace ranvo
