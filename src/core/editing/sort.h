#pragma once

// Sorting the records by the text of the current column, ascending or descending. Keys compare as
// bytes ("10" before "9", an empty key first). The standard sort is a quicksort that hands small
// ranges to an insertion sort (equal keys may change order); the fast sort keeps equal keys in
// their order. Whole records move, hidden rows with them, and one undo entry holds the order the
// sort applied. The keys are read from the records without building any row's cells.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace ranvo {

enum class SortAlgorithm { Standard, Fast };
enum class SortDirection { Ascending, Descending };

// The order of `keys` after sorting: entry k is the position of the key that comes k-th.
[[nodiscard]] std::vector<std::uint32_t> SortOrder(const std::vector<std::string_view>& keys,
                                                 SortAlgorithm algorithm, SortDirection direction);

// Sorts the records by the current column; nothing when it is column 0.
void SortRecords(MainState& state, UiHost& host, SortAlgorithm algorithm, SortDirection direction);

} // namespace ranvo
