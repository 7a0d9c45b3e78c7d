#include "core/definitions/field_sheet.h"

#include "core/definitions/item_text.h"
#include "core/text/cell_block.h"
#include "core/text/number_text.h"
#include "core/text/text_helpers.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <cstdint>

namespace ranvo {
namespace {

constexpr std::string_view kBadValue = "不正なデータが入力されました";

bool isEmpty(const FieldSheetRow& row) {
    return row.Name.empty() && row.Length.empty() && row.Color.empty();
}

// A length that does not convert counts as 1, as it will once the sheet is recalculated.
std::int64_t lengthOf(const FieldSheetRow& row) {
    return IsDigits(row.Length) ? IntegerOr(row.Length, 1) : 1;
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    SplitLines(text, lines);
    return lines;
}

} // namespace

FieldSheet::FieldSheet() : m_rows(1) {
    Recalculate();
}

std::string FieldSheet::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return {};
    }
    const FieldSheetRow& cells = m_rows[static_cast<std::size_t>(row)];
    switch (column) {
    case NumberColumn: return std::to_string(row + 1);
    case NameColumn: return cells.Name;
    case StartColumn: return cells.Start;
    case LengthColumn: return cells.Length;
    case ColorColumn: return cells.Color;
    default: return {};
    }
}

void FieldSheet::Clear() {
    m_rows.assign(1, FieldSheetRow());
    Recalculate();
}

void FieldSheet::Fill(const std::vector<FieldSheetRow>& fields) {
    // The fields keep their starts as the definition has them (a hand-made file may leave gaps);
    // only the empty row's start is worked out.
    m_rows = fields;
    FieldSheetRow empty;
    if (!m_rows.empty() && IsDigits(m_rows.back().Start)) {
        empty.Start = std::to_string(IntegerOr(m_rows.back().Start, 1) + lengthOf(m_rows.back()));
    } else if (m_rows.empty()) {
        empty.Start = "1";
    }
    m_rows.push_back(std::move(empty));
}

std::vector<FieldSheetRow> FieldSheet::Fields() const {
    std::vector<FieldSheetRow> fields;
    for (int row = 0; row < FieldRowCount(); ++row) {
        const FieldSheetRow& cells = m_rows[static_cast<std::size_t>(row)];
        // An inserted row not filled in yet holds no field; for CSV it is a column without a
        // name, which keeps the columns after it in their places.
        if (!Csv && isEmpty(cells)) {
            continue;
        }
        if (!Csv && (!IsDigits(cells.Length) || !IsDigits(cells.Start))) {
            break;
        }
        fields.push_back(cells);
    }
    return fields;
}

CellEdit FieldSheet::Edit(int row, int column, std::string_view text, UiHost& host) {
    const bool editable = column == NameColumn || column == ColorColumn ||
                          (!Csv && (column == StartColumn || column == LengthColumn));
    if (row < 0 || row >= RowCount() || !editable || Cell(row, column) == text) {
        return CellEdit::Unchanged;
    }
    if (!take(row, column, text, host)) {
        return CellEdit::Refused;
    }
    if (row == RowCount() - 1) {
        m_rows.emplace_back();
    }
    Recalculate();
    return CellEdit::Taken;
}

bool FieldSheet::take(int row, int column, std::string_view text, UiHost& host) {
    switch (column) {
    case NameColumn:
        return editName(row, text, host);
    case ColorColumn:
        return editColor(row, text, host);
    case StartColumn:
        return editStart(row, text, host);
    default:
        return editLength(row, text, host);
    }
}

bool FieldSheet::editName(int row, std::string_view text, UiHost& host) {
    if (const std::optional<std::string> refusal = ItemTextRefusal("フィールド名", text)) {
        host.ShowError(*refusal);
        return false;
    }
    m_rows[static_cast<std::size_t>(row)].Name = text;
    return true;
}

// The file holds a colour as a signed 32-bit decimal; an empty colour is written as 0.
bool FieldSheet::editColor(int row, std::string_view text, UiHost& host) {
    const std::optional<std::int32_t> color = ToInteger(text);
    if (!text.empty() && !color) {
        host.ShowError(kBadValue);
        return false;
    }
    m_rows[static_cast<std::size_t>(row)].Color = color ? std::to_string(*color) : std::string();
    return true;
}

bool FieldSheet::editLength(int row, std::string_view text, UiHost& host) {
    const std::optional<std::int32_t> length = ToInteger(text);
    if (!length) {
        host.ShowError(kBadValue);
        return false;
    }
    if (*length <= 0) {
        host.ShowError("フィールドサイズは、1以上の数値で入力してください");
        return false;
    }
    for (FieldSheetRow& cells : m_rows) {
        if (!cells.Length.empty() && !IsDigits(cells.Length)) {
            cells.Length = "1";
        }
    }
    m_rows[static_cast<std::size_t>(row)].Length = std::to_string(*length);
    return true;
}

bool FieldSheet::editStart(int row, std::string_view text, UiHost& host) {
    const std::optional<std::int32_t> start = ToInteger(text);
    if (!start) {
        host.ShowError(kBadValue);
        return false;
    }
    if (*start < 1) {
        host.ShowError("開始位置は、1以上の数値で入力してください");
        return false;
    }
    if (row == 0) {
        if (*start != 1) {
            host.ShowError("最初の開始位置は、1でなければいけません");
            return false;
        }
        return true;
    }
    int above = row - 1;
    while (above >= 0 && !IsDigits(m_rows[static_cast<std::size_t>(above)].Start)) {
        --above;
    }
    const std::int64_t startAbove =
        above >= 0 ? IntegerOr(m_rows[static_cast<std::size_t>(above)].Start, 1) : 0;
    if (*start <= startAbove) {
        host.ShowError("開始位置は、前の値より大きくなければなりません");
        return false;
    }
    // The field above now reaches up to the new start.
    FieldSheetRow& previous = m_rows[static_cast<std::size_t>(row - 1)];
    const std::string oldLength = previous.Length;
    previous.Length = std::to_string(*start - IntegerOr(previous.Start, 1));
    std::int64_t total = 0;
    for (int r = 0; r < row; ++r) {
        total += lengthOf(m_rows[static_cast<std::size_t>(r)]);
    }
    if (total >= *start) {
        host.ShowError("データに矛盾があります");
        previous.Length = oldLength;
        return false;
    }
    return true;
}

void FieldSheet::Recalculate() {
    const int fieldRows = FieldRowCount();
    for (int row = 0; row < fieldRows; ++row) {
        FieldSheetRow& cells = m_rows[static_cast<std::size_t>(row)];
        if (Csv || IntegerOr(cells.Length, 0) <= 0) {
            cells.Length = "1";
        }
    }
    std::int64_t start = 1;
    for (FieldSheetRow& cells : m_rows) {
        cells.Start = std::to_string(start);
        start += lengthOf(cells);
    }
}

void FieldSheet::endWithEmptyRow() {
    if (m_rows.empty() || !isEmpty(m_rows.back())) {
        m_rows.emplace_back();
    }
}

std::vector<FieldSheetRow> FieldSheet::CopyRows(int top, int bottom) const {
    std::vector<FieldSheetRow> rows;
    for (int row = std::max(top, 0); row <= std::min(bottom, RowCount() - 1); ++row) {
        if (!m_rows[static_cast<std::size_t>(row)].Length.empty()) {
            rows.push_back(m_rows[static_cast<std::size_t>(row)]);
        }
    }
    return rows;
}

std::string FieldSheet::RowsText(int top, int bottom) const {
    std::string text;
    for (int row = std::max(top, 0); row <= std::min(bottom, RowCount() - 1); ++row) {
        if (m_rows[static_cast<std::size_t>(row)].Length.empty()) {
            continue;
        }
        if (!text.empty()) {
            text += "\r\n";
        }
        text += Cell(row, NumberColumn) + '\t' + Cell(row, NameColumn);
        if (!Csv) {
            text += '\t' + Cell(row, StartColumn) + '\t' + Cell(row, LengthColumn) + '\t' +
                    Cell(row, ColorColumn);
        }
    }
    return text;
}

void FieldSheet::PasteRows(const std::vector<FieldSheetRow>& rows, int row) {
    row = std::clamp(row, 0, RowCount() - 1);
    for (const FieldSheetRow& pasted : rows) {
        if (row >= RowCount()) {
            m_rows.emplace_back();
        }
        m_rows[static_cast<std::size_t>(row++)] = pasted;
    }
    endWithEmptyRow();
    Recalculate();
}

void FieldSheet::InsertRows(const std::vector<FieldSheetRow>& rows, int row, int times,
                            std::optional<int> serialStart) {
    std::vector<FieldSheetRow> blocks;
    for (int block = 0; block < times; ++block) {
        for (FieldSheetRow pasted : rows) {
            if (serialStart && *serialStart > 0) {
                pasted.Name += "-" + std::to_string(*serialStart + block);
            }
            blocks.push_back(std::move(pasted));
        }
    }
    row = std::clamp(row, 0, RowCount() - 1);
    m_rows.insert(m_rows.begin() + row, blocks.begin(), blocks.end());
    Recalculate();
}

void FieldSheet::InsertEmptyRows(int top, int bottom) {
    top = std::clamp(top, 0, RowCount() - 1);
    const int count = std::max(bottom - top + 1, 0);
    m_rows.insert(m_rows.begin() + top, static_cast<std::size_t>(count), FieldSheetRow());
}

bool FieldSheet::DeleteRows(int top, int bottom, UiHost& host) {
    top = std::max(top, 0);
    bottom = std::min(bottom, RowCount() - 1);
    if (top > bottom) {
        return false;
    }
    const std::string question = std::to_string(bottom - top + 1) +
                                 "件のレコードを削除します\r\n削除した情報を元に戻すことはできません"
                                 "\r\n削除してもよろしいですか？";
    if (!host.AskYesNo(question)) {
        return false;
    }
    m_rows.erase(m_rows.begin() + top, m_rows.begin() + bottom + 1);
    while (!m_rows.empty() && !IsDigits(m_rows.back().Length)) {
        m_rows.pop_back();
    }
    m_rows.emplace_back();
    Recalculate();
    return true;
}

std::string FieldSheet::CellsText(const FieldSheetRange& range) const {
    return JoinCellRange(range.Top, range.Left, range.Bottom, range.Right,
                         [this](int row, int column) { return Cell(row, column); });
}

void FieldSheet::pasteItems(const std::vector<std::string>& items, int row, int left) {
    while (row >= RowCount()) {
        m_rows.emplace_back();
    }
    FieldSheetRow& cells = m_rows[static_cast<std::size_t>(row)];
    for (std::size_t k = 0; k < items.size(); ++k) {
        const std::optional<std::int32_t> number = ToInteger(items[k]);
        switch (left + static_cast<int>(k)) {
        case NameColumn:
            cells.Name = items[k];
            break;
        case LengthColumn:
            cells.Length = number ? std::to_string(*number) : "1";
            break;
        case ColorColumn:
            cells.Color = number ? std::to_string(*number) : "0";
            break;
        default: // the number and the start follow from the rows
            break;
        }
    }
}

void FieldSheet::PasteCells(std::string_view text, int top, int left) {
    std::vector<std::string> items;
    int row = std::max(top, 0);
    for (const std::string_view line : linesOf(text)) {
        SplitFields(line, items, "\t");
        pasteItems(items, row++, left);
    }
    endWithEmptyRow();
    Recalculate();
}

void FieldSheet::ReadCsv(std::string_view bytes) {
    m_rows.clear();
    std::vector<std::string> items;
    int row = 0;
    for (const std::string_view line : linesOf(TextBeforeNul(bytes))) {
        if (SplitQuoted(line, items, ',', '"') > 0) {
            pasteItems(items, row++, NameColumn);
        }
    }
    endWithEmptyRow();
    Recalculate();
}

} // namespace ranvo
