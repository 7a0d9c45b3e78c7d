#include "core/printing/grid_printer.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

// At 96 dots per inch on both sides the grid prints at its screen size; the margins of 10, 10, 5
// and 10 mm are 37, 37, 18 and 37 pixels.
constexpr int kMarginLeft = 37;
constexpr int kMarginTop = 37;

PrintDevice deviceWithRoom(int printableWidth, int printableHeight) {
    return {96, 96, 96, 96, printableWidth + 37 + 18, printableHeight + 37 + 37};
}

// A grid with a header row and a number column, every row 20 pixels high and every column 50
// wide.
DataGrid gridOf(int rows, int cols) {
    DataGrid grid;
    grid.SetDefaultRowHeight(20);
    grid.SetDefaultColWidth(50);
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    grid.SetFixedRows(1);
    grid.SetFixedCols(1);
    return grid;
}

TEST(GridPrinterTest, RowsThatFillThePageExactlyEndItsStrip) {
    const DataGrid grid = gridOf(10, 2);
    TOlenSGridPrinter printer;
    printer.CalcLayout(grid, deviceWithRoom(1000, 100), false);
    // The header takes 20 of 100 pixels: four rows fill the rest exactly, the fifth starts a page.
    EXPECT_EQ(printer.RowStrips(), 3);
    EXPECT_EQ(printer.ColStrips(), 1);
    const auto plan = printer.PlanPage(grid, {1, 1});
    EXPECT_EQ(plan.LastDrawnY, kMarginTop + 100);
    EXPECT_EQ(plan.Cells.back().Row, 4);

    DataGrid exact = gridOf(5, 2);
    printer.CalcLayout(exact, deviceWithRoom(1000, 100), false);
    EXPECT_EQ(printer.RowStrips(), 1) << "no page of headers alone after a page that ends exactly";
}

TEST(GridPrinterTest, ARowTallerThanThePageGetsAPageOfItsOwn) {
    DataGrid grid = gridOf(4, 2);
    grid.SetRowHeight(2, 500);
    grid.SetRowHeight(3, -1); // hidden: no room at all
    TOlenSGridPrinter printer;
    printer.CalcLayout(grid, deviceWithRoom(1000, 100), false);
    ASSERT_EQ(printer.RowStrips(), 2);
    const auto second = printer.PlanPage(grid, {1, 2});
    ASSERT_FALSE(second.Cells.empty());
    EXPECT_EQ(second.Cells.back().Row, 2) << "the hidden row after it is not drawn";
}

TEST(GridPrinterTest, EveryPageRepeatsTheFixedRowAndColumn) {
    const DataGrid grid = gridOf(10, 6);
    TOlenSGridPrinter printer;
    printer.CalcLayout(grid, deviceWithRoom(160, 100), false); // number column and two columns
    ASSERT_EQ(printer.ColStrips(), 3);
    const auto plan = printer.PlanPage(grid, {2, 2});
    ASSERT_FALSE(plan.Cells.empty());
    const PageCell& corner = plan.Cells.front();
    EXPECT_EQ(corner.Col, 0);
    EXPECT_EQ(corner.Row, 0);
    EXPECT_TRUE(corner.Fixed);
    EXPECT_EQ(corner.Rect, (DeviceRect{kMarginLeft, kMarginTop, kMarginLeft + 50, kMarginTop + 20}));
    EXPECT_EQ(plan.Cells[1].Col, 3) << "the strip's first column follows the number column";
    EXPECT_TRUE(plan.Cells[1].Fixed) << "the header row stays a header";
    const PageCell& firstData = plan.Cells[3];
    EXPECT_EQ(firstData.Row, 5);
    EXPECT_FALSE(plan.Cells[4].Fixed);

    printer.DrawFixedArea = false;
    printer.CalcLayout(grid, deviceWithRoom(160, 100), false);
    EXPECT_EQ(printer.PlanPage(grid, {1, 2}).Cells.front().Row, 5);
}

TEST(GridPrinterTest, PagesAreNumberedDownFirstAndPrintedInRange) {
    const DataGrid grid = gridOf(8, 4);
    TOlenSGridPrinter printer;
    printer.CalcLayout(grid, deviceWithRoom(160, 100), false);
    ASSERT_EQ(printer.ColStrips(), 2);
    ASSERT_EQ(printer.RowStrips(), 2);
    EXPECT_EQ(printer.PrintPages(2, 3), (std::vector<PagePosition>{{1, 2}, {2, 1}}));
    EXPECT_EQ(printer.PrintPages(2, 2).size(), 1U);
    EXPECT_EQ(printer.PrintPages(0, -1).size(), 4U);
    EXPECT_EQ(printer.PrintPages(9, 1), (std::vector<PagePosition>{{2, 2}}));

    EXPECT_FALSE(printer.HasPrevious());
    EXPECT_TRUE(printer.Next());
    EXPECT_TRUE(printer.Next());
    EXPECT_EQ(printer.Current(), (PagePosition{2, 1}));
    EXPECT_TRUE(printer.Next());
    EXPECT_FALSE(printer.Next());
    EXPECT_EQ(printer.PageNumber(printer.Current()), 4);
    EXPECT_TRUE(printer.Previous());
    EXPECT_EQ(printer.Current(), (PagePosition{2, 1}));
}

TEST(GridPrinterTest, ThePreviewDrawsAtTheScreensSizeAndZoom) {
    const DataGrid grid = gridOf(3, 2);
    TOlenSGridPrinter printer;
    printer.ScreenRatioX = printer.ScreenRatioY = 500;
    const PrintDevice paper{600, 600, 96, 96, 4960, 7016}; // A4 at 600 dots per inch
    printer.CalcLayout(grid, paper, true);
    EXPECT_EQ(printer.DrawnPageWidth(), 396);
    EXPECT_EQ(printer.PageCount(), 1);
    const auto plan = printer.PlanPage(grid, {1, 1});
    EXPECT_EQ(plan.Cells.front().Rect.Right - plan.Cells.front().Rect.Left, 25) << "50 pixels at half size";
    EXPECT_EQ(printer.MmToDeviceX(10), 18);
}

} // namespace
} // namespace ranvo
