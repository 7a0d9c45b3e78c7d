#include "core/text/cell_list.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

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

// Single-byte separators are found a word at a time: every position in a word, and the bytes a
// careless word test takes for the separator (its neighbours, with the high bit set), must cut
// exactly where a byte-by-byte walk does.
TEST(CellList, SingleByteSeparatorsCutWhereAByteWalkDoes) {
    std::mt19937 random(20261209);
    const std::string alphabet = std::string(",\t-+\x01\xAC\x89\x82\xA0" "a") + '\0';
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& byte : text) {
            byte = alphabet[random() % alphabet.size()];
        }
        for (const char separator : {',', '\t'}) {
            std::vector<std::string> expected(1);
            for (const char byte : text) {
                if (byte == separator) {
                    expected.emplace_back();
                } else {
                    expected.back() += byte;
                }
            }
            CellList cells;
            CutFields(text, std::string(1, separator), cells);
            ASSERT_EQ(cells.size(), expected.size()) << text;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                EXPECT_EQ(cells[i], expected[i]) << text;
                EXPECT_FALSE(cells.IsCopied(i));
            }
        }
    }
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
