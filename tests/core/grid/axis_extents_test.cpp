#include "core/grid/axis_extents.h"

#include <gtest/gtest.h>

#include <random>

namespace ranvo {
namespace {

// A plain list of extents answering every query by walking it: the reference that the prefix
// sums must agree with.
struct NaiveExtents {
    int fallback;
    std::vector<int> extents;

    static std::int64_t occupied(int e) { return e < 0 ? 0 : e + 1; }

    std::int64_t offset(int index) const {
        std::int64_t sum = 0;
        for (int i = 0; i < index; ++i) {
            sum += occupied(extents[static_cast<std::size_t>(i)]);
        }
        return sum;
    }
    int indexAt(std::int64_t position) const {
        std::int64_t start = 0;
        for (std::size_t i = 0; i < extents.size(); ++i) {
            start += occupied(extents[i]);
            if (position < start) {
                return static_cast<int>(i);
            }
        }
        return static_cast<int>(extents.size());
    }
    int nthVisible(int k) const {
        for (std::size_t i = 0; i < extents.size(); ++i) {
            if (extents[i] > 0 && k-- == 0) {
                return static_cast<int>(i);
            }
        }
        return static_cast<int>(extents.size());
    }
    int visibleBefore(int index) const {
        int count = 0;
        for (int i = 0; i < index; ++i) {
            count += extents[static_cast<std::size_t>(i)] > 0 ? 1 : 0;
        }
        return count;
    }
};

void expectSame(const AxisExtents& fast, const NaiveExtents& naive) {
    const int count = static_cast<int>(naive.extents.size());
    ASSERT_EQ(fast.count(), count);
    for (int i = 0; i <= count; ++i) {
        ASSERT_EQ(fast.offset(i), naive.offset(i)) << "offset " << i;
        ASSERT_EQ(fast.visibleBefore(i), naive.visibleBefore(i)) << "visibleBefore " << i;
        ASSERT_EQ(fast.nthVisible(i), naive.nthVisible(i)) << "nthVisible " << i;
    }
    const std::int64_t total = naive.offset(count);
    for (std::int64_t position = 0; position <= total + 1; ++position) {
        ASSERT_EQ(fast.indexAt(position), naive.indexAt(position)) << "indexAt " << position;
    }
}

TEST(AxisExtents, UniformExtentsNeedNoStorage) {
    AxisExtents extents(20);
    extents.resize(1'000'000);
    EXPECT_EQ(extents.offset(10), 210);
    EXPECT_EQ(extents.indexAt(209), 9);
    EXPECT_EQ(extents.indexAt(210), 10);
    EXPECT_EQ(extents.nthVisible(999'999), 999'999);
    EXPECT_EQ(extents.nthVisible(1'000'000), 1'000'000);
    EXPECT_EQ(extents.nextVisible(5), 5);
}

TEST(AxisExtents, HiddenEntriesOccupyOneLineOrNothing) {
    AxisExtents extents(10);
    extents.resize(4);
    extents.setExtent(1, 0);  // one grid line remains
    extents.setExtent(2, -1); // nothing remains
    EXPECT_EQ(extents.offset(4), 11 + 1 + 0 + 11);
    EXPECT_EQ(extents.indexAt(11), 1);
    EXPECT_EQ(extents.indexAt(12), 3); // the -1 entry is skipped
    EXPECT_EQ(extents.nextVisible(1), 3);
    EXPECT_EQ(extents.previousVisible(2), 0);
    EXPECT_EQ(extents.previousVisible(0), 0);
    extents.setExtent(0, -1);
    EXPECT_EQ(extents.previousVisible(2), -1);
}

TEST(AxisExtents, AgreesWithAPlainListUnderRandomChanges) {
    std::mt19937 random(7);
    AxisExtents fast(5);
    NaiveExtents naive{5, {}};
    auto pick = [&](int bound) { return std::uniform_int_distribution<int>(0, bound)(random); };
    for (int step = 0; step < 300; ++step) {
        const int count = static_cast<int>(naive.extents.size());
        switch (pick(6)) {
        case 0: {
            const int size = pick(40);
            fast.resize(size);
            naive.extents.resize(static_cast<std::size_t>(size), naive.fallback);
            break;
        }
        case 1: {
            const int at = pick(count);
            const int n = pick(3);
            fast.insert(at, n);
            naive.extents.insert(naive.extents.begin() + at, static_cast<std::size_t>(n),
                                 naive.fallback);
            break;
        }
        case 2:
            if (count > 0) {
                const int at = pick(count - 1);
                const int n = std::min(pick(3), count - at);
                fast.erase(at, n);
                naive.extents.erase(naive.extents.begin() + at, naive.extents.begin() + at + n);
            }
            break;
        case 3:
            if (pick(20) == 0) {
                fast.setDefaultExtent(3);
                naive.fallback = 3;
                naive.extents.assign(naive.extents.size(), 3);
                break;
            }
            [[fallthrough]];
        default:
            if (count > 0) {
                const int at = pick(count - 1);
                const int extent = pick(4) - 1;
                fast.setExtent(at, extent);
                naive.extents[static_cast<std::size_t>(at)] = extent;
                // Interleave queries so point updates on built sums are checked too.
                ASSERT_EQ(fast.offset(count), naive.offset(count));
            }
        }
        expectSame(fast, naive);
    }
}

TEST(AxisExtents, VisibleExtentsChangeAndHiddenOnesStay) {
    AxisExtents extents(10);
    extents.resize(3);
    extents.setExtent(1, 0);
    extents.setVisibleExtents(15);
    EXPECT_EQ(extents.extent(0), 15);
    EXPECT_EQ(extents.extent(1), 0);
    EXPECT_EQ(extents.extent(2), 15);
}

TEST(AxisExtents, PermuteMovesExtentsWithTheirEntries) {
    AxisExtents extents(10);
    extents.resize(4);
    extents.setExtent(1, 0);
    extents.permute(std::vector<std::uint32_t>{2, 0, 1}, 1); // positions 1..3 take old 3, 1, 2
    EXPECT_EQ(extents.extent(1), 10);
    EXPECT_EQ(extents.extent(2), 0);
    EXPECT_EQ(extents.nextVisible(2), 3);
}

} // namespace
} // namespace ranvo
