#include "core/grid/data_grid.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(DataGrid, CellsOutsideTheGridAreEmptyAndIgnored) {
    DataGrid grid = gridOf(3, 2);
    grid.SetCell(3, 1, "x");
    grid.SetCell(-1, 1, "x");
    grid.SetCell(1, 2, "x");
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"", "", ""}));
}

TEST(DataGrid, SettingOneCellKeepsTheOthers) {
    DataGrid grid = gridOf(5, 2);
    const std::vector<std::string_view> values{"ab", "", "cde"};
    grid.SetRowCells(1, values);
    grid.SetCell(2, 1, "\x88\x9F");
    grid.SetCell(4, 1, "z");
    grid.SetCell(0, 1, "1");
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"1", "ab", "\x88\x9F", "cde", "z"}));
    grid.SetCell(4, 1, "");
    grid.SetCell(1, 1, std::string(grid.Cell(3, 1))); // a view of the same row
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"1", "cde", "\x88\x9F", "cde", ""}));
}

TEST(DataGrid, RowCellsEmptyTheRestOfTheRow) {
    DataGrid grid = gridOf(4, 2);
    grid.SetRowCells(1, std::vector<std::string>{"a", "b", "c"});
    grid.SetRowCells(1, std::vector<std::string>{"x"});
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"", "x", "", ""}));
}

TEST(DataGrid, LongRowsAndNulBytesSurvive) {
    DataGrid grid = gridOf(3, 2);
    const std::string longCell(70'000, 'q');
    const std::string withNul("a\0b", 3);
    grid.SetRowCells(1, std::vector<std::string>{longCell, withNul});
    EXPECT_EQ(grid.Cell(1, 1), longCell);
    EXPECT_EQ(grid.Cell(2, 1), withNul);
}

TEST(DataGrid, ShrinkingDropsCellsForGood) {
    DataGrid grid = gridOf(4, 3);
    grid.SetRowCells(1, std::vector<std::string>{"a", "b", "c"});
    grid.SetRowCells(2, std::vector<std::string>{"d"});
    grid.SetColCount(2);
    grid.SetRowCount(2);
    grid.SetColCount(4);
    grid.SetRowCount(3);
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"", "a", "", ""}));
    EXPECT_EQ(rowTexts(grid, 2), (Texts{"", "", "", ""}));
}

TEST(DataGrid, RowMovesCarryCellsNumbersAndHeights) {
    DataGrid grid = gridOf(2, 4);
    for (int row = 1; row < 4; ++row) {
        grid.SetRowNumber(row, row);
        grid.SetCell(1, row, std::string(1, static_cast<char>('a' + row - 1)));
    }
    grid.SetRowHeight(2, 0);
    grid.InsertRows(2, 2);
    ASSERT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(rowTexts(grid, 2), (Texts{"", ""}));
    EXPECT_EQ(rowTexts(grid, 4), (Texts{"2", "b"}));
    EXPECT_EQ(grid.RowHeight(4), 0);
    EXPECT_EQ(grid.RowHeight(2), grid.DefaultRowHeight());
    grid.DeleteRows(1, 3);
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"2", "b"}));
    EXPECT_EQ(rowTexts(grid, 2), (Texts{"3", "c"}));
    EXPECT_EQ(grid.RowHeight(1), 0);
    grid.PermuteRows(1, {1, 0});
    EXPECT_EQ(rowTexts(grid, 1), (Texts{"3", "c"}));
    EXPECT_EQ(grid.RowHeight(2), 0);
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
    grid.ClearRow(7);
    EXPECT_EQ(grid.Cell(0, 7), "");
}

TEST(DataGrid, RewritingCellsManyTimesKeepsEveryValue) {
    DataGrid grid = gridOf(4, 300);
    for (int round = 0; round < 30; ++round) {
        for (int row = 0; row < 300; ++row) {
            grid.SetCell(1 + row % 3, row, std::string(400, 'a') + std::to_string(row + round));
        }
    }
    for (int row = 0; row < 300; ++row) {
        ASSERT_EQ(grid.Cell(1 + row % 3, row), std::string(400, 'a') + std::to_string(row + 29));
    }
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
