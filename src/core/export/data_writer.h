#pragma once

// Writing the records to a data file: in the file's own layout, or converted between fixed-length
// and CSV. In its own layout a record is written as it is stored (an unchanged file comes back
// byte for byte; an edited record was rewritten by its edit). With a read range, the rest of the
// file as it was read is written around the records, so that saving a range never loses it. The
// text is encoded in the file's character code piece by piece and written through a temporary
// file, so a failed write leaves the old file as it was.

#include "core/export/encoded_file.h"
#include "core/state/main_state.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ranvo {

enum class TargetLayout {
    Own,      // the file's own layout, with the rest of a read-range file around the records
    CsvCopy,  // a fixed-length file's records as CSV ("," and a double quote, quoted as needed)
    Fixed,    // a CSV file's records as fixed-length lines: each record's cells joined
};

// Hands over the file's text as the layout writes it, piece by piece in order: the pieces joined
// are the file (line ends included; an FB file in its own layout is its records back to back on
// one line).
void ForEachDataPiece(const MainState& state, TargetLayout layout,
                      const std::function<void(std::string_view)>& piece);

// The file's text (before encoding) as the layout writes it.
[[nodiscard]] std::string BuildDataText(const MainState& state, TargetLayout layout);

// The character code a file is written in, and whether a UTF-8 file begins with its mark.
struct FileCode {
    KanjiCode Code = KanjiCode::ShiftJis;
    bool Utf8Bom = false;
};

// Builds, encodes and writes the file, in the loaded file's own code or in `code`, asking `accept`
// before it takes the target's place when characters had no form in the code; Failed (and the
// target untouched) when anything fails.
[[nodiscard]] WriteOutcome WriteDataFile(const MainState& state, const std::filesystem::path& target,
                                         TargetLayout layout, const AcceptLoss& accept);
[[nodiscard]] WriteOutcome WriteDataFile(const MainState& state, const std::filesystem::path& target,
                                         TargetLayout layout, const FileCode& code, const AcceptLoss& accept);

} // namespace ranvo
