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

void appendCsvValue(std::string& line, std::string_view value, const TDefineClass& definition) {
    const std::string_view quote = definition.Quote;
    if (definition.QuoteAlways || (!value.empty() && ContainsCharacterWise(value, quote))) {
        line += quote;
        appendDoubled(line, value, quote);
        line += quote;
    } else if (!value.empty() && ContainsCharacterWise(value, definition.Separate)) {
        line += quote;
        line += value;
        line += quote;
    } else {
        line += value;
    }
}

} // namespace

std::string BuildCsvLine(const TDefineClass& definition, std::span<const std::string_view> values,
                         bool writeFirst) {
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
            line += definition.Separate;
        }
        appendCsvValue(line, values[i], definition);
    }
    return line;
}

std::string BuildRecordLine(const TDefineClass& definition, const DataGrid& grid, int row,
                            bool withPrefix) {
    std::string text;
    if (definition.IsFixedFormat()) {
        for (int col = 1; col < grid.ColCount(); ++col) {
            text += grid.Cell(col, row);
        }
    } else {
        std::vector<std::string_view> cells;
        for (int col = 1; col < grid.ColCount(); ++col) {
            cells.push_back(grid.Cell(col, row));
        }
        text = BuildCsvLine(definition, cells, false);
    }
    if (!withPrefix) {
        return text;
    }
    const auto prefix = ConditionPrefix(definition.FindCondition(text));
    return std::string(prefix.begin(), prefix.end()) + text;
}

} // namespace ranvo
