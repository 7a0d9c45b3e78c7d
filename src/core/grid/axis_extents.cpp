#include "core/grid/axis_extents.h"

#include <algorithm>
#include <bit>

namespace ranvo {

void AxisExtents::materialize() {
    if (uniform()) {
        m_extents.assign(static_cast<std::size_t>(m_count), m_default);
    }
}

void AxisExtents::resize(int count) {
    if (!uniform()) {
        m_extents.resize(static_cast<std::size_t>(count), m_default);
    }
    m_count = count;
    m_sumsValid = false;
}

void AxisExtents::insert(int at, int count) {
    if (!uniform()) {
        m_extents.insert(m_extents.begin() + at, static_cast<std::size_t>(count), m_default);
    }
    m_count += count;
    m_sumsValid = false;
}

void AxisExtents::erase(int at, int count) {
    if (!uniform()) {
        m_extents.erase(m_extents.begin() + at, m_extents.begin() + at + count);
    }
    m_count -= count;
    m_sumsValid = false;
}

void AxisExtents::permute(std::span<const std::uint32_t> order, int first) {
    if (uniform()) {
        return;
    }
    std::vector<int> moved;
    moved.reserve(order.size());
    for (const std::uint32_t from : order) {
        moved.push_back(m_extents[static_cast<std::size_t>(first) + from]);
    }
    std::copy(moved.begin(), moved.end(), m_extents.begin() + first);
    m_sumsValid = false;
}

int AxisExtents::extent(int index) const {
    if (uniform() || index < 0 || index >= m_count) {
        return m_default;
    }
    return m_extents[static_cast<std::size_t>(index)];
}

void AxisExtents::setExtent(int index, int extent) {
    if (index < 0 || index >= m_count || (uniform() && extent == m_default)) {
        return;
    }
    materialize();
    int& slot = m_extents[static_cast<std::size_t>(index)];
    const int old = slot;
    slot = extent;
    if (!m_sumsValid) {
        return;
    }
    const std::int64_t pixelDelta = occupied(extent) - occupied(old);
    const int visibleDelta = (extent > 0 ? 1 : 0) - (old > 0 ? 1 : 0);
    for (std::size_t i = static_cast<std::size_t>(index) + 1; i < m_pixelSums.size();
         i += i & (~i + 1)) {
        m_pixelSums[i] += pixelDelta;
        m_visibleSums[i] += visibleDelta;
    }
}

void AxisExtents::setDefaultExtent(int extent) {
    m_default = extent;
    m_extents.clear();
    m_sumsValid = false;
}

void AxisExtents::setVisibleExtents(int extent) {
    materialize();
    for (int& slot : m_extents) {
        if (slot > 0) {
            slot = extent;
        }
    }
    m_sumsValid = false;
}

void AxisExtents::rebuildSums() const {
    const std::size_t size = m_extents.size() + 1;
    m_pixelSums.assign(size, 0);
    m_visibleSums.assign(size, 0);
    for (std::size_t i = 1; i < size; ++i) {
        const int value = m_extents[i - 1];
        m_pixelSums[i] += occupied(value);
        m_visibleSums[i] += value > 0 ? 1 : 0;
        const std::size_t parent = i + (i & (~i + 1));
        if (parent < size) {
            m_pixelSums[parent] += m_pixelSums[i];
            m_visibleSums[parent] += m_visibleSums[i];
        }
    }
    m_sumsValid = true;
}

void AxisExtents::ensureSums() const {
    if (!m_sumsValid) {
        rebuildSums();
    }
}

std::int64_t AxisExtents::offset(int index) const {
    index = std::clamp(index, 0, m_count);
    if (uniform()) {
        return index * occupied(m_default);
    }
    ensureSums();
    std::int64_t sum = 0;
    for (auto i = static_cast<std::size_t>(index); i > 0; i &= i - 1) {
        sum += m_pixelSums[i];
    }
    return sum;
}

namespace {

// The number of leading entries whose sum stays at or below `target` (Fenwick descent).
template <class T>
int countWithSumAtMost(const std::vector<T>& tree, std::int64_t target) {
    const std::size_t size = tree.size() - 1;
    std::size_t position = 0;
    for (std::size_t step = std::bit_floor(std::max<std::size_t>(size, 1)); step > 0; step >>= 1) {
        const std::size_t next = position + step;
        if (next <= size && tree[next] <= target) {
            position = next;
            target -= tree[next];
        }
    }
    return static_cast<int>(position);
}

} // namespace

int AxisExtents::indexAt(std::int64_t position) const {
    if (position < 0) {
        return 0;
    }
    if (uniform()) {
        const std::int64_t each = occupied(m_default);
        return each == 0 ? m_count
                         : static_cast<int>(std::min<std::int64_t>(position / each, m_count));
    }
    ensureSums();
    return countWithSumAtMost(m_pixelSums, position);
}

int AxisExtents::visibleBefore(int index) const {
    index = std::clamp(index, 0, m_count);
    if (uniform()) {
        return m_default > 0 ? index : 0;
    }
    ensureSums();
    int sum = 0;
    for (auto i = static_cast<std::size_t>(index); i > 0; i &= i - 1) {
        sum += m_visibleSums[i];
    }
    return sum;
}

int AxisExtents::nthVisible(int k) const {
    if (k < 0) {
        return m_count;
    }
    if (uniform()) {
        return m_default > 0 && k < m_count ? k : m_count;
    }
    ensureSums();
    return countWithSumAtMost(m_visibleSums, k);
}

int AxisExtents::nextVisible(int index) const {
    return nthVisible(visibleBefore(index));
}

int AxisExtents::previousVisible(int index) const {
    if (index < 0) {
        return -1;
    }
    const int before = visibleBefore(index + 1);
    return before == 0 ? -1 : nthVisible(before - 1);
}

} // namespace ranvo
