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
    EXPECT_TRUE(editor.Close()) << "the fake answers No: close without saving";
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"定義ファイルに更新があります\n\r保存しますか？"});
    EXPECT_EQ(host.messages.back().buttons, MessageButtons::YesNoCancel);
    EXPECT_FALSE(fs::exists(dir / "lines.def"));
}

TEST_F(DefinitionEditorTest, ASaveOrCloseThatCannotCompleteKeepsEverything) {
    nameLinesDefinition();
    ASSERT_TRUE(editor.Save());
    const std::string saved = test::ReadBytes(dir / "lines.def");
    describeCondition("Head", "H");
    ASSERT_TRUE(editor.Add());
    editor.Reset();

    // Save, apply the area: the empty field sheet is refused.
    host.messages.clear();
    host.answers = {Answer::Yes, Answer::Yes};
    EXPECT_FALSE(editor.Close());
    EXPECT_EQ(host.messageTexts().back(), "フィールドは最低でも一つは必要です");

    // A missing check position offers the fallback; declining it stops the save too.
    editor.Fields.PasteCells("kind\t\t1", 0, FieldSheet::NameColumn);
    editor.Condition.Start = "";
    host.answers = {Answer::Yes, Answer::Yes, Answer::No};
    EXPECT_FALSE(editor.Close());
    // A folder that vanished, and No to the default one.
    editor.Condition.Start = "1";
    editor.File.Folder = (dir / "gone").string();
    host.answers = {Answer::Yes, Answer::Yes, Answer::No};
    EXPECT_FALSE(editor.Close());
    EXPECT_EQ(host.messageTexts().back(),
              "指定フォルダが存在しません\r\n既定のフォルダに保存しますか？");
    // Cancel goes back without a word more.
    host.messages.clear();
    host.answers = {Answer::Cancel};
    EXPECT_FALSE(editor.Close());
    EXPECT_EQ(host.messages.size(), 1U);

    EXPECT_EQ(editor.ConditionNames(),
              (std::vector<std::string>{std::string(test::fallbackName), "Head"}));
    EXPECT_EQ(editor.Condition.Name, "Head");
    EXPECT_EQ(editor.Fields.Fields().size(), 1U);
    EXPECT_TRUE(editor.DefinitionChanged) << "the area was applied, the definition not saved";
    EXPECT_EQ(test::ReadBytes(dir / "lines.def"), saved);

    editor.File.Folder = dir.path().string();
    host.answers = {Answer::Yes, Answer::Yes, Answer::Yes}; // save, apply, overwrite
    EXPECT_TRUE(editor.Close());
    EXPECT_NE(test::ReadBytes(dir / "lines.def").find("head,Head,H,1"), std::string::npos);
}

TEST_F(DefinitionEditorTest, OpeningAnotherDefinitionOffersToSaveTheChangedOneFirst) {
    nameLinesDefinition();
    ASSERT_TRUE(editor.Save());
    test::WriteBytes(dir / "other.def", test::ReadBytes(dir / "lines.def"));
    describeCondition("Head", "H");
    ASSERT_TRUE(editor.Add());

    // Cancel: no chooser, nothing lost.
    host.answers = {Answer::Cancel};
    host.chosenPaths = {dir / "other.def"};
    EXPECT_FALSE(editor.ChooseAndOpen());
    EXPECT_TRUE(host.fileChoices.empty());
    EXPECT_EQ(editor.ConditionNames().back(), "Head");

    // Yes saves, then the chosen file opens.
    host.answers = {Answer::Yes, Answer::Yes}; // save, overwrite
    EXPECT_TRUE(editor.ChooseAndOpen());
    EXPECT_NE(test::ReadBytes(dir / "lines.def").find("Head"), std::string::npos);
    EXPECT_EQ(editor.File.FileName, "other.def");
    EXPECT_FALSE(editor.DefinitionChanged);

    // Unchanged: the chooser comes without a question.
    host.messages.clear();
    host.chosenPaths = {dir / "lines.def"};
    EXPECT_TRUE(editor.ChooseAndOpen());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DefinitionEditorTest, AClickOnAnotherConditionKeepsAnAreaWhoseUpdateIsRefused) {
    nameLinesDefinition();
    describeCondition("A", "A");
    ASSERT_TRUE(editor.Add());
    editor.Condition.Word = "A,B";
    editor.ConditionChanged = true;
    host.answers.push_back(Answer::Yes);
    EXPECT_FALSE(editor.SelectCondition(0));
    EXPECT_EQ(host.messageTexts().back(), "チェック文字に「,」を含むことはできません");
    EXPECT_EQ(editor.Selected(), 1);
    EXPECT_EQ(editor.Condition.Word, "A,B");
    EXPECT_TRUE(editor.SelectCondition(0)) << "No applies nothing and moves on";
    EXPECT_EQ(editor.Definition().Conditions[1].CheckWord, "A");
}

// Every command first takes the cell still being edited; a refused edit stops the command before
// it changes, asks or writes anything.
TEST_F(DefinitionEditorTest, ACellStillBeingEditedIsTakenByEveryCommandOrStopsIt) {
    nameLinesDefinition();
    describeCondition("A", "A");
    ASSERT_TRUE(editor.Add());
    editor.Condition.Word = "B";
    const std::vector<std::pair<std::string, std::function<void()>>> commands{
        {"add", [this] { (void)editor.Add(); }},
        {"update", [this] { (void)editor.Update(); }},
        {"delete", [this] { (void)editor.Delete(); }},
        {"up", [this] { editor.MoveUp(); }},
        {"down", [this] { editor.MoveDown(); }},
        {"select", [this] { (void)editor.SelectCondition(0); }},
        {"save", [this] { (void)editor.Save(); }},
        {"export", [this] { (void)editor.ExportXml(); }},
        {"open", [this] { (void)editor.ChooseAndOpen(); }},
        {"close", [this] { EXPECT_FALSE(editor.Close()); }},
        {"reset", [this] { editor.Reset(); }},
        {"csv", [this] { (void)editor.ReadCsv(); }},
        {"format", [this] { editor.ChooseFormat(false, false); }},
    };
    const std::vector<FieldSheetRow> fields = editor.Fields.Rows();
    for (const auto& [name, command] : commands) {
        host.messages.clear();
        host.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
        editor.PendingCell = PendingCellEdit{0, FieldSheet::LengthColumn, "abc"};
        command();
        EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"不正なデータが入力されました"})
            << name;
        EXPECT_FALSE(editor.PendingCell) << name;
        EXPECT_EQ(editor.Fields.Rows(), fields) << name;
        EXPECT_EQ(editor.ConditionNames().size(), 2U) << name;
        EXPECT_EQ(editor.Selected(), 1) << name;
        EXPECT_EQ(editor.Definition().Conditions[1].CheckWord, "A") << name;
        EXPECT_TRUE(editor.File.Fixed) << name;
    }
    EXPECT_TRUE(host.fileChoices.empty());
    EXPECT_FALSE(fs::exists(dir / "lines.def"));

    editor.PendingCell = PendingCellEdit{2, FieldSheet::NameColumn, "late"};
    editor.ConditionChanged = false;
    host.messages.clear();
    host.answers = {Answer::Yes}; // apply the area
    ASSERT_TRUE(editor.Save());
    EXPECT_EQ(host.messageTexts().front(), "条件が更新されています。更新を適用しますか？");
    EXPECT_EQ(editor.Definition().Conditions[1].FieldName.back(), "late");
    EXPECT_EQ(editor.Definition().Conditions[1].CheckWord, "B");
}

TEST_F(DefinitionEditorTest, NamesAndWordsTheFileCannotHoldAreRefusedBeforeAnythingIsWritten) {
    nameLinesDefinition();
    ASSERT_TRUE(editor.Save());
    const std::string saved = test::ReadBytes(dir / "lines.def");
    const TCondition fallback = editor.Definition().Conditions[0];
    const auto refusal = [this](const std::function<void()>& change) {
        describeCondition("Head", "H");
        editor.Fields.Fill({{"kind", "1", "1", "0"}, {"date", "2", "8", "0"}});
        change();
        host.messages.clear();
        EXPECT_FALSE(editor.Add());
        EXPECT_FALSE(editor.Update());
        return host.messages.empty() ? std::string() : host.messages.front().text;
    };
    EXPECT_EQ(refusal([this] { editor.Condition.Name = "Head,A"; }),
              "条件名に「,」を含むことはできません");
    EXPECT_EQ(refusal([this] { editor.Condition.Name = "Head\r\n"; }),
              "条件名に改行などの制御文字を含むことはできません");
    EXPECT_EQ(refusal([this] { editor.Condition.Word = "H,1"; }),
              "チェック文字に「,」を含むことはできません");
    EXPECT_EQ(refusal([this] {
                  editor.Condition.UseWord = false; // a word kept though unused is still written
                  editor.Condition.Word = "H\n";
              }),
              "チェック文字に改行などの制御文字を含むことはできません");
    EXPECT_EQ(refusal([this] { editor.Fields.PasteCells("a,b", 1, FieldSheet::NameColumn); }),
              "2行目のフィールド名に「,」を含むことはできません");
    EXPECT_EQ(refusal([this] {
                  editor.Fields.ReadCsv("kind,,1\r\n\"a,b\",,2\r\n");
                  editor.Condition.Start = "0"; // the area describes the fallback
              }),
              "2行目のフィールド名に「,」を含むことはできません")
        << "refused before the fallback is offered";
    EXPECT_EQ(editor.ConditionNames().size(), 1U);
    EXPECT_EQ(editor.Definition().Conditions[0].FieldName, fallback.FieldName);

    editor.File.DefineName = "Lines\r\n";
    EXPECT_FALSE(editor.Save());
    EXPECT_EQ(host.messageTexts().back(), "定義名に改行などの制御文字を含むことはできません");
    editor.File.DefineName = "Lines";
    editor.Condition.Name = "Head,A";
    editor.ConditionChanged = true;
    host.answers = {Answer::Yes};
    EXPECT_FALSE(editor.Save()) << "the area applied first is refused";
    EXPECT_EQ(test::ReadBytes(dir / "lines.def"), saved);
}

TEST_F(DefinitionEditorTest, ARecordLengthMustFitInThirtyTwoBits) {
    nameLinesDefinition();
    editor.File.RecordLength = "99999999999";
    EXPECT_FALSE(editor.Save());
    EXPECT_EQ(host.messageTexts().back(), "レコード長は数値か、空白で指定して下さい");
    editor.File.RecordLength = "2147483647";
    EXPECT_TRUE(editor.Save());
    EXPECT_EQ(editor.Definition().RecordLength, 2147483647);
}

TEST_F(DefinitionEditorTest, TheOpenChooserProposesTheLastDefinitionRead) {
    ASSERT_FALSE(editor.ChooseAndOpen());
    EXPECT_EQ(host.fileChoices.back().initial, dir.path()) << "no define/ folder: the program's";
    test::WriteBytes(dir / "sales.def", test::exampleDefinitionText());
    ASSERT_TRUE(editor.Open(dir / "sales.def"));
    ASSERT_FALSE(editor.ChooseAndOpen());
    EXPECT_EQ(host.fileChoices.back().initial, dir / "sales.def");

    test::WriteBytes(dir / "bad.def", "not a definition");
    EXPECT_FALSE(editor.Open(dir / "bad.def"));
    ASSERT_FALSE(editor.ChooseAndOpen());
    EXPECT_EQ(host.fileChoices.back().initial, dir / "bad.def") << "read, though refused";
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
