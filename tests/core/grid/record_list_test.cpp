#include "core/grid/record_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

TEST(RecordList, RecordsKeepTextAndConditionThroughEdits) {
    RecordList list;
    for (const char* text : {"a", "b", "c", "d"}) {
        list.Append(1, text);
    }
    list.Insert(1, 7, "");
    EXPECT_EQ(list.Erase(3, 1).front().Text(), "c");
    list.Set(0, 9, "z");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list.Entry(0), "  9z");
    EXPECT_EQ(list.Entry(1), "  7");
    EXPECT_EQ(list.Text(2), "b");
    EXPECT_EQ(list.Condition(3), 1);
    const std::vector<std::uint32_t> order{3, 2, 1, 0};
    list.Permute(order);
    EXPECT_EQ(list.Entry(0), "  1d");
    EXPECT_EQ(list.Entry(3), "  9z");
}

TEST(RecordList, ReplacedAndErasedRecordsStayReadableUntilCleared) {
    // Undo holds the records it puts back; their bytes must outlive every later edit.
    RecordList list;
    const std::string big(5000, 'x');
    std::vector<StoredRecord> history;
    for (int i = 0; i < 200; ++i) {
        list.Append(0, std::to_string(i));
    }
    for (int round = 0; round < 20; ++round) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            history.push_back(list.Stored(i));
            list.Set(i, 0, big + std::to_string(i + static_cast<std::size_t>(round)));
        }
    }
    const std::vector<StoredRecord> erased = list.Erase(0, 100);
    for (std::size_t i = 0; i < 100; ++i) {
        ASSERT_EQ(erased[i].Text(), big + std::to_string(i + 19));
        ASSERT_EQ(list.Text(i), big + std::to_string(i + 100 + 19));
    }
    EXPECT_EQ(history.front().Text(), "0");
    EXPECT_EQ(history.back().Text(), big + std::to_string(199 + 18));
    list.Insert(0, erased);
    EXPECT_EQ(list.Text(5), big + std::to_string(5 + 19));
}

TEST(RecordList, ViewsIntoKeptMemoryAreNotCopied) {
    auto text = std::make_shared<std::string>("ABCDEF");
    RecordList list;
    list.KeepAlive(text);
    list.AppendView(2, std::string_view(*text).substr(2, 3));
    const char* data = text->data();
    text.reset(); // the list keeps it
    EXPECT_EQ(list.Text(0), "CDE");
    EXPECT_EQ(list.Text(0).data(), data + 2);
    RecordList moved = std::move(list);
    EXPECT_EQ(moved.Text(0).data(), data + 2);
}

} // namespace
} // namespace ranvo
