#pragma once

// The editing model test's comparisons of the program with the model: records, the cells of a
// grid, and the file the records make, written and read back.

#include "core/model/reference_file.h"
#include "core/state/main_state.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo::test {

// Each answers the first difference, named after `what`, or nothing.
[[nodiscard]] std::optional<std::string> CompareRecords(const RecordList& list,
                                                        const std::vector<RefRecord>& expected,
                                                        std::string_view what);
// Every cell of the grid's data rows, and every cell of the records within the grid's columns.
[[nodiscard]] std::optional<std::string> CompareCells(const ReferenceFile& file,
                                                      const DataGrid& grid,
                                                      const std::vector<RefRecord>& records,
                                                      std::string_view what);
// The state's records written to `path` in the file's own layout and code, compared byte for byte
// with the model's file, then read back and shown in a grid of their own.
[[nodiscard]] std::optional<std::string> CheckWrittenAndRead(const ReferenceFile& file,
                                                             const MainState& state,
                                                             const std::vector<RefRecord>& records,
                                                             std::string_view titleLine,
                                                             const std::filesystem::path& path);

// The text a file of `code` holds for these bytes: half of a double-byte character (a field that
// held the other half was changed) is no character of the code, and reads back as whatever the
// code makes of it.
[[nodiscard]] std::string HeldText(const std::string& bytes, KanjiCode code);

} // namespace ranvo::test
