#include "core/views/field_test.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

TEST(FieldTest, OperatorsCompareByBytes) {
    EXPECT_TRUE(FieldTestPasses("=abc", "abc"));
    EXPECT_FALSE(FieldTestPasses("=abc", "abcd"));
    EXPECT_TRUE(FieldTestPasses("=", ""));
    EXPECT_TRUE(FieldTestPasses("!x", "y"));
    EXPECT_FALSE(FieldTestPasses("!", ""));
    EXPECT_TRUE(FieldTestPasses(">10", "10")); // at least, not greater
    EXPECT_TRUE(FieldTestPasses(">10", "9"));  // byte order: "9" comes after "10"
    EXPECT_TRUE(FieldTestPasses(">", "anything"));
    EXPECT_TRUE(FieldTestPasses("<", ""));
    EXPECT_FALSE(FieldTestPasses("<", "a"));
    EXPECT_TRUE(FieldTestPasses("'=x", "a=xb"));
    EXPECT_FALSE(FieldTestPasses("'", "anything"));
}

TEST(FieldTest, RangesAndEscapes) {
    EXPECT_TRUE(FieldTestPasses("100\\|200", "150"));
    EXPECT_TRUE(FieldTestPasses("100\\|200", "1500")); // byte order again
    EXPECT_FALSE(FieldTestPasses("100\\|200", "0150"));
    EXPECT_TRUE(FieldTestPasses("100\\!200", "0150"));
    EXPECT_FALSE(FieldTestPasses("100\\!200", "150"));
    // a, two backslashes, a bar and b: a search for a, one backslash, bar, b.
    EXPECT_TRUE(FieldTestPasses("a\\\\|b", "xa\\|bx"));
    EXPECT_FALSE(FieldTestPasses("a\\\\|b", "a"));
    EXPECT_TRUE(FieldTestPasses("\\|x", "a|x")); // escaped at the very start
}

TEST(FieldTest, ContainmentRespectsDoubleByteCharacters) {
    EXPECT_TRUE(FieldTestPasses("bc", "abcd"));
    EXPECT_FALSE(FieldTestPasses("bc", ""));
    EXPECT_FALSE(FieldTestPasses("\\", "\x95\x5C")); // 表's trail byte is no backslash
    // 表 followed by a bar is no range operator.
    EXPECT_TRUE(FieldTestPasses("\x95\x5C|", "x\x95\x5C|"));
}

} // namespace
} // namespace ranvo
