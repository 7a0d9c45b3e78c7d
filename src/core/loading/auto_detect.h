#pragma once

// Automatic detection of the definition for a data file, when the open dialog is left at
// "(自動判別)". Three strategies, the first that answers wins:
//   1. same folder (CurCheck): the first definition file the file system lists beside the data
//      file, taken without reading it, so a user can pin a definition by putting it there;
//   2. history (UseHistory): the definition the data file was last opened with, if it still
//      exists and lies in the home folder or its define/ folder;
//   3. scoring: the definition of the list that recognises the most records of the file.

#include "core/settings/ranvo_setting.h"
#include "core/state/app_home.h"
#include "core/state/load_options.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace ranvo {

// Runs the strategies for `dataPath` read in `code`. `definitions` is the dialog's definition
// list (BuildDefinitionList); the home gives history.dat and the folders the history trusts (a
// home that is not set skips the history). Nothing when every strategy comes back empty.
//
// Scoring reads each candidate into a scratch definition; the record queries of every
// definition follow TDefineClass::DefineLoaded, so its value is restored afterwards.
[[nodiscard]] std::optional<std::filesystem::path>
DetectDefinition(const std::filesystem::path& dataPath, KanjiCode code, const AppHome& home,
                 const TRanvoSetting& settings, std::span<const std::filesystem::path> definitions);

// The scoring strategy alone: per definition of the list, the number of sample records it
// recognises (0 for one that cannot be read). Empty when the file cannot be read or the list is
// empty. `quick` limits the sample to the first 10 records.
[[nodiscard]] std::vector<std::size_t>
ScoreDefinitions(const std::filesystem::path& dataPath, KanjiCode code,
                 std::span<const std::filesystem::path> definitions, bool quick);

} // namespace ranvo
