#include "core/export/data_writer.h"

#include "core/loading/data_encoding.h"
#include "core/platform/file_io.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace ranvo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr CsvStyle kCsvCopyStyle{",", "\"", false};

} // namespace

std::optional<OutsideRange> ReadOutsideRange(const MainState& state) {
    OutsideRange outside;
    const ReadRange& range = state.Loaded.Range;
    if (!range.Enabled) {
        return outside;
    }
    std::optional<std::string> bytes = ReadFileBytes(state.DataFileName);
    if (!bytes) {
        return std::nullopt;
    }
    // Decoded in the file's own code: the parts are written back in it.
    // The file's characters got their codes when it was loaded: a copy of the map gives the same.
    CharacterMap characters = state.Characters;
    outside.text = DecodeDataFile(std::move(*bytes), state.Loaded.Code, characters).text;
    const TDefineClass& definition = state.Definition;
    std::vector<std::string_view> records;
    if (definition.FileFormat == "FB") {
        // The bytes before and after the range, each kept as one piece.
        std::string_view data = outside.text;
        if (data.ends_with(kLineEnd)) {
            data.remove_suffix(2);
        } else if (data.ends_with('\r') || data.ends_with('\n')) {
            data.remove_suffix(1);
        }
        const auto length = static_cast<std::size_t>(std::max(definition.RecordLength, 0));
        const std::size_t from = std::min(data.size(), length * static_cast<std::size_t>(std::max(range.From - 1, 0)));
        const std::size_t to = std::min(data.size(), length * static_cast<std::size_t>(std::max(range.To, 0)));
        outside.before = {data.substr(0, from)};
        outside.after = {data.substr(std::max(from, to))};
        return outside;
    }
    SplitLines(outside.text, records);
    const std::size_t first = definition.IsCsvFormat() && definition.TopTitle && !records.empty() ? 1 : 0;
    const std::size_t count = records.size() - first;
    const std::size_t from = std::min(count, static_cast<std::size_t>(std::max(range.From - 1, 0)));
    const std::size_t to = std::max(from, std::min(count, static_cast<std::size_t>(std::max(range.To, 0))));
    outside.before.assign(records.begin() + static_cast<std::ptrdiff_t>(first),
                          records.begin() + static_cast<std::ptrdiff_t>(first + from));
    outside.after.assign(records.begin() + static_cast<std::ptrdiff_t>(first + to), records.end());
    return outside;
}

int RecordRowEnd(const MainState& state) {
    return std::min(state.Grid.RowCount(), static_cast<int>(state.Records.size()) + 1);
}

namespace {

// A stored record rewritten for another layout: its field values, joined without separators
// (fixed) or by the CSV rules.
std::string convertRecord(const TDefineClass& definition, std::string_view record, TargetLayout layout,
                          std::vector<std::string>& values) {
    definition.SplitRecord(record, values);
    if (layout == TargetLayout::CsvCopy) {
        return BuildCsvLine(kCsvCopyStyle, values, false);
    }
    std::string joined;
    for (const std::string& value : values) {
        joined += value;
    }
    return joined;
}

class TextBuilder {
public:
    TextBuilder(const MainState& state, TargetLayout layout) : m_state(state), m_layout(layout) {}

    void outsideLines(const std::vector<std::string_view>& lines) {
        for (const std::string_view line : lines) {
            if (m_layout == TargetLayout::Own) {
                addLine(line);
            } else {
                addLine(convertRecord(m_state.Definition, line, m_layout, m_values));
            }
        }
    }

    void addLine(std::string_view line) {
        m_text += line;
        m_text += kLineEnd;
    }

    std::string take() { return std::move(m_text); }
    std::string& text() { return m_text; }

private:
    const MainState& m_state;
    TargetLayout m_layout;
    std::string m_text;
    std::vector<std::string> m_values;
};

bool writesCsv(const TDefineClass& definition, TargetLayout layout) {
    return layout == TargetLayout::CsvCopy ||
           (layout == TargetLayout::Own && !definition.IsFixedFormat());
}

} // namespace

std::optional<std::string> BuildDataText(const MainState& state, TargetLayout layout) {
    std::optional<OutsideRange> outside = ReadOutsideRange(state);
    if (!outside) {
        return std::nullopt;
    }
    const TDefineClass& definition = state.Definition;
    const DataGrid& grid = state.Grid;
    const int rows = RecordRowEnd(state);
    TextBuilder builder(state, layout);

    if (layout == TargetLayout::Own && definition.FileFormat == "FB") {
        // Records back to back on one line, ended by the one line end the format has.
        std::string& text = builder.text();
        for (const std::string_view piece : outside->before) {
            text += piece;
        }
        for (int row = 1; row < rows; ++row) {
            text += BuildRecordLine(definition, grid, row, false);
        }
        for (const std::string_view piece : outside->after) {
            text += piece;
        }
        text += kLineEnd;
        return builder.take();
    }

    const bool csv = writesCsv(definition, layout);
    const CsvStyle style = layout == TargetLayout::CsvCopy ? kCsvCopyStyle : CsvStyleOf(definition);
    if (csv && definition.TopTitle) {
        const std::vector<std::string>& names = definition.Conditions.empty()
                                                    ? std::vector<std::string>{}
                                                    : definition.Conditions[0].FieldName;
        builder.addLine(BuildCsvLine(style, names, true));
    }
    builder.outsideLines(outside->before);
    for (int row = 1; row < rows; ++row) {
        if (csv) {
            builder.addLine(BuildCsvRow(style, grid, row));
        } else {
            std::string line;
            for (int col = 1; col < grid.ColCount(); ++col) {
                line += grid.Cell(col, row);
            }
            builder.addLine(line);
        }
    }
    builder.outsideLines(outside->after);
    return builder.take();
}

WriteOutcome WriteDataFile(const MainState& state, const std::filesystem::path& target,
                           TargetLayout layout, const AcceptLoss& accept) {
    const std::optional<std::string> text = BuildDataText(state, layout);
    if (!text) {
        return WriteOutcome::Failed;
    }
    return WriteEncodedFile(target, *text, state.Loaded.Code, state.Utf8Bom, state.Characters,
                            accept);
}

} // namespace ranvo
