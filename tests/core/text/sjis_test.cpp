#include "core/text/sjis.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

TEST(LeadBytes, RangesOfCodePage932) {
    EXPECT_FALSE(IsLeadByte('\x80'));
    EXPECT_TRUE(IsLeadByte('\x81'));
    EXPECT_TRUE(IsLeadByte('\x9F'));
    EXPECT_FALSE(IsLeadByte('\xA0'));
    EXPECT_FALSE(IsLeadByte('\xDF'));
    EXPECT_TRUE(IsLeadByte('\xE0'));
    EXPECT_TRUE(IsLeadByte('\xFC'));
    EXPECT_FALSE(IsLeadByte('\xFD'));
    EXPECT_EQ(CharLength("\x88\x9F", 0), 2u);
    EXPECT_EQ(CharLength("a\x88", 1), 1u); // a lead byte at the end stands alone
}

TEST(AnsiCase, OnlySingleByteLettersChange) {
    EXPECT_EQ(AnsiUpperCase("abc-XYZ"), "ABC-XYZ");
    EXPECT_EQ(AnsiLowerCase("ABC-xyz"), "abc-xyz");
    // ア is 83 41 and 運 is 89 5E: the trail bytes look like "A" and "^" and must stay.
    EXPECT_EQ(AnsiLowerCase("\x83\x41"), "\x83\x41");
    EXPECT_EQ(AnsiUpperCase("\x83\x61z"), "\x83\x61Z");
    // Full-width letters are left alone.
    EXPECT_EQ(AnsiUpperCase("\x82\x81"), "\x82\x81");
}

} // namespace
} // namespace ranvo
