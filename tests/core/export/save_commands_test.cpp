#include "core/export/save_commands.h"

#include "core/editing/cell_editing.h"
#include "core/editing/record_operations.h"
#include "core/editing/undo.h"
#include "core/loading/data_encoding.h"
#include "core/loading/open_command.h"
#include "core/platform/code_page.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

// A fallback condition of one 4-byte field and an "H" condition of two 1- and 3-byte fields.
std::string fixedDefinition(std::string_view format, int recordLength = 0) {
    return test::CrLfLines({"rvDefine ver1.0", "define",
                            "header,Test," + std::to_string(recordLength) + "," + std::string(format) + ",,\",\",0",
                            "conditions", "head,x,,1,0,4,16777215,0,0,0,-1", "length,4", "name,all",
                            "color,0", "start,1", "head,Head,H,1,1,4,65535,0,0,0,-1", "length,1,3",
                            "name,k,v", "color,0,0", "start,1,2"});
}

class SaveTest : public ::testing::Test {
protected:
    SaveTest() : state(AppHome(), TRanvoSetting::Defaults()) {}

    void open(std::string_view data, std::string_view definition, LoadOptions options = {}) {
        test::WriteBytes(dir / "data.txt", data);
        test::WriteBytes(dir / "data.def", definition);
        OpenChoice choice;
        choice.DataPath = dir / "data.txt";
        choice.DefinitionPath = dir / "data.def";
        choice.Options = options;
        ASSERT_EQ(OpenDataFile(state, choice, host).Outcome, OpenOutcome::Opened);
    }

    std::string saved() { return test::ReadBytes(dir / "data.txt"); }

    test::TempDir dir;
    MainState state;
    test::FakeUiHost host;
};

class EveryCode : public SaveTest, public ::testing::WithParamInterface<KanjiCode> {};

TEST_P(EveryCode, AnUnchangedFileIsSavedAsTheSameBytes) {
    // Japanese text, half-width katakana (which JIS once widened, shifting every later field) and
    // a byte-order mark for UTF-8; records back to back as well as one per line.
    const CharacterMap none;
    const std::string text = "H\x88\x9F"
                             "A\r\nxy\xB1z\r\nH\xB6\xC5 \r\n";
    const std::string lines =
        EncodeDataFile(text, GetParam(), GetParam() == KanjiCode::Utf8, none).bytes;
    open(lines, fixedDefinition("FL"), {GetParam(), {}});
    ASSERT_TRUE(SaveInPlace(state, host));
    EXPECT_EQ(saved(), lines);

    const std::string blocks = EncodeDataFile("H\x88\x9F"
                                              "Axy\xB1zH\xB6\xC5 \r\n",
                                              GetParam(), false, none)
                                   .bytes;
    open(blocks, fixedDefinition("FB", 4), {GetParam(), {}});
    ASSERT_EQ(state.Grid.Records().size(), 3u);
    ASSERT_TRUE(SaveInPlace(state, host));
    EXPECT_EQ(saved(), blocks);
    EXPECT_TRUE(host.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(SaveInPlace, EveryCode,
                         ::testing::Values(KanjiCode::ShiftJis, KanjiCode::Euc, KanjiCode::Jis,
                                           KanjiCode::Unicode, KanjiCode::Utf8));

// Records of four bytes holding characters CP932 holds only through the file's map: the WAVE
// DASH and the other characters CP932 would turn into look-alikes, characters it lacks, private
// use.
const std::string kUnicodeText = "〜−\r\n‖¢\r\n£¬\r\n—¥\r\n𠮷😀\r\n\uE000\uE001\r\n";

TEST_F(SaveTest, UnicodeFilesKeepEveryCharacterAndChangeOnlyWhereEdited) {
    for (const KanjiCode code : {KanjiCode::Utf8, KanjiCode::Unicode}) {
        CharacterMap characters;
        const std::string bytes =
            EncodeDataFile(Utf8ToCp932(kUnicodeText, &characters).bytes, code, false, characters)
                .bytes;
        open(bytes, fixedDefinition("FL"), {code, {}});
        ASSERT_TRUE(SaveInPlace(state, host));
        EXPECT_TRUE(saved() == bytes);
        EXPECT_TRUE(host.messages.empty());

        // Each such character is one code of two bytes, like any full-width character.
        ASSERT_EQ(state.Grid.Cell(1, 5).size(), 4u);
        state.Grid.SetCell(1, 5, "\x82\xA0zz"); // あzz over 𠮷😀
        ASSERT_TRUE(SaveInPlace(state, host));
        CharacterMap reread;
        const DecodedText text = DecodeDataFile(saved(), code, reread);
        EXPECT_EQ(Cp932ToUtf8(text.text, &reread).bytes,
                  "〜−\r\n‖¢\r\n£¬\r\n—¥\r\nあzz\r\n\uE000\uE001\r\n");
    }
}

TEST_F(SaveTest, CharactersTheFileCodeCannotHoldAreAskedAboutBeforeWriting) {
    open("Habc\r\nwxyz\r\n", fixedDefinition("FL"));
    // 𠮷 typed into a cell of a Shift_JIS file: shown, but with no place in the file.
    const std::uint16_t code = *state.Characters.CodeFor(U'𠮷');
    state.Grid.SetCell(2, 1,
                       std::string{static_cast<char>(code >> 8), static_cast<char>(code)} + "c");
    state.Modified = true;
    const std::string question =
        "保存する文字コードで表せない文字が1文字あります。\r\n「?」に置き換えて保存しますか？";

    host.answers = {Answer::No};
    EXPECT_FALSE(SaveInPlace(state, host));
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{question});
    EXPECT_EQ(saved(), "Habc\r\nwxyz\r\n");
    EXPECT_TRUE(state.Modified);

    host.chosenPaths = {dir / "as.txt"};
    host.answers = {Answer::No};
    EXPECT_FALSE(SaveAs(state, host));
    EXPECT_FALSE(std::filesystem::exists(dir / "as.txt"));
    host.chosenPaths = {dir / "out.csv"};
    host.answers = {Answer::No};
    SaveConverted(state, host);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.csv"));
    EXPECT_EQ(host.messageTexts().size(), 3u); // three questions, no failure

    host.answers = {Answer::Yes};
    ASSERT_TRUE(SaveInPlace(state, host));
    EXPECT_EQ(saved(), "H?c\r\nwxyz\r\n");
    EXPECT_FALSE(state.Modified);
}

TEST_F(SaveTest, DamagedEucFilesStayAsTheFirstSaveLeftThem) {
    // 81 02 is no character: it is lost once (the load says so), then kept as it is.
    open("H\x81\x02"
         "a\r\n",
         fixedDefinition("FL"), {KanjiCode::Euc, {}});
    EXPECT_EQ(host.messages.size(), 1u);
    ASSERT_TRUE(SaveInPlace(state, host));
    const std::string first = saved();
    EXPECT_EQ(first, "H?\x02"
                     "a\r\n");
    open(first, fixedDefinition("FL"), {KanjiCode::Euc, {}});
    ASSERT_TRUE(SaveInPlace(state, host));
    EXPECT_EQ(saved(), first);
}

TEST_F(SaveTest, FixedBlocksAreWrittenBackToBackWithOneLineEnd) {
    open("H12xyzwH34", fixedDefinition("FB", 4));
    ASSERT_EQ(state.Grid.Records().size(), 3u);
    ASSERT_TRUE(SaveInPlace(state, host));
    EXPECT_EQ(saved(), "H12xyzwH34  \r\n"); // the short last record was padded on loading
}

TEST_F(SaveTest, ReadRangeKeepsTheRestOfTheFileAndFollowsTheRows) {
    std::string data;
    for (int line = 1; line <= 30; ++line) {
        // Lines longer than the definition: bytes no field covers must survive outside the range.
        data += "L" + std::to_string(100 + line) + "-extra\r\n";
    }
    open(data, fixedDefinition("FL"), {KanjiCode::ShiftJis, {true, 11, 20}});
    ASSERT_EQ(state.Grid.Records().size(), 10u);
    state.Grid.SetSelection({1, 1, 1, 1});
    host.answers = {Answer::Yes};
    DeleteRecords(state, host); // line 11 goes
    ASSERT_TRUE(SaveInPlace(state, host));
    std::string expected;
    for (int line = 1; line <= 30; ++line) {
        if (line == 11) {
            continue;
        }
        // Lines in the range were cut to their records' length when loaded.
        expected += line >= 12 && line <= 20 ? "L" + std::to_string(100 + line) + "\r\n"
                                             : "L" + std::to_string(100 + line) + "-extra\r\n";
    }
    EXPECT_EQ(saved(), expected);
    EXPECT_EQ(state.Loaded.Range.To, 19);
    ASSERT_TRUE(SaveInPlace(state, host)); // nothing repeated, nothing lost
    EXPECT_EQ(saved(), expected);
}

TEST_F(SaveTest, CsvRowsFollowTheQuotingRulesAndTheTitle) {
    const std::string definition = test::CrLfLines(
        {"rvDefine ver1.0", "define", "header,List,0,CT,,\",\",-1", "conditions",
         "head,x,,1,0,0,16777215,0,0,0,-1", "length", "name", "color", "start"});
    const std::string file = "No,Name,Note\r\n1,\"a,b\",\r\n2,\"say \"\"hi\"\"\",x\r\n";
    open(file, definition);
    ASSERT_TRUE(SaveInPlace(state, host));
    EXPECT_EQ(saved(), file); // unchanged, the file comes back byte for byte

    // A changed row is written by the rules: every value quoted, trailing empty ones dropped; a
    // changed title too.
    state.Grid.SetCell(2, 1, "a,c");
    state.Definition.Conditions[0].FieldName[2] = "Memo";
    ASSERT_TRUE(SaveInPlace(state, host));
    EXPECT_EQ(saved(), "\"No\",\"Name\",\"Memo\"\r\n\"1\",\"a,c\"\r\n2,\"say \"\"hi\"\"\",x\r\n");
}

TEST_F(SaveTest, SaveAsMakesTheNewFileCurrentAndAsksBeforeOverwriting) {
    open("Habc\r\n", fixedDefinition("FL"));
    test::WriteBytes(dir / "taken.txt", "old");
    host.chosenPaths = {dir / "taken.txt"};
    host.answers = {Answer::No};
    EXPECT_FALSE(SaveAs(state, host));
    EXPECT_EQ(test::ReadBytes(dir / "taken.txt"), "old");

    host.chosenPaths = {dir / "new.txt"};
    state.Modified = true;
    ASSERT_TRUE(SaveAs(state, host));
    EXPECT_EQ(test::ReadBytes(dir / "new.txt"), "Habc\r\n");
    EXPECT_EQ(state.DataFileName, dir / "new.txt");
    EXPECT_FALSE(state.Modified);
    EXPECT_EQ(host.messages.back().text, "保存しました");
}

TEST_F(SaveTest, CsvExportLeavesTheCurrentFile) {
    open("Ha,c\r\nzzzz\r\n", fixedDefinition("FL"));
    host.chosenPaths = {dir / "out.csv"};
    state.Modified = true;
    SaveConverted(state, host);
    EXPECT_EQ(test::ReadBytes(dir / "out.csv"), "H,\"a,c\"\r\nzzzz\r\n");
    EXPECT_EQ(host.fileChoices.back().initial, dir / "data.csv");
    EXPECT_EQ(state.DataFileName, dir / "data.txt");
    EXPECT_TRUE(state.Modified);
}

TEST_F(SaveTest, MissingFileIsSavedThroughTheDialogAndFailuresChangeNothing) {
    open("Habc\r\n", fixedDefinition("FL"));
    std::filesystem::remove(dir / "data.txt");
    host.chosenPaths = {dir / "again.txt"};
    ASSERT_TRUE(SaveInPlace(state, host));
    EXPECT_EQ(state.DataFileName, dir / "again.txt");

    state.Modified = true;
    host.chosenPaths = {dir / "no-such-folder" / "x.txt"};
    EXPECT_FALSE(SaveAs(state, host));
    EXPECT_EQ(host.messages.back().text, "保存に失敗しました");
    EXPECT_EQ(host.messages.back().icon, MessageIcon::Error);
    EXPECT_EQ(state.DataFileName, dir / "again.txt");
    EXPECT_TRUE(state.Modified);
}

TEST_F(SaveTest, ASmallReadRangeFileIsWrittenWithItsOtherLinesIntact) {
    // Three lines of 2 bytes: short enough that text held inside a moved string would dangle.
    const std::string definition = test::CrLfLines({"rvDefine ver1.0", "define", "header,T,0,FL,,\",\",0",
                                                    "conditions", "head,x,,1,0,2,16777215,0,0,0,-1",
                                                    "length,2", "name,v", "color,0", "start,1"});
    open("A1\r\nB2\r\nC3\r\n", definition, {KanjiCode::ShiftJis, {true, 2, 2}});
    state.Grid.SetCell(1, 1, "XY");
    ASSERT_TRUE(SaveInPlace(state, host));
    EXPECT_EQ(saved(), "A1\r\nXY\r\nC3\r\n");
}

TEST_F(SaveTest, ConvertingAnFbRangeKeepsEveryRecordAroundIt) {
    open("H001A002B,03C004D005", fixedDefinition("FB", 4), {KanjiCode::ShiftJis, {true, 3, 3}});
    host.chosenPaths = {dir / "out.csv"};
    SaveConverted(state, host);
    EXPECT_EQ(test::ReadBytes(dir / "out.csv"), "H,001\r\nA002\r\n\"B,03\"\r\nC004\r\nD005\r\n");
}

TEST_F(SaveTest, SavingAsFixedLengthIsAnExportAndTheCsvFileStaysCurrent) {
    const std::string definition = test::CrLfLines(
        {"rvDefine ver1.0", "define", "header,List,0,CT,,\",\",-1", "conditions",
         "head,x,,1,0,0,16777215,0,0,0,-1", "length", "name", "color", "start"});
    const std::string file = "t1,t2\r\na,1\r\nb,2\r\nc,3\r\nd,4\r\n";
    open(file, definition, {KanjiCode::ShiftJis, {true, 2, 3}});
    host.chosenPaths = {dir / "fixed.txt"};
    SaveConverted(state, host);
    EXPECT_EQ(test::ReadBytes(dir / "fixed.txt"), "a1\r\nb2\r\nc3\r\nd4\r\n");
    EXPECT_EQ(state.DataFileName, dir / "data.txt");
    ASSERT_TRUE(SaveInPlace(state, host));
    EXPECT_EQ(saved(), file);
}

TEST_F(SaveTest, ARangeFileChangedOrRemovedSinceItWasReadIsNotOverwritten) {
    open("L1\r\nL2\r\nL3\r\n", fixedDefinition("FL"), {KanjiCode::ShiftJis, {true, 2, 2}});
    CommitCellEdit(state, 1, 1, "NEW", "L2  ");
    test::WriteBytes(dir / "data.txt", "another program's lines\r\n");
    host.chosenPaths = {std::nullopt}; // the user cancels the save under another name
    EXPECT_FALSE(SaveInPlace(state, host));
    EXPECT_EQ(saved(), "another program's lines\r\n");
    EXPECT_EQ(host.messages.back().icon, MessageIcon::Warning);
    EXPECT_TRUE(state.Modified);

    std::filesystem::remove(dir / "data.txt");
    host.chosenPaths = {dir / "kept.txt"};
    ASSERT_TRUE(SaveInPlace(state, host)); // saved elsewhere, with the lines around the range
    EXPECT_EQ(test::ReadBytes(dir / "kept.txt"), "L1\r\nNEW \r\nL3\r\n");
    EXPECT_EQ(state.DataFileName, dir / "kept.txt");
    ASSERT_TRUE(SaveInPlace(state, host)); // the new file is the file as loaded now
    EXPECT_EQ(test::ReadBytes(dir / "kept.txt"), "L1\r\nNEW \r\nL3\r\n");
}

TEST_F(SaveTest, UndoBackToTheSavedFileClearsTheModifiedFlagAndUndoPastItSetsIt) {
    open("Habc\r\nwxyz\r\n", fixedDefinition("FL"));
    state.Grid.SetCurrent(2, 1);
    host.answers = {Answer::Yes};
    state.Grid.SetSelection({1, 2, 1, 2});
    DeleteRecords(state, host);
    ASSERT_TRUE(SaveInPlace(state, host));
    EXPECT_FALSE(state.Modified);
    UndoLast(state);
    EXPECT_TRUE(state.Modified); // the file on disk lacks the record undo brought back
}

} // namespace
} // namespace ranvo
