#pragma once

// The XML export of the loaded data: a root element named after the definition, one element per
// record named after its condition, one child per field named after the field, in the file's own
// character code. An export: the loaded file and the modified flag stay as they are.

#include "core/export/encoded_file.h"
#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <filesystem>
#include <string>

namespace ranvo {

// The document's text before encoding, lines ended by CR LF.
[[nodiscard]] std::string BuildXmlText(const MainState& state);

// Writes the document in the file's own code, asking `accept` first when characters would be lost.
[[nodiscard]] WriteOutcome WriteXmlFile(const MainState& state, const std::filesystem::path& target,
                                        const AcceptLoss& accept);

// The command: a file name (the data file's with ".xml") through the save dialog, a question
// before overwriting, and the outcome in a message box.
void ExportXml(MainState& state, UiHost& host);

} // namespace ranvo
