#include "core/editing/sort.h"

#include "core/app/app_fixture.h"
#include "core/editing/undo.h"

#include <random>

namespace ranvo {
namespace {

using test::DefinitionBuilder;
using Order = std::vector<std::uint32_t>;

TEST(SortOrder, BytesDecideAndEqualKeysStayInOrderInTheFastSort) {
    const std::vector<std::string_view> keys{"b", "a", "B", "10", "9", "", "a"};
    EXPECT_EQ(SortOrder(keys, SortAlgorithm::Fast, SortDirection::Ascending), (Order{5, 3, 4, 2, 1, 6, 0}));
    EXPECT_EQ(SortOrder(keys, SortAlgorithm::Fast, SortDirection::Descending), (Order{0, 1, 6, 2, 4, 3, 5}));
}

TEST(SortOrder, StandardSortOrdersLargeInputs) {
    std::mt19937 random(3);
    std::vector<std::string> texts;
    for (int i = 0; i < 5000; ++i) {
        texts.push_back(std::to_string(random() % 700)); // many equal keys
    }
    const std::vector<std::string_view> keys(texts.begin(), texts.end());
    for (const SortDirection direction : {SortDirection::Ascending, SortDirection::Descending}) {
        const Order order = SortOrder(keys, SortAlgorithm::Standard, direction);
        Order sorted = order;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, [&] { Order all(keys.size()); std::iota(all.begin(), all.end(), 0u); return all; }());
        for (std::size_t k = 1; k < order.size(); ++k) {
            const auto previous = keys[order[k - 1]];
            const auto current = keys[order[k]];
            ASSERT_TRUE(direction == SortDirection::Ascending ? previous <= current : previous >= current);
        }
    }
}

class SortRecordsTest : public test::AppFixture {};

TEST_F(SortRecordsTest, RecordsMoveWithTheirHiddenRowsAndUndoRestoresTheOrder) {
    load(DefinitionBuilder("FL").condition("", 1, {{"k", 1}, {"v", 2}}).build(),
         {"  0b01", "  0a02", "  0B03", "  0c04"});
    state.DataFileName = "/data/file.txt";
    state.Grid.SetRowHeight(2, 0); // "a02" is hidden
    state.Grid.SetCurrent(1, 1);
    SortRecords(state, host, SortAlgorithm::Standard, SortDirection::Ascending);
    auto column = [&](int col) {
        std::vector<std::string> texts;
        for (int row = 1; row < state.Grid.RowCount(); ++row) {
            texts.emplace_back(state.Grid.Cell(col, row));
        }
        return texts;
    };
    EXPECT_EQ(column(2), (std::vector<std::string>{"03", "02", "01", "04"}));
    EXPECT_EQ(state.Grid.RowHeight(2), 0);
    EXPECT_EQ(state.Grid.RowHeight(1), state.Grid.DefaultRowHeight());
    EXPECT_EQ(column(0), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(state.Grid.Selection(), (GridRect{1, 1, 1, 4}));
    EXPECT_TRUE(state.Modified);
    EXPECT_EQ(host.beeps.size(), 1u);

    UndoLast(state);
    EXPECT_EQ(column(2), (std::vector<std::string>{"01", "02", "03", "04"}));

    state.Grid.SetCurrent(0, 1); // column 0: nothing, no undo entry
    SortRecords(state, host, SortAlgorithm::Fast, SortDirection::Ascending);
    EXPECT_EQ(state.UndoData.Count(), 0u);
}

} // namespace
} // namespace ranvo
