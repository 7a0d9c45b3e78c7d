#include "core/views/filter_table_sheet.h"

#include "core/text/cell_block.h"
#include "core/text/sjis.h"
#include "core/text/text_helpers.h"
#include "core/text/text_lines.h"
#include "core/text/upper_case_sort.h"

#include <algorithm>
#include <charconv>

namespace ranvo {
namespace {

std::vector<std::string_view> linesOf(std::string_view bytes) {
    std::vector<std::string_view> lines;
    SplitLines(TextBeforeNul(bytes), lines);
    return lines;
}

std::string_view flagLine(bool on) {
    return on ? ";1" : ";0";
}

} // namespace

FilterTableSheet::FilterTableSheet() : m_rows(1) {}

const std::string& FilterTableSheet::Cell(int row, int column) const {
    const FilterTableRow& cells = m_rows[static_cast<std::size_t>(row)];
    return column == KeyColumn ? cells.Key : cells.Value;
}

void FilterTableSheet::SetCell(int row, int column, std::string text) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount) {
        return;
    }
    const bool newKey = AddsRow(row, column, text);
    FilterTableRow& cells = m_rows[static_cast<std::size_t>(row)];
    (column == KeyColumn ? cells.Key : cells.Value) = std::move(text);
    if (newKey) {
        m_rows.emplace_back();
    }
}

bool FilterTableSheet::AddsRow(int row, int column, std::string_view text) const {
    return column == KeyColumn && row == RowCount() - 1 && !Trim(text).empty();
}

void FilterTableSheet::ensureEntryRow() {
    if (m_rows.empty() || !m_rows.back().Key.empty()) {
        m_rows.emplace_back();
    }
}

void FilterTableSheet::ReadFilterFile(std::string_view bytes) {
    const std::vector<std::string_view> lines = linesOf(bytes);
    Options = TFilterOptions{false, false, {}, false, false};
    ReadFilterOptions(lines, Options);
    m_rows.clear();
    // The section name in any letter case, as the filter itself reads it: a table that the
    // filter translates by must not open empty here, or saving it would drop its rows.
    const auto section = std::find_if(lines.begin(), lines.end(), [](std::string_view line) {
        return AnsiUpperCase(line).find("[FILTER]") != std::string::npos;
    });
    if (section != lines.end()) {
        for (auto line = section + 1; line != lines.end(); ++line) {
            // "=" is below 0x40, never a trail byte.
            const std::size_t equals = line->find('=');
            if (equals != std::string_view::npos && !Trim(line->substr(0, equals)).empty()) {
                m_rows.push_back({std::string(line->substr(0, equals)),
                                  std::string(line->substr(equals + 1))});
            }
        }
    }
    ensureEntryRow();
}

void FilterTableSheet::ReadCsv(std::string_view bytes) {
    const std::vector<std::string_view> lines = linesOf(bytes);
    m_rows.assign(lines.size() + 1, FilterTableRow());
    std::vector<std::string> items;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (SplitQuoted(lines[i], items, ',', '"') > 1) {
            m_rows[i] = {std::move(items[0]), std::move(items[1])};
        }
    }
}

std::string FilterTableSheet::FilterFileText() const {
    std::string text;
    for (const std::string_view line :
         {flagLine(Options.IsNumeric), flagLine(Options.UseFit)}) {
        text.append(line).append("\r\n");
    }
    text.append(";").append(Options.UseFit ? Options.FitText : std::string()).append("\r\n");
    text.append(flagLine(Options.TrimSpaces)).append("\r\n");
    text.append(flagLine(Options.CutFit)).append("\r\n");
    text.append("[Filter]\r\n");
    for (const FilterTableRow& row : m_rows) {
        const std::string_view key = Trim(row.Key);
        if (!key.empty()) {
            text.append(key).append("=").append(Trim(row.Value)).append("\r\n");
        }
    }
    return text;
}

std::optional<int> FilterTableSheet::FirstUnstorableKey() const {
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        const std::string_view key = Trim(m_rows[row].Key);
        if (key.starts_with(';') || key.starts_with('[') ||
            key.find('=') != std::string_view::npos) {
            return static_cast<int>(row);
        }
    }
    return std::nullopt;
}

void FilterTableSheet::DeleteRows(int top, int bottom) {
    top = std::max(top, 0);
    bottom = std::min(bottom, RowCount() - 1);
    if (top > bottom) {
        return;
    }
    m_rows.erase(m_rows.begin() + top, m_rows.begin() + bottom + 1);
    // Deleting the entry row too would leave no place to type the next key.
    ensureEntryRow();
}

std::string FilterTableSheet::CopyText(const FilterCellRange& range) const {
    return JoinCellRange(range.Top, range.Left, range.Bottom, range.Right,
                         [this](int row, int column) { return Cell(row, column); });
}

void FilterTableSheet::Paste(std::string_view text, int top, int left) {
    if (top < 0 || left < 0 || left >= ColumnCount) {
        return;
    }
    const bool intoKeys = left == KeyColumn;
    std::vector<std::string> items;
    int row = top;
    for (const std::string_view line : linesOf(text)) {
        if (SplitQuoted(line, items, '\t', '"') == 0 || (intoKeys && items[0].empty())) {
            continue;
        }
        if (row >= RowCount()) {
            // Keys make new rows; values alone have no row to go to.
            if (!intoKeys) {
                break;
            }
            row = RowCount();
            m_rows.emplace_back();
        }
        FilterTableRow& cells = m_rows[static_cast<std::size_t>(row)];
        for (std::size_t k = 0; k < items.size() && left + static_cast<int>(k) < ColumnCount; ++k) {
            (left + static_cast<int>(k) == KeyColumn ? cells.Key : cells.Value) =
                std::move(items[k]);
        }
        ++row;
    }
    ensureEntryRow();
}

void FilterTableSheet::SortByKey() {
    SortByUpperCase(m_rows.begin(), m_rows.end() - 1,
                    [](const FilterTableRow& row) -> const std::string& { return row.Key; });
}

std::optional<int> FilterTableSheet::Find(FilterFindBy by, std::string_view text,
                                          int current) const {
    if (by == FilterFindBy::Number) {
        long long number = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (error == std::errc::result_out_of_range) {
            number = RowCount();
        } else if (error != std::errc() || end != text.data() + text.size() || number < 1) {
            return std::nullopt;
        }
        return static_cast<int>(std::min<long long>(number, RowCount())) - 1;
    }
    const int column = by == FilterFindBy::Key ? KeyColumn : ValueColumn;
    for (int step = 1; step < RowCount(); ++step) {
        const int row = (current + step) % RowCount();
        if (ContainsCharacterWise(Cell(row, column), text)) {
            return row;
        }
    }
    return std::nullopt;
}

} // namespace ranvo
