#include "core/definitions/definition_editor.h"
#include "example_definition.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

namespace fs = std::filesystem;

class DefinitionEditorTest : public ::testing::Test {
protected:
    DefinitionEditorTest() : editor(dir.path(), host) {}

    // A fixed-length definition of lines, named and placed in a folder that exists.
    void nameLinesDefinition() {
        editor.File.FileName = "lines";
        editor.File.Folder = dir.path().string();
        editor.ChooseFormat(true, false);
        editor.Fields.PasteCells("kind\t\t1\r\ndate\t\t8", 0, FieldSheet::NameColumn);
        host.answers.push_back(Answer::Yes); // the fallback condition takes the fields
        ASSERT_TRUE(editor.Update());
        ASSERT_FALSE(editor.ConditionChanged);
    }

    // The condition area describes records starting with `word`.
    void describeCondition(const std::string& name, const std::string& word) {
        editor.Condition.Name = name;
        editor.Condition.UseWord = true;
        editor.Condition.Start = "1";
        editor.Condition.Word = word;
    }

    test::TempDir dir;
    test::FakeUiHost host;
    DefinitionEditor editor;
};

TEST_F(DefinitionEditorTest, ANewDefinitionHasTheFallbackConditionAndNeedsARecordLength) {
    EXPECT_EQ(editor.Definition().FileFormat, "FB");
    ASSERT_EQ(editor.ConditionNames().size(), 1U);
    EXPECT_EQ(editor.Selected(), 0);
    EXPECT_EQ(editor.Fields.Fields(), (std::vector<FieldSheetRow>{
                                          {"\x96\xA2\x92\xE8\x8B\x60\x83\x74\x83\x42\x81\x5B\x83\x8B\x83\x68"
                                           "1",
                                           "1", "256", "0"}}));
    EXPECT_TRUE(editor.Condition.UseWordLocked && editor.Condition.UseWord);
    EXPECT_EQ(editor.File.Folder, (dir / "define").string());

    editor.File.DefineName = "Sales";
    editor.DefineNameLeft();
    EXPECT_EQ(editor.File.FileName, "Sales.def");
    EXPECT_FALSE(editor.Save());
    EXPECT_EQ(host.messageTexts().back(), "固定長レコード区切りを指定する場合、レコード長は必須です");
    EXPECT_FALSE(fs::exists(dir / "define"));
}

TEST_F(DefinitionEditorTest, TheScreenIsCheckedInOrderBeforeAnythingIsWritten) {
    const auto refusal = [this](const std::function<void(DefinitionFileControls&)>& change) {
        DefinitionFileControls& file = editor.File;
        file = DefinitionFileControls();
        file.FileName = "d";
        file.Folder = dir.path().string();
        file.RecordLength = "10";
        file.Separate = ",";
        change(file);
        host.messages.clear();
        EXPECT_FALSE(editor.Save());
        return host.messages.empty() ? std::string() : host.messages.back().text;
    };
    EXPECT_EQ(refusal([](auto& f) { f.FileName = "  "; }), "定義ファイル名は必須です");
    EXPECT_EQ(refusal([](auto& f) { f.DefineName = "a,b"; }), "定義名に「,」を含むことはできません");
    EXPECT_EQ(refusal([](auto& f) { f.RecordLength = "1x"; }), "レコード長は数値か、空白で指定して下さい");
    EXPECT_EQ(refusal([](auto& f) { f.Separate = ";;"; }), "セパレータは1バイト文字で指定して下さい");
    EXPECT_EQ(refusal([](auto& f) { f.Quote = "''"; }), "引用符は1バイト文字で指定して下さい");
    EXPECT_EQ(refusal([](auto& f) { f.Quote = ","; }), "引用符に「,」を指定することはできません");
    EXPECT_EQ(refusal([](auto& f) { f.Fixed = false; f.Separate = ""; }),
              "CSV形式を定義する場合、セパレータが必要です");
    EXPECT_EQ(refusal([](auto& f) { f.Fixed = false; f.UseQuote = true; }),
              "引用符を使用する場合、引用符は必須です");
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(DefinitionEditorTest, SavedDefinitionsOpenAgainWithTheirControls) {
    nameLinesDefinition();
    editor.File.DefineName = "Lines";
    editor.File.Quote = "'";
    describeCondition("Header", "H");
    editor.Fields.Clear();
    editor.Fields.PasteCells("kind\t\t1\r\ncount\t\t4\t255", 0, FieldSheet::NameColumn);
    ASSERT_TRUE(editor.Add());
    EXPECT_EQ(editor.Selected(), 1);
    ASSERT_TRUE(editor.Save());
    EXPECT_EQ(host.messageTexts().back(), "定義ファイルの保存に成功しました");
    EXPECT_FALSE(editor.DefinitionChanged);

    DefinitionEditor reopened(dir.path(), host);
    ASSERT_TRUE(reopened.Open(dir / "lines.def"));
    EXPECT_EQ(reopened.File.FileName, "lines.def");
    EXPECT_EQ(reopened.File.DefineName, "Lines");
    EXPECT_TRUE(reopened.File.Fixed);
    EXPECT_FALSE(reopened.File.ByRecordLength);
    EXPECT_EQ(reopened.File.Quote, "'");
    EXPECT_EQ(reopened.ConditionNames().size(), 2U);
    reopened.SelectCondition(1);
    EXPECT_EQ(reopened.Condition.Word, "H");
    EXPECT_EQ(reopened.Definition().Conditions[1].ConditionLength, 1);
    EXPECT_EQ(reopened.Fields.Fields(),
              (std::vector<FieldSheetRow>{{"kind", "1", "1", "0"}, {"count", "2", "4", "255"}}));

    host.answers.push_back(Answer::No);
    EXPECT_FALSE(editor.Save()) << "an existing file needs a yes";
    EXPECT_EQ(host.messageTexts().back(), "同名の定義ファイルが存在します\n\r上書きしますか？");
}

TEST_F(DefinitionEditorTest, AMissingFolderMeansTheDefaultFolderOrNothing) {
    nameLinesDefinition();
    editor.File.Folder = (dir / "none").string();
    EXPECT_FALSE(editor.Save());
    EXPECT_EQ(host.messageTexts().back(), "指定フォルダが存在しません\r\n既定のフォルダに保存しますか？");
    EXPECT_FALSE(fs::exists(dir / "define"));
    host.answers.push_back(Answer::Yes);
    EXPECT_TRUE(editor.Save());
    EXPECT_TRUE(fs::exists(dir / "define" / "lines.def"));
}

TEST_F(DefinitionEditorTest, UnreadableFilesGiveANewDefinitionAndLeaveTheLoadedFlag) {
    TDefineClass::DefineLoaded = true;
    test::WriteBytes(dir / "bad.def", "not a definition");
    editor.File.DefineName = "typed";
    EXPECT_FALSE(editor.Open(dir / "bad.def"));
    EXPECT_EQ(host.messageTexts().back(), "この定義ファイルは不正な内容を含んでいる為、読み込めません");
    EXPECT_EQ(editor.File.DefineName, "");
    EXPECT_TRUE(TDefineClass::DefineLoaded) << "the main window's definition still answers";
}

TEST_F(DefinitionEditorTest, AddChecksTheConditionAndOffersTheFallbackForAMissingPosition) {
    nameLinesDefinition();
    describeCondition("D", "D");
    editor.Condition.Start = "0";
    EXPECT_FALSE(editor.Add());
    EXPECT_EQ(host.messages.back().buttons, MessageButtons::YesNo);
    EXPECT_EQ(editor.ConditionNames().size(), 1U);

    for (const auto& [start, word, message] :
         {std::tuple{"x", "D", "チェック位置には数値のみ入力して下さい"},
          std::tuple{"-1", "D", "チェック位置には1以上の値を入力して下さい"},
          std::tuple{"2", "", "文字は必須です"}}) {
        editor.Condition.Start = start;
        editor.Condition.Word = word;
        EXPECT_FALSE(editor.Add());
        EXPECT_EQ(host.messageTexts().back(), message);
    }
    editor.Condition.Word = "D";
    editor.Condition.UseLength = true;
    editor.Condition.CheckLength = "-5";
    EXPECT_FALSE(editor.Add());
    EXPECT_EQ(host.messageTexts().back(), "レコード長の指定は1以上の値で行ってください");

    editor.Fields.Clear();
    EXPECT_FALSE(editor.Add());
    EXPECT_EQ(host.messageTexts().back(), "フィールドは最低でも一つは必要です");
}

TEST_F(DefinitionEditorTest, NineHundredNinetyNineConditionsAtMost) {
    nameLinesDefinition();
    describeCondition("C", "C");
    for (int i = 1; i < TDefineClass::MaxConditionCount; ++i) {
        ASSERT_TRUE(editor.Add()) << i;
    }
    EXPECT_EQ(editor.ConditionNames().size(), 999U);
    EXPECT_FALSE(editor.Add());
    EXPECT_EQ(host.messageTexts().back(), "指定できる条件は999個までです");
}

TEST_F(DefinitionEditorTest, TheFallbackStaysFirstAndCannotBeDeleted) {
    nameLinesDefinition();
    describeCondition("A", "A");
    ASSERT_TRUE(editor.Add());
    describeCondition("B", "B");
    ASSERT_TRUE(editor.Add());
    editor.SelectCondition(0);
    EXPECT_FALSE(editor.Delete());
    EXPECT_EQ(host.messageTexts().back(), "未定義情報を削除することはできません");
    editor.MoveDown();
    EXPECT_EQ(editor.ConditionNames()[1], "A");

    editor.SelectCondition(1);
    editor.MoveUp();
    EXPECT_EQ(editor.Selected(), 1) << "nothing moves above the fallback";
    editor.MoveDown();
    EXPECT_EQ(editor.ConditionNames()[2], "A");
    host.answers.push_back(Answer::Yes);
    EXPECT_TRUE(editor.Delete());
    EXPECT_EQ(editor.ConditionNames().size(), 2U);
    EXPECT_EQ(editor.Selected(), 1);
}

TEST_F(DefinitionEditorTest, ChangesAreOfferedForApplyingAndSaving) {
    nameLinesDefinition();
    describeCondition("A", "A");
    ASSERT_TRUE(editor.Add());
    editor.Condition.Word = "Z";
    editor.ConditionChanged = true;
    host.answers.push_back(Answer::Yes);
    editor.SelectCondition(0);
    EXPECT_EQ(editor.Definition().Conditions[1].CheckWord, "Z");

    host.messages.clear();
    editor.Close();
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"定義ファイルに更新があります\n\r保存しますか？"});
    EXPECT_FALSE(fs::exists(dir / "lines.def"));
}

TEST_F(DefinitionEditorTest, ExportProposesTheDefinitionsNameAsXml) {
    test::WriteBytes(dir / "sales.def", test::exampleDefinitionText());
    ASSERT_TRUE(editor.Open(dir / "sales.def"));
    host.chosenPaths.push_back(dir / "out.xml");
    EXPECT_TRUE(editor.ExportXml());
    EXPECT_EQ(host.fileChoices.back().initial, dir / "sales.xml");
    EXPECT_EQ(host.messageTexts().back(), "定義ファイルの保存に成功しました");
    EXPECT_NE(test::ReadBytes(dir / "out.xml").find("<DefineName>Sales</DefineName>"), std::string::npos);
}

} // namespace
} // namespace ranvo
