#include "core/editing/record_line.h"

#include "core/grid/record_list.h"
#include "core/text/text_helpers.h"

#include <vector>

namespace ranvo {
namespace {

// A quote inside a quoted value is written twice.
void appendDoubled(std::string& line, std::string_view value, std::string_view quote) {
    for (std::size_t pos = 0; pos < value.size();) {
        if (!quote.empty() && value.substr(pos).starts_with(quote)) {
            line += quote;
            line += quote;
            pos += quote.size();
        } else {
            line += value[pos++];
        }
    }
}

} // namespace

void AppendCsvValue(std::string& line, std::string_view value, const CsvStyle& style) {
    const std::string_view quote = style.Quote;
    if (style.QuoteAlways || (!value.empty() && ContainsCharacterWise(value, quote))) {
        line += quote;
        appendDoubled(line, value, quote);
        line += quote;
    } else if (!value.empty() && ContainsCharacterWise(value, style.Separate)) {
        line += quote;
        line += value;
        line += quote;
    } else {
        line += value;
    }
}

namespace {

template <class Text>
std::string buildCsvLine(const CsvStyle& style, std::span<const Text> values, bool writeFirst) {
    std::size_t last = values.size();
    while (last > 0 && values[last - 1].empty()) {
        --last;
    }
    if (writeFirst && !values.empty()) {
        last = std::max<std::size_t>(last, 1);
    }
    std::string line;
    for (std::size_t i = 0; i < last; ++i) {
        if (i > 0) {
            line += style.Separate;
        }
        AppendCsvValue(line, values[i], style);
    }
    return line;
}

} // namespace

CsvStyle CsvStyleOf(const TDefineClass& definition) {
    return {definition.Separate, definition.Quote, definition.QuoteAlways};
}

std::string BuildCsvLine(const CsvStyle& style, std::span<const std::string_view> values,
                         bool writeFirst) {
    return buildCsvLine(style, values, writeFirst);
}

std::string BuildCsvLine(const CsvStyle& style, std::span<const std::string> values, bool writeFirst) {
    return buildCsvLine(style, values, writeFirst);
}

std::string BuildCsvRow(const CsvStyle& style, const DataGrid& grid, int row) {
    std::vector<std::string_view> cells;
    for (int col = 1; col < grid.ColCount(); ++col) {
        cells.push_back(grid.Cell(col, row));
    }
    return BuildCsvLine(style, cells, false);
}

std::string BuildRecordLine(const TDefineClass& definition, const DataGrid& grid, int row,
                            bool withPrefix) {
    std::string text;
    if (definition.IsFixedFormat()) {
        for (int col = 1; col < grid.ColCount(); ++col) {
            text += grid.Cell(col, row);
        }
    } else {
        text = BuildCsvRow(CsvStyleOf(definition), grid, row);
    }
    if (!withPrefix) {
        return text;
    }
    const auto prefix = ConditionPrefix(definition.FindCondition(text));
    return std::string(prefix.begin(), prefix.end()) + text;
}

} // namespace ranvo
