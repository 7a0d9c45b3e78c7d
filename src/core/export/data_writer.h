#pragma once

// Writing the grid to a data file: in the file's own layout, or converted between fixed-length
// and CSV. Rows become record text through the record line builder; with a read range, the parts
// of the stored file outside it are written around the rows, so that saving a range never loses
// the rest of the file. The text is encoded in the file's character code and written through a
// temporary file, so a failed write leaves the old file as it was.

#include "core/editing/record_line.h"
#include "core/export/encoded_file.h"
#include "core/state/main_state.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

enum class TargetLayout {
    Own,      // the file's own layout: its lines outside the read range are kept as they are
    CsvCopy,  // a fixed-length file's records as CSV ("," and a double quote, quoted as needed)
    Fixed,    // a CSV file's records as fixed-length lines: each row's cells joined
};

// The stored file's records around the read range, cut as the loader cut them: lines, or for an
// FB file the bytes before and after the range (one piece each). Both lists are empty when no
// read range is in force.
struct OutsideRange {
    std::string text; // the decoded stored file; the views below point into it
    std::vector<std::string_view> before;
    std::vector<std::string_view> after;
};

// Nothing when the stored file cannot be read.
[[nodiscard]] std::optional<OutsideRange> ReadOutsideRange(const MainState& state);

// The grid rows that hold a record: after every record was cut, the grid keeps one empty row to
// type into, which is no record of the file. Rows 1 to the answer minus 1.
[[nodiscard]] int RecordRowEnd(const MainState& state);

// The file's text (before encoding) as the layout writes it; nothing when the stored file that
// the parts outside the read range come from cannot be read.
[[nodiscard]] std::optional<std::string> BuildDataText(const MainState& state, TargetLayout layout);

// Builds, encodes and writes the file, asking `accept` first when characters would be lost;
// Failed when anything fails (the target is then untouched).
[[nodiscard]] WriteOutcome WriteDataFile(const MainState& state,
                                         const std::filesystem::path& target, TargetLayout layout,
                                         const AcceptLoss& accept);

} // namespace ranvo
