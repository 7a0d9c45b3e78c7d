#pragma once

// The open command: pairs a data file with a definition and loads it into the main state, with
// every check and message in the order users know. A refused open (bad range, missing file, no
// definition chosen or found) leaves the state as it was, and so does a load the user cancelled;
// a failed one (the definition, the data or the grid could not be read) leaves nothing loaded. A successful one is recorded in the
// open history of the state's home.

#include "core/platform/ui_host.h"
#include "core/state/load_options.h"
#include "core/state/main_state.h"

#include <filesystem>
#include <span>

namespace ranvo {

// What the open dialog hands to its open command.
struct OpenChoice {
    std::filesystem::path DataPath;
    // The definition picked in the list, or the one handed over together with the data file,
    // which takes its place. Empty: the definition is found by automatic detection.
    std::filesystem::path DefinitionPath;
    // False while the dialog's definition list has no item selected, neither a definition nor
    // automatic detection.
    bool DefinitionSelected = true;
    // The read range as typed: the flag and two numbers (0 when the text is not a number).
    LoadOptions Options;
    // The dialog's definition list (BuildDefinitionList, built once per dialog), which
    // automatic detection scores. Not owned: it must outlive the call.
    std::span<const std::filesystem::path> Definitions;
    // The command-line tool reads the history for detection but leaves it as it was.
    bool RecordHistory = true;
};

enum class OpenOutcome { Opened, Refused, Failed, Cancelled };

struct OpenResult {
    OpenOutcome Outcome = OpenOutcome::Refused;
    // The definition file the open used, given or detected; empty when the open was refused
    // before one was settled.
    std::filesystem::path DefinitionPath;
};

[[nodiscard]] OpenResult OpenDataFile(MainState& state, const OpenChoice& choice, UiHost& host);

} // namespace ranvo
