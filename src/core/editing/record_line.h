#pragma once

// The record line builder: a grid row back into record text. Fixed-length rows are their cells
// joined; CSV rows are their cells up to the last non-empty one, separated and quoted by the
// definition. Saving and record copy both build records this way.

#include "core/definitions/define_class.h"
#include "core/grid/data_grid.h"

#include <span>
#include <string>
#include <string_view>

namespace ranvo {

// The record text of grid row `row`; with `withPrefix`, the condition the definition finds for
// that text comes first as a three-character prefix.
[[nodiscard]] std::string BuildRecordLine(const TDefineClass& definition, const DataGrid& grid,
                                          int row, bool withPrefix);

// How CSV values are written: the separator, the quote, and whether every value is quoted.
struct CsvStyle {
    std::string_view Separate;
    std::string_view Quote;
    bool QuoteAlways = false;
};

// The definition's own CSV style.
[[nodiscard]] CsvStyle CsvStyleOf(const TDefineClass& definition);

// A CSV line from a list of values, as a CSV row is built: the values up to the last non-empty
// one, quoted where needed. `writeFirst` writes the first value even when every value is empty
// (a title line always has one).
[[nodiscard]] std::string BuildCsvLine(const CsvStyle& style,
                                       std::span<const std::string_view> values, bool writeFirst);
[[nodiscard]] std::string BuildCsvLine(const CsvStyle& style, std::span<const std::string> values,
                                       bool writeFirst);

// Appends one value as a CSV row writes it: quoted, with inner quotes doubled, when the style
// quotes every value or the value holds the quote; quoted as it is when it holds the separator.
void AppendCsvValue(std::string& line, std::string_view value, const CsvStyle& style);

// The record text of grid row `row` in `style` (columns 1 onward).
[[nodiscard]] std::string BuildCsvRow(const CsvStyle& style, const DataGrid& grid, int row);

} // namespace ranvo
