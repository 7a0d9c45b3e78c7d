#pragma once

// The definition list of the open dialog: every definition file the program knows of, as full
// paths, in the order the dialog offers them and automatic detection scores them. Built once
// when the dialog is created.

#include "core/state/app_home.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ranvo {

// Every `*.def` file directly in the home folder, in its define/ folder and in each of the
// extra folders (CP932 text, as the settings hold them), expanded to full paths and sorted by
// file name compared in upper case; files of the same name keep the order of their folders.
// A home that is not set contributes nothing.
[[nodiscard]] std::vector<std::filesystem::path>
BuildDefinitionList(const AppHome& home, const std::vector<std::string>& extraFolders);

// Whether a directory entry is a definition file: a regular file whose extension is ".def" in
// any case, as the pattern *.def matches on the system the files come from.
[[nodiscard]] bool IsDefinitionFile(const std::filesystem::directory_entry& entry);

} // namespace ranvo
