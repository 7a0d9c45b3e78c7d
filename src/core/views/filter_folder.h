#pragma once

// The filter folder as the filter dialogs use it: they offer the names of its filter tables
// (".fil") and filter settings (".fls") in their drop-down lists and save files into it.

#include "core/platform/ui_host.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

// The names (CP932) of the regular files directly in `folder` whose extension is `extension` in
// any letter case, sorted by name compared in upper case; names equal in upper case keep the
// order of their bytes. Empty when the folder does not exist or cannot be read.
[[nodiscard]] std::vector<std::string> ListFilterFiles(const std::filesystem::path& folder,
                                                       std::string_view extension);

// Readies `path` in the filter folder for saving: asks before an existing file is replaced, and
// creates the folder for a first file. False when the user says no.
[[nodiscard]] bool ReadyFilterFileForSaving(UiHost& host, const std::filesystem::path& path);

} // namespace ranvo
