#include "core/text/text_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace ranvo {
namespace {

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> result{"stale"};
    SplitLines(text, result);
    return result;
}

using Lines = std::vector<std::string_view>;

TEST(SplitLines, EveryLineEndKind) {
    EXPECT_EQ(lines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(lines("a\n\rb"), (Lines{"a", "", "b"})); // LF CR is two line ends
    EXPECT_EQ(lines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
}

TEST(SplitLines, FinalLineEndStartsNoLine) {
    EXPECT_EQ(lines(""), Lines{});
    EXPECT_EQ(lines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(lines("\r\n"), (Lines{""}));
    EXPECT_EQ(lines("a\r"), (Lines{"a"}));
    EXPECT_EQ(lines("a\r\n\n"), (Lines{"a", ""}));
}

TEST(SplitLines, NulIsAnOrdinaryByte) {
    const std::string text("a\0b\nc", 5);
    EXPECT_EQ(lines(text), (Lines{std::string_view("a\0b", 3), "c"}));
    EXPECT_EQ(TextBeforeNul(text), "a");
    EXPECT_EQ(TextBeforeNul("abc"), "abc");
}

} // namespace
} // namespace ranvo
