#include "core/app/filter_setting_editor.h"

#include "core/loading/definition_builder.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

using test::DefinitionBuilder;

constexpr std::string_view kMissingFile =
    "指定のフィルタファイルが存在しません\n\r適用を解除するか、存在するフィルタファイル名を設定して下さい";
constexpr std::string_view kComma = "初期値にカンマ(「,」)は使えません";

class FilterSettingEditorTest : public ::testing::Test {
protected:
    FilterSettingEditorTest() : state(AppHome(dir.path()), TRanvoSetting::Defaults()) {
        state.Definition = DefinitionBuilder("FL")
                               .condition("H", 1, {{"kind", 1}, {"code", 2}})
                               .condition("D", 1, {{"kind", 1}, {"status", 2}, {"name", 5}})
                               .build();
        state.Definition.DefineName = "Sales";
        std::filesystem::create_directory(dir / "filter");
        test::WriteBytes(dir / "filter" / "codes.fil", "[Filter]\r\n1=one\r\n");
    }

    const TRvFilterSetting& setting(int condition, int field) const {
        return *state.FilterMng.Setting(condition, field);
    }

    // The user ticks "apply" for the shown field and names a table and a default text.
    static void applyTable(FilterSettingEditor& editor, std::string file, std::string defaultText) {
        editor.Controls.Applied = true;
        editor.ApplyClicked();
        editor.Controls.FilterFile = std::move(file);
        editor.Controls.HasDefault = true;
        editor.DefaultClicked();
        editor.Controls.DefaultText = std::move(defaultText);
    }

    test::TempDir dir;
    MainState state;
    test::FakeUiHost host;
};

TEST_F(FilterSettingEditorTest, OpeningPreparesTheSettingsOnceAndShowsTheFirstCondition) {
    test::WriteBytes(dir / "filter" / "b.fls", "");
    test::WriteBytes(dir / "filter" / "A.fls", "");
    FilterSettingEditor editor(state, host);
    EXPECT_TRUE(state.FiltersPrepared);
    EXPECT_EQ(editor.ConditionNames(), (std::vector<std::string>{"H", "D"}));
    EXPECT_EQ(editor.Condition(), 0);
    EXPECT_EQ(editor.Field(), -1);
    EXPECT_EQ(editor.FieldNames(), (std::vector<std::string>{"kind", "code"}));
    EXPECT_EQ(editor.Controls, (FilterFieldControls{false, false, false, "", false, false, "(NoMatch)"}));
    EXPECT_EQ(editor.FilterFiles(), std::vector<std::string>{"codes.fil"});
    EXPECT_EQ(editor.SettingFiles(), (std::vector<std::string>{"A.fls", "b.fls"}));

    state.FilterMng.Setting(1, 2)->Applied = true;
    FilterSettingEditor again(state, host);
    EXPECT_TRUE(setting(1, 2).Applied) << "prepared settings are kept";
}

TEST_F(FilterSettingEditorTest, ChangingFieldOrConditionCommitsTheShownField) {
    FilterSettingEditor editor(state, host);
    ASSERT_TRUE(editor.SelectField(1));
    EXPECT_EQ(editor.Controls, (FilterFieldControls{true, false, false, "", true, false, "(NoMatch)"}));
    applyTable(editor, "codes.fil", "?");
    EXPECT_TRUE(editor.Controls.FilterEnabled && editor.Controls.DefaultEnabled);

    ASSERT_TRUE(editor.SelectField(0));
    EXPECT_EQ(setting(0, 1), (TRvFilterSetting{true, "?", "codes.fil"}));
    EXPECT_TRUE(editor.FieldApplied(1));
    EXPECT_FALSE(editor.FieldApplied(0));

    editor.Controls.Applied = true;
    editor.ApplyClicked();
    editor.Controls.FilterFile = "codes.fil";
    editor.Controls.HasDefault = false;
    editor.DefaultClicked();
    ASSERT_TRUE(editor.SelectCondition(1));
    EXPECT_EQ(setting(0, 0).DefaultText, TRvFilter::NoDefaultMarker);
    EXPECT_EQ(editor.FieldNames(), (std::vector<std::string>{"kind", "status", "name"}));

    ASSERT_TRUE(editor.SelectCondition(0));
    ASSERT_TRUE(editor.SelectField(0));
    EXPECT_EQ(editor.Controls, (FilterFieldControls{true, true, true, "codes.fil", false, false, ""}));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FilterSettingEditorTest, MissingTableOrCommaKeepsTheShownFieldUncommitted) {
    FilterSettingEditor editor(state, host);
    ASSERT_TRUE(editor.SelectField(0));
    applyTable(editor, "none.fil", "x");
    EXPECT_FALSE(editor.SelectField(1));
    EXPECT_FALSE(editor.SelectCondition(1));
    editor.Controls.FilterFile = "";
    EXPECT_FALSE(editor.SelectField(1)) << "the folder itself is no table";
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>(3, std::string(kMissingFile)));

    editor.Controls.FilterFile = "codes.fil";
    editor.Controls.DefaultText = "a,b";
    EXPECT_FALSE(editor.SelectField(1));
    EXPECT_FALSE(editor.SelectCondition(1));
    editor.Apply();
    EXPECT_EQ(host.messageTexts().back(), kComma);
    EXPECT_EQ(editor.Field(), 0);
    EXPECT_EQ(editor.Condition(), 0);
    EXPECT_FALSE(setting(0, 0).Applied);
    EXPECT_TRUE(state.FilterMng.Active) << "apply still loads the committed settings";

    editor.Controls.HasDefault = false;
    EXPECT_TRUE(editor.SelectField(1)) << "an unused default text is not checked";
}

TEST_F(FilterSettingEditorTest, ApplyLoadsTheTablesAndReleaseSwitchesThemOff) {
    FilterSettingEditor editor(state, host);
    ASSERT_TRUE(editor.SelectField(1));
    applyTable(editor, "codes.fil", "?");
    editor.Apply();
    EXPECT_TRUE(state.FilterMng.Active);
    EXPECT_EQ(state.FilterMng.Translate(0, 1, "1"), "one");
    EXPECT_EQ(state.FilterMng.Translate(0, 1, "2"), "?");

    editor.Release();
    EXPECT_FALSE(state.FilterMng.Active);
    EXPECT_TRUE(setting(0, 1).Applied);

    std::filesystem::remove(dir / "filter" / "codes.fil");
    editor.Apply();
    EXPECT_FALSE(state.FilterMng.Active);
    EXPECT_EQ(host.messages.back().text,
              "フィルタの設定に失敗しました\n\r例えば、指定のフィルタファイルが存在しない場合が考えられます");
    EXPECT_EQ(host.messages.back().icon, MessageIcon::Error);
}

TEST_F(FilterSettingEditorTest, ClosingCommitsWithoutChecksButDropsCommas) {
    FilterSettingEditor editor(state, host);
    ASSERT_TRUE(editor.SelectField(1));
    applyTable(editor, "later.fil", "a,b");
    editor.Close();
    EXPECT_EQ(setting(0, 1), (TRvFilterSetting{true, "ab", "later.fil"}));
    EXPECT_FALSE(state.FilterMng.Active) << "closing loads nothing";
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FilterSettingEditorTest, SettingsAreSavedAndOpenedAgainIncludingTheShownField) {
    FilterSettingEditor editor(state, host);
    editor.SaveSetting(" ");
    EXPECT_EQ(host.messageTexts().back(), "ファイル設定ファイル名が設定されていません");

    ASSERT_TRUE(editor.SelectField(1));
    applyTable(editor, "codes.fil", "?");
    editor.SaveSetting("mine");
    EXPECT_EQ(host.messageTexts().back(), "フィルタ設定ファイルを保存しました");
    EXPECT_EQ(test::ReadBytes(dir / "filter" / "mine.fls"),
              test::CrLfLines({"Sales", "0,-1", "(NoMatch),?", "-1,-1", ",codes.fil", "0,0,0",
                               "(NoMatch),(NoMatch),(NoMatch)", "-1,-1,-1", ",,"}));
    EXPECT_EQ(editor.SettingFiles(), std::vector<std::string>{"mine.fls"});

    editor.SaveSetting("mine.txt");
    EXPECT_EQ(host.messages.back().buttons, MessageButtons::YesNo) << "asks; the fake says No";

    editor.Controls.Applied = false;
    editor.ApplyClicked();
    editor.OpenSetting("mine.fls");
    EXPECT_EQ(host.messageTexts().back(), "フィルタ設定ファイルを開きました");
    EXPECT_TRUE(editor.Controls.Applied) << "the shown field shows what was read";
    ASSERT_TRUE(editor.SelectField(0));
    EXPECT_TRUE(setting(0, 1).Applied);

    editor.OpenSetting("mine");
    EXPECT_EQ(host.messageTexts().back(), "フィルタ設定ファイルが見つかりません");
    EXPECT_EQ(host.messages.back().icon, MessageIcon::Error);
}

} // namespace
} // namespace ranvo
