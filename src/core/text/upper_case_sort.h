#pragma once

// The one ordering of names and keys that the dialogs share: by the upper-case form of a text,
// compared byte by byte, with items of the same upper-case form left in their order.

#include "core/text/sjis.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace ranvo {

// Sorts the items from `first` to `last` by AnsiUpperCase(textOf(item)); stable.
template <typename Iterator, typename TextOf>
void SortByUpperCase(Iterator first, Iterator last, TextOf textOf) {
    using Item = typename std::iterator_traits<Iterator>::value_type;
    std::vector<std::pair<std::string, Item>> keyed;
    for (Iterator item = first; item != last; ++item) {
        keyed.emplace_back(AnsiUpperCase(textOf(*item)), std::move(*item));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [key, item] : keyed) {
        *first++ = std::move(item);
    }
}

template <typename Item, typename TextOf>
void SortByUpperCase(std::vector<Item>& items, TextOf textOf) {
    SortByUpperCase(items.begin(), items.end(), textOf);
}

} // namespace ranvo
