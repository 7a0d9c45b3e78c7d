#pragma once

// Writing CSV values: the separator, the quote and whether every value is quoted decide how a
// value is written. A row of a CSV file, the title line and the CSV export all write their values
// this way, so that what one writes the reader cuts back into the same values.

#include "core/text/cell_list.h"

#include <span>
#include <string>
#include <string_view>

namespace ranvo {

struct CsvStyle {
    std::string_view Separate;
    std::string_view Quote;
    bool QuoteAlways = false;
};

// Appends one value: quoted, with every quote inside it doubled, when the style quotes every value
// or the value holds the quote; quoted as it is when it holds the separator; else unchanged. The
// quote and separator are found and doubled character by character, never on a trail byte.
void AppendCsvValue(std::string& line, std::string_view value, const CsvStyle& style);

// A CSV line from a list of values: the values up to the last non-empty one, quoted where needed.
// `writeFirst` writes the first value even when every value is empty (a title line always has
// one).
[[nodiscard]] std::string BuildCsvLine(const CsvStyle& style,
                                       std::span<const std::string_view> values, bool writeFirst);
[[nodiscard]] std::string BuildCsvLine(const CsvStyle& style, std::span<const std::string> values,
                                       bool writeFirst);
[[nodiscard]] std::string BuildCsvLine(const CsvStyle& style, const CellList& values, bool writeFirst);

} // namespace ranvo
