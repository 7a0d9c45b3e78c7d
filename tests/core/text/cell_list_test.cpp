#include "core/text/cell_list.h"

#include <gtest/gtest.h>

#include <string>

namespace ranvo {
namespace {

TEST(CellList, ValuesAreViewsIntoTheTextUnlessQuotesWereUndone) {
    const std::string text = "ab,\"c,d\",\"e\"\"f\",g";
    CellList cells;
    CutQuoted(text, ',', '"', cells);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[0].data(), text.data());
    EXPECT_EQ(cells[1], "c,d");
    EXPECT_EQ(cells[1].data(), text.data() + 4);
    EXPECT_FALSE(cells.IsCopied(1));
    EXPECT_EQ(cells[2], "e\"f");
    EXPECT_TRUE(cells.IsCopied(2));
    EXPECT_EQ(cells[3], "g");
    EXPECT_EQ(cells.ValueOr(9), "");
}

TEST(CellList, CuttingAgainLeavesNothingOfTheLastCut) {
    CellList cells;
    CutFields("a\tb\tc", "\t", cells);
    EXPECT_EQ(cells.size(), 3u);
    CutQuoted("\"x\"\"\",\"y\"\"\"", ',', '"', cells);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0], "x\"");
    EXPECT_EQ(cells[1], "y\""); // copied values of one cut do not run into each other
    CutFields("", ",", cells);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0], "");
}

TEST(CellList, ATrailByteIsNeverAQuote) {
    // ポ is 83 7C: with "|" as the quote its trail byte neither closes nor doubles anything.
    CellList cells;
    CutQuoted("|\x83\x7C||,x|,\x83\x7C", ',', '|', cells);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0], "\x83\x7C|,x");
    EXPECT_EQ(cells[1], "\x83\x7C");
}

} // namespace
} // namespace ranvo
