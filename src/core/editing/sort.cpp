#include "core/editing/sort.h"

#include "core/app/fixed_captions.h"
#include "core/editing/undo.h"

#include <algorithm>
#include <deque>
#include <string>
#include <numeric>

namespace ranvo {
namespace {

// Keys and the positions they came from, swapped together.
class SortRun {
public:
    SortRun(const std::vector<std::string_view>& keys, SortDirection direction)
        : m_keys(keys), m_order(keys.size()), m_descending(direction == SortDirection::Descending) {
        std::iota(m_order.begin(), m_order.end(), std::uint32_t{0});
    }

    // The quicksort of positions lo to hi, ranges of fewer than 21 keys by insertion.
    void quicksort(std::ptrdiff_t lo, std::ptrdiff_t hi) {
        while (lo < hi) {
            if (hi - lo < 20) {
                insertion(lo, hi);
                return;
            }
            const std::string_view pivot = key((lo + hi) / 2);
            std::ptrdiff_t i = lo - 1;
            std::ptrdiff_t j = hi + 1;
            for (;;) {
                do {
                    ++i;
                } while (i <= hi && before(key(i), pivot));
                do {
                    --j;
                } while (j >= lo && before(pivot, key(j)));
                if (i >= j) {
                    break;
                }
                swap(i, j);
            }
            // Recurse into the smaller side and loop on the larger, so the depth stays logarithmic.
            if (i - 1 - lo < hi - (j + 1)) {
                quicksort(lo, i - 1);
                lo = j + 1;
            } else {
                quicksort(j + 1, hi);
                hi = i - 1;
            }
        }
    }

    // Insertion sort of lo to hi: equal keys never swap, so it keeps their order.
    void insertion(std::ptrdiff_t lo, std::ptrdiff_t hi) {
        for (std::ptrdiff_t e = lo + 1; e <= hi; ++e) {
            for (std::ptrdiff_t at = e; at > 0 && before(key(at), key(at - 1)); --at) {
                swap(at, at - 1);
            }
        }
    }

    // The same order as an insertion sort over everything (it is stable), in n log n time:
    // a quadratic sort of a million records would never finish.
    void stable() {
        std::stable_sort(m_order.begin(), m_order.end(), [this](std::uint32_t a, std::uint32_t b) {
            return before(m_keys[a], m_keys[b]);
        });
    }

    [[nodiscard]] std::vector<std::uint32_t> take() { return std::move(m_order); }

private:
    [[nodiscard]] std::string_view key(std::ptrdiff_t position) const {
        return m_keys[m_order[static_cast<std::size_t>(position)]];
    }
    // Byte order (the view's compare is unsigned), turned round for descending sorts.
    [[nodiscard]] bool before(std::string_view a, std::string_view b) const {
        return m_descending ? b < a : a < b;
    }
    void swap(std::ptrdiff_t a, std::ptrdiff_t b) {
        std::swap(m_order[static_cast<std::size_t>(a)], m_order[static_cast<std::size_t>(b)]);
    }

    const std::vector<std::string_view>& m_keys;
    std::vector<std::uint32_t> m_order;
    bool m_descending;
};

// In each run of adjacent hidden rows the lowest gets 0 (one mark line) and the others -1.
void normaliseHiddenRows(DataGrid& grid) {
    bool belowIsHidden = false;
    for (int row = grid.RowCount() - 1; row >= 1; --row) {
        if (grid.RowHeight(row) > 0) {
            belowIsHidden = false;
            continue;
        }
        grid.SetRowHeight(row, belowIsHidden ? -1 : 0);
        belowIsHidden = true;
    }
}

} // namespace

std::vector<std::uint32_t> SortOrder(const std::vector<std::string_view>& keys, SortAlgorithm algorithm,
                                   SortDirection direction) {
    SortRun run(keys, direction);
    if (algorithm == SortAlgorithm::Fast) {
        run.stable();
    } else if (!keys.empty()) {
        run.quicksort(0, static_cast<std::ptrdiff_t>(keys.size()) - 1);
    }
    return run.take();
}

namespace {

// The sort keys: the cells of one column, read straight from the records. A fixed-length cell is a
// slice of its record and a CSV cell mostly a piece of it; only a quoted value whose quotes had to
// be undone is copied.
class ColumnKeys {
public:
    ColumnKeys(const DataGrid& grid, int col) {
        const auto index = static_cast<std::size_t>(col - 1);
        const auto count = grid.Records().size();
        m_keys.reserve(count);
        for (int row = 1; static_cast<std::size_t>(row) <= count; ++row) {
            const std::string_view key =
                grid.Layout().CellOf(grid.RecordText(row), grid.RowCondition(row), index, m_cells);
            if (m_cells.size() > index && m_cells.IsCopied(index)) {
                m_keys.push_back(m_copies.emplace_back(key));
            } else {
                m_keys.push_back(key);
            }
        }
    }

    [[nodiscard]] const std::vector<std::string_view>& keys() const { return m_keys; }

private:
    std::vector<std::string_view> m_keys;
    std::deque<std::string> m_copies;
    CellList m_cells;
};

} // namespace

void SortRecords(MainState& state, UiHost& host, SortAlgorithm algorithm, SortDirection direction) {
    DataGrid& grid = state.Grid;
    const int col = grid.Col();
    if (col == 0 || state.DataFileName.empty() || state.AddBoxActive || grid.Records().empty()) {
        return;
    }
    const int leftCol = grid.LeftCol();
    const int topRow = grid.TopRow();
    {
        BusyGuard busy(host);
        std::vector<std::uint32_t> order = SortOrder(ColumnKeys(grid, col).keys(), algorithm, direction);
        grid.PermuteRows(order); // heights follow their records
        PushUndo(state, UndoEntry::Sorted(std::move(order)));
        RepaintFixCol(state);
        grid.SetSelection({col, 1, col, grid.RowCount() - 1});
        grid.SetLeftCol(leftCol);
        grid.SetTopRow(topRow);
        normaliseHiddenRows(grid);
    }
    host.Beep(BeepKind::Default);
}

} // namespace ranvo
