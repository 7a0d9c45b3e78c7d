#include "core/model/model_checks.h"

#include "core/export/data_writer.h"
#include "core/loading/data_encoding.h"
#include "core/loading/grid_fill.h"
#include "core/loading/record_loader.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"

#include <algorithm>

namespace ranvo::test {

std::optional<std::string> CompareRecords(const RecordList& list,
                                          const std::vector<RefRecord>& expected,
                                          std::string_view what) {
    for (std::size_t i = 0; i < std::max(list.size(), expected.size()); ++i) {
        if (i < list.size() && i < expected.size() && list.Condition(i) == expected[i].condition &&
            list.Text(i) == expected[i].text) {
            continue;
        }
        const std::string got = i < list.size()
                                    ? Shown(RefRecord{list.Condition(i), std::string(list.Text(i))})
                                    : "none";
        const std::string want = i < expected.size() ? Shown(expected[i]) : "none";
        return std::string(what) + ": record " + std::to_string(i + 1) + " is " + got +
               ", the model's " + want;
    }
    return std::nullopt;
}

std::optional<std::string> CompareCells(const ReferenceFile& file, const DataGrid& grid,
                                        const std::vector<RefRecord>& records,
                                        std::string_view what) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const std::vector<std::string> cells = file.Cells(records[i]);
        if (cells.size() > static_cast<std::size_t>(grid.ColCount() - 1)) {
            return std::string(what) + ": row " + std::to_string(row) + " has " +
                   std::to_string(cells.size()) + " cells, the grid " +
                   std::to_string(grid.ColCount() - 1) + " columns";
        }
        for (int col = 1; col < grid.ColCount(); ++col) {
            const auto index = static_cast<std::size_t>(col) - 1;
            const std::string want = index < cells.size() ? cells[index] : "";
            if (grid.Cell(col, row) != want) {
                return std::string(what) + ": cell " + std::to_string(col) + "," +
                       std::to_string(row) + " is " + Shown(grid.Cell(col, row)) +
                       ", the model's " + Shown(want);
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> CheckWrittenAndRead(const ReferenceFile& file, const MainState& state,
                                               const std::vector<RefRecord>& records,
                                               std::string_view titleLine,
                                               const std::filesystem::path& path) {
    const auto writeAnyway = [](std::size_t) { return true; };
    if (WriteDataFile(state, path, TargetLayout::Own, writeAnyway) != WriteOutcome::Written) {
        return "the records could not be written";
    }
    const KanjiCode code = state.Loaded.Code;
    const std::string text = file.FileText(records, titleLine);
    const std::string bytes = EncodeDataFile(text, code, false, state.Characters).bytes;
    if (ReadBytes(path) != bytes) {
        return "written: " + Shown(HeldText(ReadBytes(path), code)) + ", the model's " +
               Shown(text);
    }
    MainState read(AppHome(), TRanvoSetting::Defaults());
    read.Definition = state.Definition;
    RecordList list;
    LoadReport report;
    if (!ReadRecords(path, state.Loaded, read.Definition, list, report)) {
        return "the written file could not be read";
    }
    const std::vector<RefRecord> expected = file.Load(HeldText(bytes, code));
    if (std::optional<std::string> failure = CompareRecords(list, expected, "read back")) {
        return failure;
    }
    read.Grid.SetRecords(std::move(list));
    FakeUiHost host;
    if (!FillGrid(read, host)) {
        return "the written file could not be shown";
    }
    return CompareCells(file, read.Grid, expected, "read back");
}

std::string HeldText(const std::string& bytes, KanjiCode code) {
    CharacterMap characters;
    return DecodeDataFile(bytes, code, characters).text;
}

} // namespace ranvo::test
