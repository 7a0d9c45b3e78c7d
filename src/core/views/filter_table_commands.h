#pragma once

// The filter table editor's commands that read and write files or ask the user: open a table
// from the filter folder, read a CSV file, save, delete rows, find. Each talks to the user through
// the host and leaves the sheet as it was when it stops early.

#include "core/platform/ui_host.h"
#include "core/views/filter_table_sheet.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ranvo {

// Reads the table `name` (CP932) of the filter folder into the sheet. False, after an error
// message, when the file cannot be read.
bool OpenFilterTable(FilterTableSheet& sheet, UiHost& host, const std::filesystem::path& folder,
                     std::string_view name);

// Lets the user choose a CSV file and reads its lines into the sheet's rows. False when the
// choice is cancelled or the file cannot be read (after an error message).
bool ReadFilterTableCsv(FilterTableSheet& sheet, UiHost& host);

// Saves the sheet as `name` (CP932) in the filter folder, with ".fil" added when the name does
// not end so, after asking before an existing file is replaced. The name saved under, or nothing
// when the name is blank, a key cannot be stored, the user says no or the file cannot be
// written.
std::optional<std::string> SaveFilterTable(const FilterTableSheet& sheet, UiHost& host,
                                           const std::filesystem::path& folder,
                                           std::string_view name);

// Deletes rows `top` to `bottom` after the user agrees; false when nothing was deleted.
bool DeleteFilterTableRows(FilterTableSheet& sheet, UiHost& host, int top, int bottom);

// The row a search from row `current` finds, or nothing after telling the user why not.
std::optional<int> FindInFilterTable(const FilterTableSheet& sheet, UiHost& host, FilterFindBy by,
                                     std::string_view text, int current);

} // namespace ranvo
