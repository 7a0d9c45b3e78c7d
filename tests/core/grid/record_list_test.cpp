#include "core/grid/record_list.h"

#include <gtest/gtest.h>

#include <string>

namespace ranvo {
namespace {

TEST(ConditionPrefix, RightAlignedInThreeCharacters) {
    auto text = [](int index) {
        const auto prefix = ConditionPrefix(index);
        return std::string(prefix.begin(), prefix.end());
    };
    EXPECT_EQ(text(0), "  0");
    EXPECT_EQ(text(12), " 12");
    EXPECT_EQ(text(999), "999");
}

TEST(ConditionOfEntry, ReadsThePrefixOrZero) {
    EXPECT_EQ(ConditionOfEntry(" 12record"), 12);
    EXPECT_EQ(ConditionOfEntry("  5"), 5);
    EXPECT_EQ(ConditionOfEntry(""), 0);
    EXPECT_EQ(ConditionOfEntry("abc123"), 0);
    EXPECT_EQ(ConditionOfEntry("12 x"), 0); // a blank after digits is no number
}

TEST(RecordList, AppendRecordPadsAndCutsToTheLength) {
    RecordList list;
    list.AppendRecord(12, "abc", 5);
    list.AppendRecord(0, "abcdef", 4);
    list.AppendRecord(3, "xyz");
    EXPECT_EQ(list[0], " 12abc  ");
    EXPECT_EQ(list[1], "  0abcd");
    EXPECT_EQ(list.Text(2), "xyz");
    EXPECT_EQ(list.Condition(0), 12);
    EXPECT_EQ(list.Condition(2), 3);
}

TEST(RecordList, EditsKeepOrderAndContent) {
    RecordList list;
    for (const char* entry : {"  1a", "  2b", "  3c", "  4d"}) {
        list.Append(entry);
    }
    list.Insert(1, "");
    list.Erase(3, 1);
    list.Set(0, "  9z");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], "  9z");
    EXPECT_EQ(list[1], "");
    EXPECT_EQ(list.Text(1), "");
    EXPECT_EQ(list[2], "  2b");
    EXPECT_EQ(list[3], "  4d");
    list.Permute({3, 2, 1, 0});
    EXPECT_EQ(list.JoinedWithCrLf(), "  4d\r\n  2b\r\n\r\n  9z\r\n");
}

TEST(RecordList, ManyReplacementsKeepEveryEntryIntact) {
    // Enough rewriting to make the list compact its storage several times.
    RecordList list;
    const std::string big(5000, 'x');
    for (int i = 0; i < 200; ++i) {
        list.Append(std::to_string(i));
    }
    for (int round = 0; round < 20; ++round) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            list.Set(i, big + std::to_string(i + static_cast<std::size_t>(round)));
        }
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        ASSERT_EQ(list[i], big + std::to_string(i + 19));
    }
}

} // namespace
} // namespace ranvo
