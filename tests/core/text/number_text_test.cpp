#include "core/text/number_text.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

TEST(ToInteger, DecimalWithBlanksAndSign) {
    EXPECT_EQ(ToInteger("42"), 42);
    EXPECT_EQ(ToInteger(" \t-42"), -42);
    EXPECT_EQ(ToInteger("+0"), 0);
    EXPECT_EQ(ToInteger("-2147483633"), -2147483633);
    EXPECT_EQ(ToInteger("42 "), std::nullopt);
    EXPECT_EQ(ToInteger("4 2"), std::nullopt);
    EXPECT_EQ(ToInteger("99999999999999999999"), std::nullopt);
}

TEST(ToInteger, HexadecimalIsReadAsThirtyTwoBits) {
    EXPECT_EQ(ToInteger("$FF"), 255);
    EXPECT_EQ(ToInteger("0X10"), 16);
    EXPECT_EQ(ToInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(ToInteger("$100000000"), std::nullopt);
    EXPECT_EQ(ToInteger("$G"), std::nullopt);
}

TEST(IntegerOr, FallsBackOnlyWhenTheTextDoesNotConvert) {
    EXPECT_EQ(IntegerOr("7", 3), 7);
    EXPECT_EQ(IntegerOr("x", 3), 3);
    EXPECT_EQ(IntegerOr("", 16777215), 16777215);
}

TEST(ToBoolean, NumbersAndWordsInAnyCase) {
    EXPECT_EQ(ToBoolean("-1"), true);
    EXPECT_EQ(ToBoolean("5"), true);
    EXPECT_EQ(ToBoolean("0"), false);
    EXPECT_EQ(ToBoolean("True"), true);
    EXPECT_EQ(ToBoolean("tRUE"), true);
    EXPECT_EQ(ToBoolean("FALSE"), false);
    EXPECT_EQ(ToBoolean("yes"), std::nullopt);
    EXPECT_EQ(ToBoolean(""), std::nullopt);
}

} // namespace
} // namespace ranvo
