// The cells the grid reads from the records on demand are byte for byte what filling a row by the
// fill rules gives: a fixed-length row is consecutive slices of its condition's field lengths
// (FieldStart plays no part), a CS row is cut at the separator, a CT row at the separator outside
// quotes. The reference below applies those rules to the decoded record texts, independently of
// the record layout, for every layout and character code.

#include "core/loading/data_encoding.h"
#include "core/loading/definition_builder.h"
#include "core/loading/grid_fill.h"
#include "core/loading/record_loader.h"
#include "core/text/text_helpers.h"
#include "core/text/text_lines.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>

namespace ranvo {
namespace {

using Row = std::vector<std::string>;

// The fill rules, applied to one record of `condition`.
Row referenceCells(const TDefineClass& definition, int condition, std::string_view record) {
    Row cells;
    if (definition.IsFixedFormat()) {
        std::size_t start = 0;
        const auto& fields = definition.Conditions[static_cast<std::size_t>(condition)];
        for (std::size_t j = 0; j < fields.FieldName.size(); ++j) {
            const auto length = static_cast<std::size_t>(std::max(definition.GetFieldLength(condition, static_cast<int>(j)), 0));
            cells.emplace_back(start < record.size() ? record.substr(start, length) : std::string_view{});
            start = std::min(start + length, record.size());
        }
    } else if (definition.FileFormat == "CS") {
        SplitFields(record, cells, definition.Separate);
    } else {
        SplitQuoted(record, cells, definition.Separate[0], definition.Quote[0]);
    }
    return cells;
}

// Text the codes can all carry: ASCII, separators, quotes, kanji, kana whose trail bytes look like
// ASCII letters and punctuation, and half-width katakana (not JIS, which writes them full-width).
std::string randomText(std::mt19937& random, bool halfWidthKana) {
    static const std::string pieces[] = {"a", "Z", "1", " ", ",", "\"", "\xE4\xA0" /* 蕎 */,
                                         "\x83\x41", "\x83\x61", "\x95\x5C", "\x88\x9F", "\x83\x7C"};
    std::string text;
    for (int k = static_cast<int>(random() % 9); k > 0; --k) {
        text += halfWidthKana && random() % 7 == 0 ? std::string("\xB1") : pieces[random() % std::size(pieces)];
    }
    return text;
}

struct Layout {
    std::string name;
    TDefineClass definition;
};

std::vector<Layout> layouts() {
    using test::DefinitionBuilder;
    std::vector<Layout> all;
    all.push_back({"FL", DefinitionBuilder("FL").condition("", 1, {{"a", 3}, {"b", 2}, {"c", 4}})
                             .condition("H", 1, {{"k", 1}, {"v", 5}}).build()});
    all.push_back({"FB", DefinitionBuilder("FB", 9).condition("", 1, {{"a", 4}, {"b", 5}})
                             .condition("H", 1, {{"k", 1}, {"v", 8}}).build()});
    all.push_back({"CS", DefinitionBuilder("CS").condition("", 1, {}).condition("H", 1, {{"k", 1}}).build()});
    all.push_back({"CT", DefinitionBuilder("CT").condition("", 1, {}).condition("H", 1, {{"k", 1}}).build()});
    return all;
}

class CellsOnDemand : public ::testing::TestWithParam<KanjiCode> {};

TEST_P(CellsOnDemand, AreWhatTheFillRulesGiveForEveryLayout) {
    const KanjiCode code = GetParam();
    std::mt19937 random(static_cast<unsigned>(code) + 17);
    test::TempDir dir;
    for (Layout& layout : layouts()) {
        for (int round = 0; round < 20; ++round) {
            // The records as the file holds them, in CP932; CT lines must each yield a value.
            std::string text;
            for (int k = 0; k < 30; ++k) {
                std::string record = (random() % 3 == 0 ? "H" : "") + randomText(random, code != KanjiCode::Jis);
                if (layout.name == "FB") {
                    record.resize(9, ' ');
                } else if (layout.name == "CT" && (record.empty() || record[0] == '"')) {
                    record.insert(0, "x");
                }
                for (char& c : record) {
                    c = c == '\r' || c == '\n' ? ' ' : c;
                }
                text += record;
                text += layout.name == "FB" ? "" : "\r\n";
            }
            const std::string bytes = EncodeDataFile(text, code, false, CharacterMap()).bytes;
            test::WriteBytes(dir / "data", bytes);
            MainState state(AppHome(), TRanvoSetting::Defaults());
            state.Definition = layout.definition;
            RecordList records;
            LoadReport report;
            ASSERT_TRUE(ReadRecords(dir / "data", {code, {}}, state.Definition, records, report));
            state.Grid.SetRecords(std::move(records));
            test::FakeUiHost host;
            ASSERT_TRUE(FillGrid(state, host)) << layout.name;
            const DataGrid& grid = state.Grid;
            for (int row = 1; row < grid.RowCount(); ++row) {
                const Row expected = referenceCells(state.Definition, grid.RowCondition(row), grid.RecordText(row));
                for (int col = 1; col < grid.ColCount(); ++col) {
                    const std::string_view want =
                        static_cast<std::size_t>(col) <= expected.size() ? std::string_view(expected[col - 1]) : "";
                    ASSERT_EQ(grid.Cell(col, row), want) << layout.name << " row " << row << " col " << col;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCode, CellsOnDemand,
                         ::testing::Values(KanjiCode::ShiftJis, KanjiCode::Euc, KanjiCode::Jis,
                                           KanjiCode::Unicode, KanjiCode::Utf8));

} // namespace
} // namespace ranvo
