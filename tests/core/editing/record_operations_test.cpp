#include "core/editing/record_operations.h"

#include "core/app/app_fixture.h"
#include "core/editing/undo.h"

namespace ranvo {
namespace {

using test::DefinitionBuilder;
using Texts = std::vector<std::string>;

class RecordOperationsTest : public test::AppFixture {
protected:
    // Six fixed-length records "A1" .. "A6" of one field.
    void loadSix() {
        load(DefinitionBuilder("FL").condition("", 1, {{"v", 2}}).build(),
             {"  0A1", "  0A2", "  0A3", "  0A4", "  0A5", "  0A6"});
        state.DataFileName = "/data/file.txt";
    }

    Texts column1() const {
        Texts texts;
        for (int row = 1; row < state.Grid.RowCount(); ++row) {
            texts.push_back(std::string(state.Grid.Cell(0, row)) + ":" + std::string(state.Grid.Cell(1, row)));
        }
        return texts;
    }

    Texts entries() const {
        Texts texts;
        for (std::size_t i = 0; i < state.Grid.Records().size(); ++i) {
            texts.emplace_back(state.Grid.Records().Entry(i));
        }
        return texts;
    }

    void select(int top, int bottom) { state.Grid.SetSelection({1, top, 1, bottom}); }
};

TEST_F(RecordOperationsTest, CopyKeepsPrefixesInTheRecordClipboardOnly) {
    loadSix();
    select(2, 4);
    CopyRecords(state, host);
    EXPECT_EQ(state.RecordClipboard, (Texts{"  0A2", "  0A3", "  0A4"}));
    EXPECT_EQ(host.clipboard, "A2\r\nA3\r\nA4\r\n");
    EXPECT_TRUE(state.RecordPasteEnabled);
    EXPECT_FALSE(state.Modified);
}

TEST_F(RecordOperationsTest, DeleteAndUndoPutRowsBackInPlace) {
    loadSix();
    select(3, 5);
    host.answers = {Answer::Yes};
    DeleteRecords(state, host);
    EXPECT_EQ(host.messages[0].text,
              "3行のレコードを削除しようとしています\r\n削除すると元に戻すことはできません\r\nよろしいですか？");
    EXPECT_EQ(column1(), (Texts{"1:A1", "2:A2", "3:A6"}));
    EXPECT_TRUE(state.Modified);
    EXPECT_TRUE(state.UndoEnabled);

    EXPECT_EQ(UndoLast(state), 0u);
    EXPECT_EQ(column1(), (Texts{"1:A1", "2:A2", "3:A3", "4:A4", "5:A5", "6:A6"}));
    EXPECT_EQ(entries()[2], "  0A3");
    EXPECT_FALSE(state.UndoEnabled);

    host.answers = {Answer::No};
    DeleteRecords(state, host);
    EXPECT_EQ(state.Grid.Records().size(), 6u);
}

TEST_F(RecordOperationsTest, DeletingEveryRecordLeavesOneCell) {
    loadSix();
    select(1, 6);
    host.answers = {Answer::Yes};
    DeleteRecords(state, host);
    EXPECT_EQ(state.Grid.RowCount(), 1);
    EXPECT_EQ(state.Grid.ColCount(), 1);
    EXPECT_EQ(state.Grid.FixedRows(), 0);
    EXPECT_EQ(state.Grid.FixedCols(), 0);
    UndoLast(state);
    EXPECT_EQ(column1().size(), 6u);
    EXPECT_EQ(state.Grid.FixedRows(), 1);
}

TEST_F(RecordOperationsTest, CutCannotBeUndoneAndLeavesARowToTypeInto) {
    loadSix();
    select(1, 1);
    host.answers = {Answer::Yes};
    DeleteRecords(state, host); // something on the undo stack
    select(1, 5);
    host.answers = {Answer::Yes};
    CutRecords(state, host);
    EXPECT_EQ(host.messages[1].text, "削除すると元に戻すことはできません\r\nよろしいですか？");
    EXPECT_EQ(state.RecordClipboard.size(), 5u);
    EXPECT_TRUE(state.Grid.Records().empty());
    EXPECT_EQ(state.Grid.RowCount(), 2);
    EXPECT_EQ(state.Grid.FixedRows(), 1);
    EXPECT_EQ(state.UndoData.Count(), 0u);
    EXPECT_FALSE(state.UndoEnabled);
}

TEST_F(RecordOperationsTest, PasteInsertsBeforeTheSelectionAndUndoRemovesIt) {
    loadSix();
    state.RecordClipboard = {"  0X1", "  0X2"};
    select(4, 4);
    PasteRecords(state);
    EXPECT_EQ(column1(), (Texts{"1:A1", "2:A2", "3:A3", "4:X1", "5:X2", "6:A4", "7:A5", "8:A6"}));
    EXPECT_EQ(entries()[3], "  0X1");
    UndoLast(state);
    EXPECT_EQ(column1(), (Texts{"1:A1", "2:A2", "3:A3", "4:A4", "5:A5", "6:A6"}));
    EXPECT_EQ(state.Grid.Records().size(), 6u);
}

TEST_F(RecordOperationsTest, TypedRecordsAreAddedOrInsertedAndEmptyOnesRemoved) {
    loadSix();
    ASSERT_TRUE(BeginNewRecord(state));
    EXPECT_EQ(state.Grid.Cell(0, 7), "ADD");
    EXPECT_FALSE(BeginInsertRecord(state)); // one entry at a time
    EndRecordEntry(state, "");
    EXPECT_EQ(state.Grid.RowCount(), 7);
    EXPECT_EQ(state.UndoData.Count(), 0u);

    state.Grid.SetCurrent(1, 2);
    ASSERT_TRUE(BeginInsertRecord(state));
    EXPECT_EQ(state.Grid.Cell(0, 2), "INC");
    EndRecordEntry(state, "B9");
    EXPECT_EQ(column1()[1], "2:B9");
    EXPECT_EQ(entries()[1], "  0B9");
    EXPECT_EQ(column1()[2], "3:A2");
    EXPECT_FALSE(state.AddBoxActive);
    UndoLast(state);
    EXPECT_EQ(column1()[1], "2:A2");
    EXPECT_EQ(state.Grid.Records().size(), 6u);
}

// The window may hear of the end of an entry twice (the key that ends it, and the focus leaving
// the box): the second time must not take out or rewrite the row that stands there by then.
TEST_F(RecordOperationsTest, AnEntryEndsOnlyOnce) {
    loadSix();
    state.Grid.SetCurrent(1, 3);
    ASSERT_TRUE(BeginInsertRecord(state));
    EndRecordEntry(state, "");
    EndRecordEntry(state, "");
    EXPECT_EQ(column1(), (Texts{"1:A1", "2:A2", "3:A3", "4:A4", "5:A5", "6:A6"}));

    ASSERT_TRUE(BeginInsertRecord(state));
    EndRecordEntry(state, "B9");
    EndRecordEntry(state, "B9");
    EXPECT_EQ(state.UndoData.Count(), 1u);
    UndoLast(state);
    EXPECT_EQ(column1(), (Texts{"1:A1", "2:A2", "3:A3", "4:A4", "5:A5", "6:A6"}));
}

TEST_F(RecordOperationsTest, FirstRecordOfAnEmptyFileGivesTheGridItsFixedRowAndColumn) {
    load(DefinitionBuilder("CT").condition("", 1, {}).build(), {});
    state.DataFileName = "/data/empty.csv";
    ASSERT_TRUE(BeginNewRecord(state));
    EndRecordEntry(state, "x,y");
    EXPECT_EQ(state.Grid.RowCount(), 2);
    EXPECT_EQ(state.Grid.ColCount(), 3);
    EXPECT_EQ(state.Grid.FixedRows(), 1);
    EXPECT_EQ(state.Grid.FixedCols(), 1);
    EXPECT_EQ(state.Grid.Cell(2, 1), "y");
}

TEST_F(RecordOperationsTest, NothingHappensWithoutAFile) {
    loadSix();
    state.DataFileName.clear();
    select(1, 2);
    CopyRecords(state, host);
    DeleteRecords(state, host);
    EXPECT_TRUE(state.RecordClipboard.empty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(BeginNewRecord(state));
}

} // namespace
} // namespace ranvo
