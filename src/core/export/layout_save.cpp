#include "core/export/layout_save.h"

#include "core/app/grid_queries.h"
#include "core/export/encoded_file.h"
#include "core/loading/data_encoding.h"
#include "core/platform/code_page.h"
#include "core/platform/file_io.h"
#include "core/platform/paths.h"
#include "core/text/number_text.h"
#include "core/text/sjis.h"
#include "core/text/csv_line.h"
#include "core/text/text_helpers.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace ranvo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// The ideographic space (CP932 81 40): what an HTML cell shows for an empty value.
constexpr std::string_view kWideSpace = "\x81\x40";
constexpr std::int32_t kFillerGrey = 0x505050;

// One record to export: a grid row, or a record of the stored file around the read range.
struct LayoutRecord {
    int Condition = 0;
    std::vector<std::string> Values;
    int RowHeight = 0;
    bool Stored = false;
    bool EmptyLine = false; // a stored line that was empty
};

// Visits the records in file order: the stored ones before the read range, the grid rows, the
// stored ones after. Hidden rows are left out when only visible cells are written.
class RecordSource {
public:
    RecordSource(const MainState& state, const LayoutOptions& options)
        : m_state(state), m_options(options) {}

    template <typename Visit>
    void forEach(Visit visit) const {
        LayoutRecord record;
        if (!m_options.OnlyLoaded) {
            visitStored(m_state.Outside.Before, visit, record);
        }
        const DataGrid& grid = m_state.Grid;
        CellList cells;
        for (int row = 1; grid.HasRecord(row); ++row) {
            if (m_options.VisibleOnly && grid.RowHeight(row) <= 0) {
                continue;
            }
            record.Condition = RowCondition(m_state, row);
            grid.CutRow(row, cells);
            record.Values.resize(cells.size());
            for (std::size_t i = 0; i < cells.size(); ++i) {
                record.Values[i].assign(cells[i]);
            }
            record.RowHeight = grid.RowHeight(row);
            record.Stored = false;
            record.EmptyLine = false;
            visit(record);
        }
        if (!m_options.OnlyLoaded) {
            visitStored(m_state.Outside.After, visit, record);
        }
    }

private:
    // The lines of a part of the file outside the read range; an FB part is cut into records of
    // its length, whole records only.
    template <typename Visit>
    void visitStored(std::string_view part, Visit& visit, LayoutRecord& record) const {
        const TDefineClass& definition = m_state.Definition;
        const auto visitOne = [&](std::string_view text) {
            record.Condition = definition.FindCondition(text);
            definition.SplitRecord(text, record.Values);
            record.RowHeight = m_state.Grid.DefaultRowHeight();
            record.Stored = true;
            record.EmptyLine = text.empty();
            visit(record);
        };
        const auto length = static_cast<std::size_t>(std::max(definition.RecordLength, 0));
        if (definition.FileFormat == "FB") {
            for (std::size_t pos = 0; length > 0 && pos + length <= part.size(); pos += length) {
                visitOne(part.substr(pos, length));
            }
            return;
        }
        LineCutter lines(part);
        for (std::string_view line; lines.Next(line);) {
            visitOne(line);
        }
    }

    const MainState& m_state;
    const LayoutOptions& m_options;
};

class SlotWriter {
public:
    SlotWriter(const MainState& state, const LayoutOptions& options) : m_state(state), m_options(options) {}

    // Hidden fields are left out when only visible cells are written; dummy fields never are.
    [[nodiscard]] bool skipped(const LayoutSlot& slot) const {
        return m_options.VisibleOnly && !slot.IsDummy() && m_state.Grid.ColWidth(slot.Source + 1) <= 0;
    }

    [[nodiscard]] bool columnExists(const LayoutSlot& slot) const {
        return slot.Source + 1 < m_state.Grid.ColCount();
    }

    [[nodiscard]] std::string value(const LayoutRecord& record, const LayoutSlot& slot) const {
        if (slot.IsDummy() || slot.Source >= static_cast<int>(record.Values.size())) {
            return {};
        }
        const std::string& raw = record.Values[static_cast<std::size_t>(slot.Source)];
        return m_options.Filter ? m_state.FilterMng.Translate(record.Condition, slot.Source, raw) : raw;
    }

private:
    const MainState& m_state;
    const LayoutOptions& m_options;
};

bool hasEnabledSlot(const OutputLayout& layout, int condition) {
    const LayoutSlotList* list = layout.List(condition);
    return list != nullptr &&
           std::any_of(list->Slots.begin(), list->Slots.end(), [](const LayoutSlot& s) { return s.Enabled; });
}

const std::vector<LayoutSlot>& slotsOf(const OutputLayout& layout, int condition) {
    static const std::vector<LayoutSlot> none;
    const LayoutSlotList* list = layout.List(condition);
    return list != nullptr ? list->Slots : none;
}

// The fixed-length form of a value: filled to the width on one side and cut to it.
std::string fitted(std::string_view value, const LayoutSlot& slot) {
    const auto width = static_cast<std::size_t>(std::max(slot.Width, 0));
    const std::string fill(width, slot.Fill);
    if (slot.FillFront) {
        const std::string padded = fill + std::string(value);
        return padded.substr(padded.size() - width);
    }
    return (std::string(value) + fill).substr(0, width);
}

std::string colorText(std::int32_t color) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%.2X%.2X%.2X", static_cast<unsigned>(color & 0xFF),
                  static_cast<unsigned>((color >> 8) & 0xFF), static_cast<unsigned>((color >> 16) & 0xFF));
    return text.data();
}

std::string_view extensionOf(LayoutForm form) {
    switch (form) {
    case LayoutForm::Csv: return ".csv";
    case LayoutForm::Html: return ".htm";
    default: return ".txt";
    }
}

std::string_view choiceFilterOf(LayoutForm form) {
    switch (form) {
    case LayoutForm::Csv: return "CSVファイル(*.csv)|*.csv|全てのファイル(*.*)|*.*";
    case LayoutForm::Html: return "HTMLファイル(*.htm)|*.htm|全てのファイル(*.*)|*.*";
    default: return "テキストファイル(*.txt)|*.txt|全てのファイル(*.*)|*.*";
    }
}

} // namespace

OutputLayout::OutputLayout(const MainState& state) {
    const TDefineClass& definition = state.Definition;
    const int dataColumns = state.Grid.ColCount() - 1;
    for (std::size_t i = 0; i < definition.Conditions.size(); ++i) {
        const int condition = static_cast<int>(i);
        LayoutSlotList& list = m_lists.emplace_back();
        const int fields = FieldCount(definition, condition);
        for (int j = 0; j < fields; ++j) {
            LayoutSlot& slot = list.Slots.emplace_back();
            slot.Source = j;
            slot.Width = definition.GetFieldLength(condition, j);
            slot.Name = definition.GetFieldName(condition, j);
        }
        for (int j = fields; definition.IsCsvFormat() && j < dataColumns; ++j) {
            LayoutSlot& slot = list.Slots.emplace_back();
            slot.Source = j;
            slot.Name = "Col" + std::to_string(j + 1);
        }
    }
}

const LayoutSlotList* OutputLayout::List(int condition) const {
    return condition >= 0 && condition < static_cast<int>(m_lists.size())
               ? &m_lists[static_cast<std::size_t>(condition)]
               : nullptr;
}

int OutputLayout::AddDummy(int condition) {
    if (List(condition) == nullptr) {
        return -1;
    }
    LayoutSlotList& list = m_lists[static_cast<std::size_t>(condition)];
    LayoutSlot& slot = list.Slots.emplace_back();
    slot.Name = "[ダミーフィールド - " + std::to_string(++list.DummyCount) + "]";
    return static_cast<int>(list.Slots.size()) - 1;
}

int OutputLayout::MoveUp(int condition, int slot) {
    if (List(condition) == nullptr || slot < 1 || slot >= static_cast<int>(List(condition)->Slots.size())) {
        return slot;
    }
    std::vector<LayoutSlot>& slots = m_lists[static_cast<std::size_t>(condition)].Slots;
    std::swap(slots[static_cast<std::size_t>(slot)], slots[static_cast<std::size_t>(slot - 1)]);
    return slot - 1;
}

int OutputLayout::MoveDown(int condition, int slot) {
    if (List(condition) == nullptr || slot < 0 || slot + 1 >= static_cast<int>(List(condition)->Slots.size())) {
        return slot;
    }
    std::vector<LayoutSlot>& slots = m_lists[static_cast<std::size_t>(condition)].Slots;
    std::swap(slots[static_cast<std::size_t>(slot)], slots[static_cast<std::size_t>(slot + 1)]);
    return slot + 1;
}

std::string BuildLayoutCsv(const MainState& state, const OutputLayout& layout,
                                          const LayoutOptions& options, const CsvLayout& csv) {
    const SlotWriter writer(state, options);
    const CsvStyle style{csv.TabSeparator ? std::string_view("\t") : std::string_view(csv.Separator), csv.Quote,
                         csv.QuoteAlways};
    std::string text;
    // Each written value is followed by the separator, and the last separator is dropped.
    const auto addLine = [&](const std::vector<std::string>& values, bool keepEmpty) {
        std::string line;
        for (std::size_t k = 0; k < values.size(); ++k) {
            if (k > 0) {
                line += style.Separate;
            }
            AppendCsvValue(line, values[k], style);
        }
        if (!line.empty() || keepEmpty) {
            text.append(line).append(kLineEnd);
        }
    };
    std::vector<std::string> values;
    if (csv.Title) {
        const std::vector<LayoutSlot>& slots = slotsOf(layout, csv.TitleCondition);
        const TDefineClass& definition = state.Definition;
        const std::vector<std::string> names =
            csv.TitleCondition >= 0 && csv.TitleCondition < static_cast<int>(definition.Conditions.size())
                ? definition.Conditions[static_cast<std::size_t>(csv.TitleCondition)].FieldName
                : std::vector<std::string>();
        std::size_t last = names.size();
        while (last > 1 && names[last - 1].empty()) {
            --last;
        }
        for (std::size_t i = 0; i < std::max<std::size_t>(last, 1) && i < slots.size(); ++i) {
            const LayoutSlot& slot = slots[i];
            if (!slot.Enabled || writer.skipped(slot)) {
                continue;
            }
            std::string name = !slot.IsDummy() && slot.Source < static_cast<int>(names.size())
                                   ? names[static_cast<std::size_t>(slot.Source)]
                                   : std::string();
            values.emplace_back(csv.Trim ? Trim(name) : std::string_view(name));
        }
        // A title of nothing but empty names is no line.
        addLine(values, false);
    }
    RecordSource(state, options).forEach([&](const LayoutRecord& record) {
        const std::vector<LayoutSlot>& slots = slotsOf(layout, record.Condition);
        std::size_t last = record.Values.size();
        while (last > 0 && record.Values[last - 1].empty()) {
            --last;
        }
        values.clear();
        for (std::size_t i = 0; i < last && i < slots.size(); ++i) {
            const LayoutSlot& slot = slots[i];
            if (slot.Enabled && !writer.skipped(slot)) {
                const std::string value = writer.value(record, slot);
                values.emplace_back(csv.Trim ? Trim(value) : std::string_view(value));
            }
        }
        addLine(values, record.Stored && record.EmptyLine);
    });
    return text;
}

std::string BuildLayoutFixed(const MainState& state, const OutputLayout& layout,
                                            const LayoutOptions& options, const FixedLayout& fixed) {
    const SlotWriter writer(state, options);
    std::string text;
    RecordSource(state, options).forEach([&](const LayoutRecord& record) {
        if (!hasEnabledSlot(layout, record.Condition)) {
            return;
        }
        std::string line;
        std::size_t realWritten = 0;
        for (const LayoutSlot& slot : slotsOf(layout, record.Condition)) {
            if (!slot.Enabled || !writer.columnExists(slot) || writer.skipped(slot)) {
                continue;
            }
            const std::string value = writer.value(record, slot);
            line += fitted(slot.Trim ? Trim(value) : std::string_view(value), slot);
            // A record writes no more real fields than it has values.
            if (!slot.IsDummy() && ++realWritten >= record.Values.size()) {
                break;
            }
        }
        if (fixed.NewLine) {
            text.append(line).append(kLineEnd);
            return;
        }
        for (const char c : line) {
            if (c != '\r' && c != '\n') {
                text += c;
            }
        }
    });
    if (!fixed.NewLine) {
        text += kLineEnd;
    }
    return text;
}

namespace {

// The cells of HTML table rows; values are escaped so that a "<" or "&" in the data cannot
// break the table.
class HtmlRowWriter {
public:
    HtmlRowWriter(const MainState& state, const LayoutOptions& options, const HtmlLayout& html)
        : m_state(state), m_writer(state, options), m_html(html) {
        if (html.StyleSheet) {
            const FontSetting& font = state.Settings.EditorFont;
            m_fontStyle = "STYLE = \"font-size:" + std::to_string(font.Size) + "pt; font-family:" + font.Name + ";\"";
        }
    }

    [[nodiscard]] std::string cells(const LayoutRecord& record, const std::vector<LayoutSlot>& slots,
                                    bool values) const {
        const TDefineClass& definition = m_state.Definition;
        const DataGrid& grid = m_state.Grid;
        const std::size_t columns = static_cast<std::size_t>(std::max(grid.ColCount() - 1, 0));
        const bool known = record.Condition >= 0 &&
                           record.Condition < static_cast<int>(definition.Conditions.size());
        std::string rowColor =
            color(known ? definition.Conditions[static_cast<std::size_t>(record.Condition)].ConditionColor : 0);
        std::string fontColor;
        std::string text;
        for (std::size_t i = 0; i < slots.size() || i < columns; ++i) {
            if (i >= record.Values.size() || i >= slots.size() || i >= columns) {
                rowColor = colorText(kFillerGrey);
                text += "\t\t<td BGCOLOR = \"" + rowColor + "\" " + cellStyle(static_cast<int>(i) + 1, record) +
                        "><FONT COLOR = \"" + fontColor + "\" " + m_fontStyle + ">" + std::string(kWideSpace) +
                        "</td>" + std::string(kLineEnd);
                continue;
            }
            const LayoutSlot& slot = slots[i];
            if (!slot.Enabled || !m_writer.columnExists(slot) || m_writer.skipped(slot)) {
                continue;
            }
            std::string value;
            if (slot.IsDummy()) {
                value = kWideSpace;
                fontColor = "#000000";
            } else {
                value = values ? m_writer.value(record, slot) : record.Values[static_cast<std::size_t>(slot.Source)];
                fontColor = color(definition.GetFieldColor(record.Condition, slot.Source, 0));
            }
            if (Trim(value).empty()) {
                value = kWideSpace;
            }
            const int column = slot.IsDummy() ? static_cast<int>(i) + 1 : slot.Source + 1;
            text += "\t\t<td BGCOLOR = \"" + rowColor + "\" " + cellStyle(column, record) + "><FONT COLOR = \"" +
                    fontColor + "\" " + m_fontStyle + ">" + XmlEscape(value) + "</td>" + std::string(kLineEnd);
        }
        return text;
    }

private:
    [[nodiscard]] std::string color(std::int32_t value) const {
        return colorText(m_html.ResolveColor(value));
    }

    [[nodiscard]] std::string cellStyle(int column, const LayoutRecord& record) const {
        if (!m_html.StyleSheet) {
            return {};
        }
        return "STYLE = \"width:" + std::to_string(m_state.Grid.ColWidth(column)) +
               "; height:" + std::to_string(record.RowHeight) + ";\"";
    }

    const MainState& m_state;
    SlotWriter m_writer;
    const HtmlLayout& m_html;
    std::string m_fontStyle;
};

} // namespace

std::string BuildLayoutHtml(const MainState& state, const OutputLayout& layout,
                                           const LayoutOptions& options, const HtmlLayout& html,
                                           const std::filesystem::path& outputPath) {
    const HtmlRowWriter rows(state, options, html);
    std::string text;
    const auto addLine = [&text](std::string_view line) { text.append(line).append(kLineEnd); };
    for (const std::string& line :
         {std::string("<HTML>"), std::string("<TITLE>"),
          std::string(kWideSpace) + std::string(kWideSpace) + XmlEscape(PathToCp932(outputPath)),
          std::string("</TITLE>"), std::string("<BODY>"), std::string("<TABLE BORDER = \"1\">")}) {
        addLine(line);
    }
    if (html.Title) {
        // Each slot of the title row shows its own name.
        LayoutRecord title;
        title.Condition = html.TitleCondition;
        title.RowHeight = state.Grid.DefaultRowHeight();
        const std::vector<LayoutSlot>& slots = slotsOf(layout, html.TitleCondition);
        for (const LayoutSlot& slot : slots) {
            if (!slot.IsDummy()) {
                title.Values.resize(std::max(title.Values.size(), static_cast<std::size_t>(slot.Source) + 1));
                title.Values[static_cast<std::size_t>(slot.Source)] = slot.Name;
            }
        }
        addLine("<TR>");
        addLine(rows.cells(title, slots, false));
        addLine("</TR>");
    }
    RecordSource(state, options).forEach([&](const LayoutRecord& record) {
        if (!hasEnabledSlot(layout, record.Condition)) {
            return;
        }
        addLine(record.Stored ? "\t<tr>" : "<TR>");
        addLine(rows.cells(record, slotsOf(layout, record.Condition), true));
        addLine("\t</tr>");
    });
    for (const char* line : {"</TABLE>", "</BODY>", "</HTML>"}) {
        addLine(line);
    }
    return text;
}

bool CommitSlotSettings(LayoutSlot& slot, std::string_view widthText, std::string_view fillText,
                        bool fillFront, bool trim, UiHost& host) {
    const std::optional<std::int32_t> width = ToInteger(widthText);
    if (!width || *width <= 0) {
        host.ShowError("レコード長が不正です");
        return false;
    }
    if (fillText.size() != 1) {
        host.ShowError("埋める文字は、１バイトで指定して下さい");
        return false;
    }
    slot.Width = *width;
    slot.Fill = fillText[0];
    slot.FillFront = fillFront;
    slot.Trim = trim;
    return true;
}

bool SaveLayout(const MainState& state, UiHost& host, const OutputLayout& layout, LayoutForm form,
                const LayoutOptions& options, const CsvLayout& csv, const HtmlLayout& html,
                const FixedLayout& fixed) {
    const auto refuse = [&host](std::string_view message) {
        host.ShowError(message);
        return false;
    };
    constexpr std::string_view kNoTitleCondition = "タイトル行として出力する定義が選択されていません";
    if (form == LayoutForm::Csv) {
        const std::string_view separator = csv.Separator;
        if (!csv.TabSeparator && (separator.empty() || CharLength(separator, 0) != separator.size())) {
            return refuse("セパレータの指定は必須です");
        }
        if (csv.Title && csv.TitleCondition < 0) {
            return refuse(kNoTitleCondition);
        }
    }
    if (form == LayoutForm::Html && html.Title && html.TitleCondition < 0) {
        return refuse(kNoTitleCondition);
    }
    std::filesystem::path proposed = state.DataFileName;
    proposed.replace_extension(extensionOf(form));
    const std::optional<std::filesystem::path> path =
        host.ChooseSaveFile({"形式を指定して保存", std::string(choiceFilterOf(form)), proposed});
    if (!path) {
        return false;
    }
    if (PathExists(*path) && !host.AskYesNo("同名のファイルが既に存在します\r\n上書きしますか？")) {
        return false;
    }
    WriteOutcome outcome = WriteOutcome::Failed;
    {
        const BusyGuard busy(host);
        std::string text;
        switch (form) {
        case LayoutForm::Csv: text = BuildLayoutCsv(state, layout, options, csv); break;
        case LayoutForm::Html: text = BuildLayoutHtml(state, layout, options, html, *path); break;
        case LayoutForm::Fixed: text = BuildLayoutFixed(state, layout, options, fixed); break;
        }
        outcome = WriteEncodedFile(*path, text, options.Code, false, state.Characters,
                                   [&host](std::size_t lost) { return AskToWriteLostCharacters(host, lost); });
    }
    if (outcome == WriteOutcome::Failed) {
        return refuse("保存に失敗しました");
    }
    if (outcome == WriteOutcome::Declined) {
        return false;
    }
    host.ShowInformation("保存しました");
    return true;
}

} // namespace ranvo
