#pragma once

// The open command: pairs a data file with a definition and loads it into the main state, with
// every check and message in the order users know. A refused open (bad range, missing file, no
// definition) leaves the state as it was; a failed one (the definition, the data or the grid
// could not be read) leaves nothing loaded.

#include "core/platform/ui_host.h"
#include "core/state/load_options.h"
#include "core/state/main_state.h"

#include <filesystem>

namespace ranvo {

// What the open dialog hands to its open command.
struct OpenChoice {
    std::filesystem::path DataPath;
    // Empty: the definition is found by automatic detection.
    std::filesystem::path DefinitionPath;
    // The read range as typed: the flag and two numbers (0 when the text is not a number).
    LoadOptions Options;
};

enum class OpenOutcome { Opened, Refused, Failed };

[[nodiscard]] OpenOutcome OpenDataFile(MainState& state, const OpenChoice& choice, UiHost& host);

} // namespace ranvo
