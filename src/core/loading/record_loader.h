#pragma once

// Reading a data file into the record list: decoding its character code to CP932, cutting it
// into records (lines, or pieces of RecordLength bytes for FB), taking CSV titles from the first
// line, keeping the chosen range, and tagging each record with its condition. Fixed-length
// records are brought to their condition's byte length.
//
// The file is read once into one buffer (decoded once more for codes other than Shift_JIS), and
// the records are views into that text, which the record list keeps: only a record that had to be
// padded is copied. Every byte of the file is kept: a NUL is an ordinary byte of a record, and an
// FB file is all its bytes except one line end at its very end (the one the FB writer adds).

#include "core/definitions/define_class.h"
#include "core/grid/record_list.h"
#include "core/platform/paths.h"
#include "core/platform/ui_host.h"
#include "core/state/load_options.h"
#include "core/state/main_state.h"
#include "core/state/outside_range.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace ranvo {

struct LoadReport {
    // A fixed-length record was not as long as its condition and was padded or cut.
    bool LengthMismatch = false;
    // Characters that could not be read, or that CP932 cannot hold when no code of the map was
    // left for them; they became "?".
    std::size_t LostCharacters = 0;
    // The UTF-8 file began with a byte order mark (dropped from the first record).
    bool Utf8Bom = false;
    // With a read range, the rest of the file; a CSV file's title line; the file as it was read.
    OutsideRange Outside;
    std::string TitleLine;
    FileStamp Stamp;
    // The codes the file's characters that CP932 cannot hold were given.
    CharacterMap Characters;
};

// Reads and cuts the file into `records`, which is replaced only on success. May change the
// definition: CSV titles become condition 0's field names. False when the file cannot be read,
// when there is no first line where one is needed, when the definition cannot cut the file (no
// conditions, more than 999, a record length of 0 or less for FB, lengths that make no sense),
// when the records would not fit in the machine's memory, or when `progress` was cancelled.
// `progress`, when given, follows the bytes read and cut.
[[nodiscard]] bool ReadRecords(const std::filesystem::path& path, const LoadOptions& options,
                               TDefineClass& definition, RecordList& records, LoadReport& report,
                               TaskProgress* progress = nullptr);

enum class LoadOutcome { Loaded, Failed, Cancelled };

// The load as the open command runs it, with `definition` read for it: ReadRecords with the
// host's progress (the user may cancel), and on success the definition, the records, the data
// file name (a full path), the options the file was read with, the modified flag cleared and an
// empty undo stack; then the warnings: lost characters always, a length mismatch when FixCheck is
// on. Failed or cancelled, the state is left exactly as it was.
[[nodiscard]] LoadOutcome LoadDataFile(MainState& state, TDefineClass definition,
                                       const std::filesystem::path& path, const LoadOptions& options,
                                       UiHost& host);

} // namespace ranvo
