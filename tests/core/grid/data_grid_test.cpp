#include "core/grid/data_grid.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ranvo {
namespace {

DataGrid gridOf(int cols, int rows) {
    DataGrid grid;
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    return grid;
}

std::vector<std::string> rowTexts(const DataGrid& grid, int row) {
    std::vector<std::string> texts;
    for (int col = 0; col < grid.ColCount(); ++col) {
        texts.emplace_back(grid.Cell(col, row));
    }
    return texts;
}

using Texts = std::vector<std::string>;

TEST(DataGrid, StartsAsOneEmptyCell) {
    const DataGrid grid;
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.ColCount(), 1);
    EXPECT_EQ(grid.Cell(0, 0), "");
    EXPECT_EQ(grid.Cell(5, 5), "");
    DataGrid sized;
    sized.SetColWidth(0, 40); // the one column has a width of its own
    EXPECT_EQ(sized.ColWidth(0), 40);
    sized.SetRowHeight(7, 0); // rows that do not exist take nothing
    EXPECT_EQ(sized.RowCount(), 1);
}

// A grid of fixed-length records "ab|cde" (fields of 2 and 3 bytes) and a second condition with
// one field of 1 byte.
DataGrid fixedGrid(std::initializer_list<std::pair<int, std::string_view>> records) {
    DataGrid grid;
    grid.SetLayout(RecordLayout::Fixed({{2, 3}, {1}}));
    RecordList list;
    for (const auto& [condition, text] : records) {
        list.Append(condition, text);
    }
    grid.SetRecords(std::move(list));
    grid.SetColCount(3);
    return grid;
}

TEST(DataGrid, CellsOutsideTheGridAreEmptyAndIgnored) {
    DataGrid grid = fixedGrid({{0, "abcde"}});
    grid.SetCell(3, 1, "x");
    grid.SetCell(-1, 1, "x");
    grid.SetCell(1, 2, "x");
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"", "ab", "cde"}));
    EXPECT_EQ(grid.RecordText(1), "abcde");
}

TEST(DataGrid, CellsAreReadFromTheRecordsThroughTheLayout) {
    DataGrid grid = fixedGrid({{0, "abcde"}, {1, "Z"}, {0, "ab"}});
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"", "ab", "cde"}));
    EXPECT_EQ(rowTexts(grid, 2), (Texts{"", "Z", ""}));
    EXPECT_EQ(rowTexts(grid, 3), (Texts{"", "ab", ""})); // a short record has empty slices
    EXPECT_EQ(grid.Cell(2, 1).data(), grid.RecordText(1).data() + 2); // a view, not a copy
}

TEST(DataGrid, SettingACellRewritesItsRecordAndNothingElse) {
    DataGrid grid = fixedGrid({{0, "abcde"}, {1, "Z"}});
    grid.SetCell(2, 1, "X");
    EXPECT_EQ(grid.RecordText(1), "abX  ");
    grid.SetCell(1, 1, "\x88\x9F\x88\x9F"); // two double-byte characters in two bytes: one stays
    EXPECT_EQ(grid.RecordText(1), "\x88\x9FX  ");
    grid.SetCell(2, 2, "nothing"); // beyond the condition's fields
    EXPECT_EQ(grid.RecordText(2), "Z");
    EXPECT_EQ(grid.RowCondition(2), 1);
    grid.SetCell(1, 0, "caption");
    grid.SetCell(0, 2, "ADD");
    EXPECT_EQ(grid.Cell(1, 0), "caption");
    EXPECT_EQ(grid.Cell(0, 2), "ADD");
    EXPECT_EQ(grid.RecordText(2), "Z");
}

TEST(DataGrid, QuotedCsvCellsStayValidUntilTheGridChanges) {
    DataGrid grid;
    grid.SetLayout(RecordLayout::Csv(true, ",", "\"", false));
    RecordList list;
    list.Append(0, "\"a\"\"b\",c");
    list.Append(0, "\"x\"\"y\",z");
    grid.SetRecords(std::move(list));
    grid.SetColCount(3);
    const std::string_view first = grid.Cell(1, 1);
    const std::string_view second = grid.Cell(1, 2); // cutting row 2 must not spoil row 1's value
    EXPECT_EQ(first, "a\"b");
    EXPECT_EQ(second, "x\"y");
    EXPECT_EQ(grid.Cell(1, 1), "a\"b");
    grid.SetCell(2, 1, "q,r");
    EXPECT_EQ(grid.RecordText(1), "\"a\"\"b\",\"q,r\"");
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"", "a\"b", "q,r"}));
}

// A plain CSV value that takes the separator is two values: the grid shows both, as it would show
// the record read back from the file.
TEST(DataGrid, PlainCsvCellsThatTakeASeparatorWidenTheGrid) {
    DataGrid grid;
    grid.SetLayout(RecordLayout::Csv(false, ",", "\"", false));
    RecordList list;
    list.Append(0, "a,b");
    grid.SetRecords(std::move(list));
    grid.SetColCount(3);
    EXPECT_EQ(grid.Cell(2, 1), "b");
    grid.SetCell(2, 1, "c,d");
    EXPECT_EQ(grid.RecordText(1), "a,c,d");
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"", "a", "c", "d"}));
}

TEST(DataGrid, ARestoredRecordWidensTheGridToItsCells) {
    DataGrid grid;
    grid.SetLayout(RecordLayout::Csv(true, ",", "\"", false));
    RecordList list;
    list.Append(0, "a,b,c");
    grid.SetRecords(std::move(list));
    grid.SetColCount(4);
    const StoredRecord wide = grid.Stored(1);
    grid.SetRecord(1, 0, "a");
    grid.SetColCount(2); // as after the grid was reset and its rows came back
    grid.RestoreRecord(1, wide);
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"", "a", "b", "c"}));
}

TEST(DataGrid, RowsWithoutRecordsAreEmptyAndTakeNoEdits) {
    DataGrid grid = fixedGrid({});
    grid.SetRowCount(2);
    EXPECT_FALSE(grid.HasRecord(1));
    grid.SetCell(1, 1, "x");
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"", "", ""}));
    EXPECT_TRUE(grid.Records().empty());
}

TEST(DataGrid, RowMovesCarryRecordsNumbersAndHeights) {
    DataGrid grid = fixedGrid({{0, "a"}, {0, "b"}, {0, "c"}});
    for (int row = 1; row < 4; ++row) {
        grid.SetRowNumber(row, row);
    }
    grid.SetRowHeight(2, 0);
    grid.InsertRecordRow(2, 1, "Q");
    ASSERT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(rowTexts(grid, 2), (Texts{"", "Q", ""}));
    EXPECT_EQ(rowTexts(grid, 3), (Texts{"2", "b", ""}));
    EXPECT_EQ(grid.RowHeight(3), 0);
    EXPECT_EQ(grid.RowHeight(2), grid.DefaultRowHeight());
    const std::vector<StoredRecord> taken = grid.DeleteRows(1, 2);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[1].Text(), "Q");
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"2", "b", ""}));
    EXPECT_EQ(grid.RowHeight(1), 0);
    grid.PermuteRows(std::vector<std::uint32_t>{1, 0});
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"3", "c", ""}));
    EXPECT_EQ(grid.RowHeight(2), 0);
    grid.InsertRecordRows(1, taken);
    EXPECT_EQ(grid.RecordText(2), "Q");
    EXPECT_EQ(grid.RowCount(), 5);
}

TEST(DataGrid, ColumnZeroHoldsNumbersAndTexts) {
    DataGrid grid = gridOf(2, 1'000'001);
    for (int row = 1; row < grid.RowCount(); ++row) {
        grid.SetRowNumber(row, row);
    }
    EXPECT_EQ(grid.Cell(0, 1), "1");
    EXPECT_EQ(grid.Cell(0, 1'000'000), "1000000");
    grid.SetCell(0, 5, "ADD");
    grid.SetCell(0, 6, "007");
    grid.SetCell(0, 7, "12");
    EXPECT_EQ(grid.Cell(0, 5), "ADD");
    EXPECT_EQ(grid.Cell(0, 6), "007");
    EXPECT_EQ(grid.Cell(0, 7), "12");
}

TEST(DataGrid, CaptionsOfManyColumnsAreSetInLinearTime) {
    DataGrid grid = gridOf(200'001, 1);
    for (int col = 1; col < grid.ColCount(); ++col) {
        grid.SetCell(col, 0, std::to_string(col));
    }
    EXPECT_EQ(grid.Cell(200'000, 0), "200000");
}

TEST(DataGrid, SelectionFollowsAnchorAndCurrentCell) {
    DataGrid grid = gridOf(6, 6);
    grid.SetCurrent(3, 4);
    EXPECT_EQ(grid.Selection(), (GridRect{3, 4, 3, 4}));
    grid.ExtendSelectionTo(1, 2);
    EXPECT_EQ(grid.Selection(), (GridRect{1, 2, 3, 4}));
    EXPECT_EQ(grid.Col(), 1);
    grid.SetSelection({2, 1, 4, 5});
    EXPECT_EQ(grid.Col(), 4);
    EXPECT_EQ(grid.Row(), 5);
    grid.SetRowCount(3);
    grid.SetColCount(2);
    EXPECT_EQ(grid.Selection(), (GridRect{1, 1, 1, 2}));
}

TEST(DataGrid, DefaultSizesResetEveryRowAndColumn) {
    DataGrid grid = gridOf(3, 3);
    grid.SetRowHeight(1, 0);
    grid.SetColWidth(2, -1);
    grid.SetDefaultRowHeight(17);
    grid.SetDefaultColWidth(70);
    EXPECT_EQ(grid.RowHeight(1), 17);
    EXPECT_EQ(grid.ColWidth(2), 70);
}

} // namespace
} // namespace ranvo
