#include "core/text/csv_line.h"

#include "core/text/sjis.h"
#include "core/text/text_helpers.h"

#include <algorithm>

namespace ranvo {
namespace {

// A quote inside a quoted value is written twice; the value is walked character by character so
// that a quote byte that is the trail byte of a double-byte character stays as it is.
void appendDoubled(std::string& line, std::string_view value, std::string_view quote) {
    std::size_t copied = 0;
    for (std::size_t found = FindCharacterWise(value, quote, 0); found != std::string_view::npos;
         found = FindCharacterWise(value, quote, copied)) {
        line.append(value, copied, found + quote.size() - copied);
        line += quote;
        copied = found + quote.size();
    }
    line.append(value, copied);
}

template <class Values>
std::string buildCsvLine(const CsvStyle& style, const Values& values, bool writeFirst) {
    std::size_t last = values.size();
    while (last > 0 && values[last - 1].empty()) {
        --last;
    }
    if (writeFirst && values.size() > 0) {
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

std::string BuildCsvLine(const CsvStyle& style, std::span<const std::string_view> values,
                         bool writeFirst) {
    return buildCsvLine(style, values, writeFirst);
}

std::string BuildCsvLine(const CsvStyle& style, std::span<const std::string> values, bool writeFirst) {
    return buildCsvLine(style, values, writeFirst);
}

std::string BuildCsvLine(const CsvStyle& style, const CellList& values, bool writeFirst) {
    return buildCsvLine(style, values, writeFirst);
}

} // namespace ranvo
