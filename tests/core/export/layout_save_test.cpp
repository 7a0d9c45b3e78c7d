#include "core/export/layout_save.h"

#include "core/loading/data_encoding.h"
#include "core/loading/open_command.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

using test::CrLfLines;

// A fallback condition of one 4-byte field and an "H" condition of a 1- and a 3-byte field.
std::string fixedDefinition() {
    return CrLfLines({"rvDefine ver1.0", "define", "header,Test,0,FL,,\",\",0", "conditions",
                      "head,x,,1,0,4,16777215,0,0,0,-1", "length,4", "name,all", "color,0", "start,1",
                      "head,Head,H,1,1,4,65535,0,0,0,-1", "length,1,3", "name,k,v", "color,0,255",
                      "start,1,2"});
}

class LayoutSaveTest : public ::testing::Test {
protected:
    LayoutSaveTest() : state(AppHome(), TRanvoSetting::Defaults()) {}

    void open(std::string_view data, LoadOptions load = {}) {
        test::WriteBytes(dir / "data.txt", data);
        test::WriteBytes(dir / "data.def", fixedDefinition());
        OpenChoice choice;
        choice.DataPath = dir / "data.txt";
        choice.DefinitionPath = dir / "data.def";
        choice.Options = load;
        ASSERT_EQ(OpenDataFile(state, choice, host).Outcome, OpenOutcome::Opened);
        layout.emplace(state);
    }

    std::string csv(const CsvLayout& style = {false, ",", "\"", false, false, -1, false}) {
        return BuildLayoutCsv(state, *layout, options, style);
    }

    std::string fixed(bool newLine = true) {
        return BuildLayoutFixed(state, *layout, options, {newLine});
    }

    LayoutSlot& slot(int condition, int index) {
        return layout->Lists()[static_cast<std::size_t>(condition)].Slots[static_cast<std::size_t>(index)];
    }

    test::TempDir dir;
    MainState state;
    test::FakeUiHost host;
    std::optional<OutputLayout> layout;
    LayoutOptions options;
};

TEST_F(LayoutSaveTest, EveryConditionStartsWithItsFieldsInOrder) {
    open("HABC\r\nwxyz\r\n");
    ASSERT_EQ(layout->Lists().size(), 2U);
    const LayoutSlot& v = slot(1, 1);
    EXPECT_TRUE(v.Enabled);
    EXPECT_EQ(v.Source, 1);
    EXPECT_EQ(v.Width, 3);
    EXPECT_EQ(v.Name, "v");
    EXPECT_EQ(layout->AddDummy(1), 2);
    EXPECT_EQ(slot(1, 2).Name, "[ダミーフィールド - 1]");
    EXPECT_EQ(slot(1, 2).Source, -1);
}

TEST_F(LayoutSaveTest, CsvFollowsTheSlotOrderAndLeavesHiddenFieldsOut) {
    open("HABC\r\nwxyz\r\nH12 \r\n");
    EXPECT_EQ(layout->MoveUp(1, 1), 0);
    EXPECT_EQ(csv(), CrLfLines({"ABC,H", "wxyz", "12 ,H"}));

    options.VisibleOnly = true;
    state.Grid.SetColWidth(1, 0);
    EXPECT_EQ(csv(), CrLfLines({"ABC", "12 "})) << "the hidden field and its separator go, so does an empty line";

    options.VisibleOnly = false;
    const int dummy = layout->AddDummy(1);
    layout->MoveUp(1, dummy);
    EXPECT_EQ(csv({true, ";", "\"", true, false, -1, true}), CrLfLines({"\"ABC\"\t\"\"", "\"wxyz\"", "\"12\"\t\"\""}))
        << "a tab whatever the separator box holds; the dummy between v and k, k past the last value";
}

TEST_F(LayoutSaveTest, CsvTitleLineNamesTheChosenConditionsFields) {
    open("HABC\r\n");
    slot(1, 0).Enabled = false;
    EXPECT_EQ(csv({false, ",", "\"", false, true, 1, false}), CrLfLines({"v", "ABC"}));
}

TEST_F(LayoutSaveTest, FixedFieldsAreFilledAndCutToTheirWidths) {
    open("HABC\r\nwxyz\r\n");
    slot(0, 0).Width = 2;
    EXPECT_EQ(fixed(), CrLfLines({"HABC", "wx"}));
    slot(0, 0).FillFront = true;
    EXPECT_EQ(fixed(), CrLfLines({"HABC", "yz"}));

    const int dummy = layout->AddDummy(1);
    slot(1, dummy).Width = 3;
    slot(1, dummy).Fill = '0';
    slot(1, dummy).FillFront = true;
    layout->MoveUp(1, layout->MoveUp(1, dummy));
    slot(1, 2).Width = 5;
    EXPECT_EQ(fixed(false), "000HABC  yz\r\n") << "one line when records are not separated";

    slot(0, 0).Enabled = false;
    EXPECT_EQ(fixed(), CrLfLines({"000HABC  "})) << "a condition without enabled fields writes nothing";
}

TEST_F(LayoutSaveTest, StoredLinesAroundTheReadRangeGoThroughTheirConditionsSlots) {
    open("Hone\r\n\r\nH2xy\r\nlast\r\n", {KanjiCode::ShiftJis, {true, 3, 3}});
    ASSERT_EQ(state.Grid.Records().size(), 1U);
    slot(1, 1).Enabled = false;
    EXPECT_EQ(csv(), CrLfLines({"H", "", "H", "last"})) << "an empty stored line stays";
    options.OnlyLoaded = true;
    EXPECT_EQ(csv(), CrLfLines({"H"}));
}

TEST_F(LayoutSaveTest, HtmlTableRowsCarryColoursAndEscapedValues) {
    open("H<&>\r\n");
    options.OnlyLoaded = true;
    const std::string html =
        BuildLayoutHtml(state, *layout, options, HtmlLayout{}, dir / "out.htm");
    EXPECT_TRUE(html.starts_with("<HTML>\r\n<TITLE>\r\n\x81\x40\x81\x40")) << html;
    EXPECT_NE(html.find("<TR>\r\n\t\t<td BGCOLOR = \"#FFFF00\" ><FONT COLOR = \"#000000\" >H</td>\r\n"
                        "\t\t<td BGCOLOR = \"#FFFF00\" ><FONT COLOR = \"#FF0000\" >&lt;&amp;&gt;</td>\r\n\r\n\t</tr>"),
              std::string::npos)
        << html;
    EXPECT_TRUE(html.ends_with("</TABLE>\r\n</BODY>\r\n</HTML>\r\n"));
}

TEST_F(LayoutSaveTest, SavingChecksTheOptionsAsksBeforeReplacingAndWritesTheChosenCode) {
    open("H\x88\x9F" "a\r\n");
    const CsvLayout noSeparator{false, "", "\"", false, false, -1, false};
    const HtmlLayout html;
    EXPECT_FALSE(SaveLayout(state, host, *layout, LayoutForm::Csv, options, noSeparator, html, {}));
    EXPECT_EQ(host.messageTexts().back(), "セパレータの指定は必須です");
    const CsvLayout noTitle{false, ",", "\"", false, true, -1, false};
    EXPECT_FALSE(SaveLayout(state, host, *layout, LayoutForm::Csv, options, noTitle, html, {}));
    EXPECT_EQ(host.messageTexts().back(), "タイトル行として出力する定義が選択されていません");

    options.Code = KanjiCode::Euc;
    host.chosenPaths.push_back(dir / "out.txt");
    const CsvLayout style{false, ",", "\"", false, false, -1, false};
    ASSERT_TRUE(SaveLayout(state, host, *layout, LayoutForm::Fixed, options, style, html, {}));
    EXPECT_EQ(host.fileChoices.back().initial, dir / "data.txt");
    EXPECT_EQ(host.messageTexts().back(), "保存しました");
    EXPECT_EQ(test::ReadBytes(dir / "out.txt"), "H\xB0\xA1"
                                                "a\r\n");
    EXPECT_FALSE(state.Modified);

    host.chosenPaths.push_back(dir / "out.txt");
    EXPECT_FALSE(SaveLayout(state, host, *layout, LayoutForm::Csv, options, style, html, {}));
    EXPECT_EQ(host.messageTexts().back(), "同名のファイルが既に存在します\r\n上書きしますか？");
}

TEST_F(LayoutSaveTest, CharactersTheChosenCodeCannotHoldAreAskedAbout) {
    // A UTF-8 file with 𠮷, saved as Shift_JIS: the question, then nothing or "?".
    open("H\xF0\xA0\xAE\xB7"
         "a\r\n",
         {KanjiCode::Utf8, {}});
    options.Code = KanjiCode::ShiftJis;
    const CsvLayout style{false, ",", "\"", false, false, -1, false};
    host.chosenPaths = {dir / "out.txt", dir / "out.txt"};
    host.answers = {Answer::No};
    EXPECT_FALSE(SaveLayout(state, host, *layout, LayoutForm::Fixed, options, style, {}, {}));
    EXPECT_EQ(
        host.messageTexts().back(),
        "保存する文字コードで表せない文字が1文字あります。\r\n「?」に置き換えて保存しますか？");
    EXPECT_FALSE(std::filesystem::exists(dir / "out.txt"));

    host.answers = {Answer::Yes};
    ASSERT_TRUE(SaveLayout(state, host, *layout, LayoutForm::Fixed, options, style, {}, {}));
    EXPECT_EQ(test::ReadBytes(dir / "out.txt"), "H?a\r\n");
}

TEST_F(LayoutSaveTest, SlotSettingsAreStoredOnlyWhenFit) {
    LayoutSlot slot;
    EXPECT_FALSE(CommitSlotSettings(slot, "0", "x", true, true, host));
    EXPECT_EQ(host.messageTexts().back(), "レコード長が不正です");
    EXPECT_FALSE(CommitSlotSettings(slot, "4", "xy", true, true, host));
    EXPECT_EQ(host.messageTexts().back(), "埋める文字は、１バイトで指定して下さい");
    EXPECT_EQ(slot.Width, 1);
    EXPECT_TRUE(CommitSlotSettings(slot, "4", "*", true, true, host));
    EXPECT_EQ(slot.Width, 4);
    EXPECT_EQ(slot.Fill, '*');
    EXPECT_TRUE(slot.FillFront && slot.Trim);
}

} // namespace
} // namespace ranvo
