#pragma once

// The save commands: overwrite save, save as, and save converted to the other kind of file
// (CSV for a fixed-length file, fixed-length for a CSV file). They do nothing without a loaded
// file and report success or failure in message boxes.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

namespace ranvo {

// Writes the current file in its own layout; a file that no longer exists is saved as a new one
// through the save dialog. Answers whether the file was saved.
bool SaveInPlace(MainState& state, UiHost& host);

// Asks for a name (the current one proposed), writes the file there in its own layout, and makes
// it the current file. Answers whether it was saved.
bool SaveAs(MainState& state, UiHost& host);

// A fixed-length file written as CSV (an export: the current file stays), or a CSV file written
// as fixed-length lines (which becomes the current file).
void SaveConverted(MainState& state, UiHost& host);

// The caption of the converting command for the loaded definition.
[[nodiscard]] std::string_view SaveConvertedCaption(const MainState& state);

} // namespace ranvo
