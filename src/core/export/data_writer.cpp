#include "core/export/data_writer.h"

#include "core/definitions/definition_layout.h"
#include "core/export/data_sink.h"
#include "core/text/csv_line.h"
#include "core/text/text_helpers.h"
#include "core/text/text_lines.h"

#include <vector>

namespace ranvo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr CsvStyle kCsvCopyStyle{",", "\"", false};

// Writes records in the target layout: as stored in the file's own layout, otherwise cut into
// their cells and joined again.
class RecordWriter {
public:
    RecordWriter(const MainState& state, TargetLayout layout, const std::function<void(std::string_view)>& piece)
        : m_state(state), m_layout(layout), m_piece(piece), m_cutter(LayoutOf(state.Definition)) {}

    void line(std::string_view text) {
        m_piece(text);
        m_piece(kLineEnd);
    }

    void stored(int condition, std::string_view text) {
        if (m_layout == TargetLayout::Own) {
            line(text);
            return;
        }
        m_cutter.Cut(text, condition, m_cells);
        if (m_layout == TargetLayout::CsvCopy) {
            line(BuildCsvLine(kCsvCopyStyle, m_cells, false));
        } else {
            for (std::size_t i = 0; i < m_cells.size(); ++i) {
                m_piece(m_cells[i]);
            }
            m_piece(kLineEnd);
        }
    }

    // A part of the file outside the read range: its lines, or for FB its records of RecordLength
    // bytes (the last one may be shorter), each tagged as the loader tags it.
    void outside(std::string_view part) {
        const TDefineClass& definition = m_state.Definition;
        if (definition.FileFormat == "FB") {
            const auto length = static_cast<std::size_t>(std::max(definition.RecordLength, 1));
            for (std::size_t pos = 0; pos < part.size(); pos += length) {
                const std::string_view record = part.substr(pos, length);
                stored(definition.FindCondition(record), record);
            }
            return;
        }
        LineCutter cutter(part);
        for (std::string_view record; cutter.Next(record);) {
            stored(m_layout == TargetLayout::Own ? 0 : definition.FindCondition(record), record);
        }
    }

private:
    const MainState& m_state;
    TargetLayout m_layout;
    const std::function<void(std::string_view)>& m_piece;
    RecordLayout m_cutter;
    CellList m_cells;
};

bool writesCsv(const TDefineClass& definition, TargetLayout layout) {
    return layout == TargetLayout::CsvCopy || (layout == TargetLayout::Own && !definition.IsFixedFormat());
}

// The title line: as it was read while the titles are what it gave, else written from them.
std::string titleLine(const MainState& state, const CsvStyle& style, TargetLayout layout) {
    const std::vector<std::string>& names =
        state.Definition.Conditions.empty() ? std::vector<std::string>{} : state.Definition.Conditions[0].FieldName;
    if (layout == TargetLayout::Own && !state.TitleLine.empty()) {
        std::vector<std::string> read;
        if (state.Definition.FileFormat == "CS") {
            SplitFields(state.TitleLine, read, state.Definition.Separate);
        } else {
            SplitQuoted(state.TitleLine, read, style.Separate.empty() ? ',' : style.Separate[0],
                        style.Quote.empty() ? '\0' : style.Quote[0]);
        }
        if (read == names) {
            return state.TitleLine;
        }
    }
    return BuildCsvLine(style, names, true);
}

} // namespace

void ForEachDataPiece(const MainState& state, TargetLayout layout,
                      const std::function<void(std::string_view)>& piece) {
    const TDefineClass& definition = state.Definition;
    const RecordList& records = state.Grid.Records();
    if (layout == TargetLayout::Own && definition.FileFormat == "FB") {
        // Records back to back on one line, ended by the one line end the format has.
        piece(state.Outside.Before);
        for (std::size_t i = 0; i < records.size(); ++i) {
            piece(records.Text(i));
        }
        piece(state.Outside.After);
        piece(kLineEnd);
        return;
    }
    RecordWriter writer(state, layout, piece);
    if (writesCsv(definition, layout) && definition.TopTitle) {
        // The style views the layout's separator and quote: the layout must outlive it.
        const RecordLayout own = LayoutOf(definition);
        const CsvStyle style = layout == TargetLayout::CsvCopy ? kCsvCopyStyle : own.Style();
        writer.line(titleLine(state, style, layout));
    }
    writer.outside(state.Outside.Before);
    for (std::size_t i = 0; i < records.size(); ++i) {
        writer.stored(records.Condition(i), records.Text(i));
    }
    writer.outside(state.Outside.After);
}

std::string BuildDataText(const MainState& state, TargetLayout layout) {
    std::string text;
    ForEachDataPiece(state, layout, [&](std::string_view piece) { text += piece; });
    return text;
}

WriteResult WriteDataFile(const MainState& state, const std::filesystem::path& target, TargetLayout layout) {
    DataFileSink sink(target, state.Loaded.Code, state.Utf8Bom);
    ForEachDataPiece(state, layout, [&](std::string_view piece) { sink.Add(piece); });
    const bool written = sink.Finish();
    return {written, sink.LostCharacters()};
}

} // namespace ranvo
