#include "core/grid/record_layout.h"

#include "core/text/sjis.h"

#include <algorithm>

namespace ranvo {
namespace {

// The longest start of `value` that fits in `length` bytes without cutting a character in two.
std::size_t fittingPrefix(std::string_view value, std::size_t length) {
    std::size_t kept = 0;
    while (kept < value.size() && kept + CharLength(value, kept) <= length) {
        kept += CharLength(value, kept);
    }
    return kept;
}

void appendFitted(std::string& out, std::string_view value, std::size_t length) {
    const std::size_t kept = fittingPrefix(value, length);
    out.append(value.substr(0, kept));
    out.append(length - kept, ' ');
}

// A plain CSV row is read back by a split at every separator, without quotes: a quote written
// around a value would become part of it, so the values up to the last non-empty one are written
// as they are.
std::string joinPlain(const CellList& cells, const std::string& separator) {
    std::size_t last = cells.size();
    while (last > 0 && cells[last - 1].empty()) {
        --last;
    }
    std::string line;
    for (std::size_t i = 0; i < last; ++i) {
        if (i > 0) {
            line += separator;
        }
        line += cells[i];
    }
    return line;
}

char separatorChar(const std::string& separator) {
    return separator.empty() ? ',' : separator[0];
}

char quoteChar(const std::string& quote) {
    return quote.empty() ? '\0' : quote[0];
}

} // namespace

RecordLayout RecordLayout::Fixed(std::vector<std::vector<std::uint32_t>> fieldLengths) {
    RecordLayout layout;
    layout.m_kind = Kind::Fixed;
    layout.m_lengths = std::move(fieldLengths);
    for (const auto& lengths : layout.m_lengths) {
        auto& offsets = layout.m_offsets.emplace_back();
        std::uint64_t start = 0;
        for (const std::uint32_t length : lengths) {
            offsets.push_back(start);
            start += length;
        }
        offsets.push_back(start);
    }
    return layout;
}

RecordLayout RecordLayout::Csv(bool quoted, std::string separator, std::string quote, bool quoteAlways) {
    RecordLayout layout;
    layout.m_kind = quoted ? Kind::QuotedCsv : Kind::PlainCsv;
    layout.m_separator = std::move(separator);
    layout.m_quote = std::move(quote);
    layout.m_quoteAlways = quoteAlways;
    return layout;
}

std::size_t RecordLayout::FieldCount(int condition) const {
    const auto index = static_cast<std::size_t>(condition);
    return condition >= 0 && index < m_lengths.size() ? m_lengths[index].size() : 0;
}

std::size_t RecordLayout::FieldLength(int condition, std::size_t index) const {
    return index < FieldCount(condition) ? m_lengths[static_cast<std::size_t>(condition)][index] : 0;
}

std::size_t RecordLayout::RecordLength(int condition) const {
    const std::size_t fields = FieldCount(condition);
    return fields == 0 ? 0 : static_cast<std::size_t>(m_offsets[static_cast<std::size_t>(condition)][fields]);
}

void RecordLayout::Cut(std::string_view record, int condition, CellList& cells) const {
    switch (m_kind) {
    case Kind::Fixed: {
        cells.clear();
        const std::size_t fields = FieldCount(condition);
        for (std::size_t i = 0; i < fields; ++i) {
            const auto& offsets = m_offsets[static_cast<std::size_t>(condition)];
            const auto start = static_cast<std::size_t>(std::min<std::uint64_t>(offsets[i], record.size()));
            cells.Add(record.substr(start, static_cast<std::size_t>(offsets[i + 1] - offsets[i])));
        }
        break;
    }
    case Kind::PlainCsv: CutFields(record, m_separator, cells); break;
    case Kind::QuotedCsv: CutQuoted(record, separatorChar(m_separator), quoteChar(m_quote), cells); break;
    case Kind::None: cells.clear(); break;
    }
}

std::string_view RecordLayout::CellOf(std::string_view record, int condition, std::size_t index,
                                      CellList& scratch) const {
    if (m_kind == Kind::Fixed) {
        if (index >= FieldCount(condition)) {
            return {};
        }
        const auto& offsets = m_offsets[static_cast<std::size_t>(condition)];
        const auto start = static_cast<std::size_t>(std::min<std::uint64_t>(offsets[index], record.size()));
        return record.substr(start, static_cast<std::size_t>(offsets[index + 1] - offsets[index]));
    }
    Cut(record, condition, scratch);
    return scratch.ValueOr(index);
}

std::string RecordLayout::Fit(int condition, std::size_t index, std::string_view value) const {
    if (m_kind != Kind::Fixed) {
        return std::string(value);
    }
    std::string fitted;
    appendFitted(fitted, value, FieldLength(condition, index));
    return fitted;
}

std::string RecordLayout::FitRecord(int condition, std::string_view text) const {
    if (m_kind == Kind::QuotedCsv) {
        // A line that yields no value (an unclosed quote) is no record a file can be read back
        // with: it is kept as the row the grid shows for it, one empty value.
        CellList cells;
        Cut(text, condition, cells);
        if (cells.empty()) {
            return Build(cells);
        }
    }
    if (m_kind != Kind::Fixed) {
        return std::string(text);
    }
    std::string fitted;
    appendFitted(fitted, text, RecordLength(condition));
    return fitted;
}

std::string RecordLayout::WithCell(std::string_view record, int condition, std::size_t index,
                                   std::string_view value) const {
    if (m_kind == Kind::Fixed) {
        if (index >= FieldCount(condition)) {
            return std::string(record);
        }
        const auto& offsets = m_offsets[static_cast<std::size_t>(condition)];
        const auto start = static_cast<std::size_t>(offsets[index]);
        const auto end = static_cast<std::size_t>(offsets[index + 1]);
        std::string rewritten(record);
        if (rewritten.size() < end) {
            rewritten.resize(end, ' ');
        }
        std::string fitted;
        appendFitted(fitted, value, end - start);
        rewritten.replace(start, end - start, fitted);
        return rewritten;
    }
    if (m_kind == Kind::None) {
        return std::string(record);
    }
    CellList cells;
    Cut(record, condition, cells);
    CellList changed;
    for (std::size_t i = 0; i < std::max(cells.size(), index + 1); ++i) {
        changed.Add(i == index ? value : cells.ValueOr(i));
    }
    return Build(changed);
}

std::string RecordLayout::Build(const CellList& cells) const {
    if (m_kind == Kind::Fixed) {
        std::string joined;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            joined += cells[i];
        }
        return joined;
    }
    if (m_kind == Kind::PlainCsv) {
        return joinPlain(cells, m_separator);
    }
    std::string line = BuildCsvLine(Style(), cells, false);
    if (line.empty() && m_kind == Kind::QuotedCsv) {
        line = m_quote.empty() ? m_separator : m_quote + m_quote;
    }
    return line;
}

} // namespace ranvo
