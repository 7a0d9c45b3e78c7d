#include "core/editing/cell_editing.h"
#include "core/editing/undo.h"
#include "core/loading/definition_builder.h"
#include "core/loading/definition_list.h"
#include "core/loading/open_command.h"
#include "core/loading/open_history.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

namespace fs = std::filesystem;
using test::DefinitionBuilder;

OpenChoice choiceOf(const fs::path& dataPath, const fs::path& definitionPath = {}) {
    OpenChoice choice;
    choice.DataPath = dataPath;
    choice.DefinitionPath = definitionPath;
    return choice;
}

OpenChoice withoutSelection(OpenChoice choice) {
    choice.DefinitionSelected = false;
    return choice;
}

class OpenCommandTest : public ::testing::Test {
protected:
    OpenCommandTest() : state(AppHome(dir / "home"), TRanvoSetting::Defaults()) {
        fs::create_directories(state.Home.DefineFolder());
        fs::create_directories(dir / "data");
        test::WriteBytes(data, "H1\r\nD2\r\n");
    }

    void writeDefinition(const fs::path& path, const std::string& word) {
        TDefineClass definition = DefinitionBuilder("FL")
                                      .condition("", 1, {{"all", 2}})
                                      .condition(word, 1, {{"kind", 1}, {"n", 1}})
                                      .build();
        ASSERT_TRUE(definition.SaveToFile(path));
    }

    OpenResult open(OpenChoice choice) {
        definitions = BuildDefinitionList(state.Home, state.Settings.DefineFolders);
        choice.Definitions = definitions;
        host.messages.clear();
        return OpenDataFile(state, choice, host);
    }

    test::TempDir dir;
    MainState state;
    test::FakeUiHost host;
    std::vector<fs::path> definitions;
    fs::path data = dir / "data/sales.txt";
};

TEST_F(OpenCommandTest, ACancelledLoadLeavesTheOpenFileItsEditsAndItsUndo) {
    writeDefinition(dir / "data/sales.def", "H");
    ASSERT_EQ(open(choiceOf(data, dir / "data/sales.def")).Outcome, OpenOutcome::Opened);
    CommitCellEdit(state, 2, 1, "9", "1");
    ASSERT_EQ(state.UndoData.Count(), 1u);
    const fs::path other = dir / "data/other.txt";
    test::WriteBytes(other, "X1\r\nX2\r\nX3\r\n");
    writeDefinition(dir / "other.def", "X");

    host.cancelWork = true;
    EXPECT_EQ(open(choiceOf(other, dir / "other.def")).Outcome, OpenOutcome::Cancelled);
    EXPECT_EQ(state.DataFileName, data);
    EXPECT_EQ(state.Definition.Conditions[1].CheckWord, "H");
    EXPECT_EQ(state.Grid.RecordText(1), "H9");
    EXPECT_EQ(state.Grid.Records().size(), 2u);
    EXPECT_EQ(state.UndoData.Count(), 1u);
    EXPECT_TRUE(state.Modified);
    EXPECT_TRUE(host.messages.empty());
    UndoLast(state);
    EXPECT_EQ(state.Grid.RecordText(1), "H1");

    host.cancelWork = false;
    ASSERT_EQ(open(choiceOf(other, dir / "other.def")).Outcome, OpenOutcome::Opened);
    EXPECT_EQ(state.Grid.Records().size(), 3u);
    EXPECT_EQ(state.UndoData.Count(), 0u);
}

TEST_F(OpenCommandTest, RefusedOpensReportInOrderAndKeepTheState) {
    state.DataFileName = "/earlier/file.txt";
    state.Loaded.Code = KanjiCode::Euc;
    state.Definition.DefineName = "earlier";
    TDefineClass::DefineLoaded = true;
    const auto refusal = [&](OpenChoice choice) {
        const OpenResult result = open(std::move(choice));
        EXPECT_EQ(result.Outcome, OpenOutcome::Refused);
        EXPECT_TRUE(result.DefinitionPath.empty());
        return host.messageTexts();
    };
    using Texts = std::vector<std::string>;

    OpenChoice badRange = withoutSelection(choiceOf(dir / "missing.txt"));
    badRange.Options.Range = {true, 0, 3};
    EXPECT_EQ(refusal(badRange), Texts{"読込範囲が不正です"});
    EXPECT_EQ(refusal(withoutSelection(choiceOf(dir / "missing.txt"))),
              Texts{"読込ファイルが存在しません"});
    EXPECT_EQ(refusal(withoutSelection(choiceOf(dir / "data"))),
              Texts{"読込ファイルが存在しません"});
    EXPECT_EQ(refusal(withoutSelection(choiceOf(data))), Texts{"定義ファイルが選択されていません"});
    // Nothing beside the data, no history, no definitions in the home: detection has nothing.
    EXPECT_EQ(refusal(choiceOf(data)), Texts{"定義ファイルの自動判別に失敗しました"});
    EXPECT_EQ(refusal(choiceOf(data, dir / "none.def")),
              Texts{"指定された定義ファイル\"" + (dir / "none.def").string() + "\"は存在しません"});
    EXPECT_EQ(refusal(choiceOf(data, dir / "data")),
              Texts{"指定された定義ファイル\"" + (dir / "data").string() + "\"は存在しません"});

    EXPECT_EQ(state.DataFileName, "/earlier/file.txt");
    EXPECT_EQ(state.Loaded.Code, KanjiCode::Euc);
    EXPECT_EQ(state.Definition.DefineName, "earlier");
    EXPECT_TRUE(TDefineClass::DefineLoaded);
    EXPECT_FALSE(fs::exists(state.Home.HistoryFile()));
}

TEST_F(OpenCommandTest, OpenedFileIsRecordedWithTheDefinitionUsed) {
    const fs::path detected = state.Home.DefineFolder() / "detected.def";
    const fs::path chosen = state.Home.DefineFolder() / "chosen.def";
    writeDefinition(detected, "D");
    writeDefinition(chosen, "X");
    const std::string dataLine = HistoryLine(data);

    OpenResult result = open(choiceOf(data));
    ASSERT_EQ(result.Outcome, OpenOutcome::Opened);
    EXPECT_EQ(result.DefinitionPath, detected);
    EXPECT_EQ(state.Definition.FilePath, detected);
    EXPECT_EQ(state.Grid.Records().size(), 2u);
    EXPECT_EQ(OpenHistory::Read(state.Home.HistoryFile()).Lines(),
              (std::vector<std::string>{dataLine, HistoryLine(detected)}));

    // A definition handed over is used as it is; the file's pair moves to the end with it.
    test::WriteBytes(
        state.Home.HistoryFile(),
        OpenHistory({dataLine, HistoryLine(detected), "/other.txt", "/other.def"}).Text());
    result = open(choiceOf(data, chosen));
    ASSERT_EQ(result.Outcome, OpenOutcome::Opened);
    EXPECT_EQ(result.DefinitionPath, chosen);
    EXPECT_EQ(
        OpenHistory::Read(state.Home.HistoryFile()).Lines(),
        (std::vector<std::string>{"/other.txt", "/other.def", dataLine, HistoryLine(chosen)}));

    const std::string before = test::ReadBytes(state.Home.HistoryFile());
    OpenChoice unrecorded = choiceOf(data);
    unrecorded.RecordHistory = false;
    ASSERT_EQ(open(unrecorded).Outcome, OpenOutcome::Opened);
    EXPECT_EQ(test::ReadBytes(state.Home.HistoryFile()), before);
}

} // namespace
} // namespace ranvo
