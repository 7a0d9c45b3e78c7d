#pragma once

// The heights of the grid's rows, or the widths of its columns, with the position arithmetic the
// view needs. An extent above 0 is a visible row or column; 0 is hidden but leaves its grid line
// (a thin mark); -1 is hidden without a trace. Every row or column also owns the grid line after
// it, so it occupies extent + 1 pixels, and nothing for -1.
//
// Positions and visible counts come from prefix sums (Fenwick trees), so finding the row at a
// pixel or the k-th visible row costs O(log n) however many rows are hidden. While every extent
// is the default, no per-row storage exists at all and the answers are plain arithmetic.

#include <cstdint>
#include <span>
#include <vector>

namespace ranvo {

class AxisExtents {
public:
    explicit AxisExtents(int defaultExtent = 24) : m_default(defaultExtent) {}

    [[nodiscard]] int count() const { return m_count; }
    void resize(int count);
    void insert(int at, int count);
    void erase(int at, int count);
    // Position k takes the extent that position order[k] had.
    void permute(std::span<const std::uint32_t> order, int first);

    [[nodiscard]] int extent(int index) const;
    void setExtent(int index, int extent);
    [[nodiscard]] bool isVisible(int index) const { return extent(index) > 0; }

    [[nodiscard]] int defaultExtent() const { return m_default; }
    // Sets the default and gives it to every entry, as a new default size resets a grid's rows.
    void setDefaultExtent(int extent);
    // Gives `extent` to every visible entry; hidden ones stay hidden.
    void setVisibleExtents(int extent);

    // Pixels from the start of entry `from` to the start of entry `to` (from <= to).
    [[nodiscard]] std::int64_t span(int from, int to) const { return offset(to) - offset(from); }
    // Pixels before entry `index`.
    [[nodiscard]] std::int64_t offset(int index) const;
    // The entry whose pixels include `position`, skipping entries that occupy no pixels;
    // count() when the position is past the end.
    [[nodiscard]] int indexAt(std::int64_t position) const;

    // Number of visible entries before `index`.
    [[nodiscard]] int visibleBefore(int index) const;
    // The `k`-th visible entry (0-based), or count() when there are not that many.
    [[nodiscard]] int nthVisible(int k) const;
    // The first visible entry at or after `index` (count() if none); at or before it (-1 if none).
    [[nodiscard]] int nextVisible(int index) const;
    [[nodiscard]] int previousVisible(int index) const;

private:
    [[nodiscard]] bool uniform() const { return m_extents.empty(); }
    [[nodiscard]] std::int64_t occupied(int extent) const { return extent < 0 ? 0 : extent + 1; }
    void materialize();
    void rebuildSums() const;
    void ensureSums() const;

    int m_default;
    int m_count = 0;
    std::vector<int> m_extents; // empty while every entry has the default extent

    // Fenwick trees over occupied pixels and over visibility, rebuilt lazily after bulk changes.
    mutable std::vector<std::int64_t> m_pixelSums;
    mutable std::vector<int> m_visibleSums;
    mutable bool m_sumsValid = false;
};

} // namespace ranvo
