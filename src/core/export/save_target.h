#pragma once

// The save dialog of the save and export commands: a proposed file, and a question before an
// existing file is overwritten.

#include "core/platform/ui_host.h"

#include <filesystem>
#include <optional>

namespace ranvo {

[[nodiscard]] std::optional<std::filesystem::path> ChooseSaveTarget(UiHost& host,
                                                                    const std::filesystem::path& proposed);

} // namespace ranvo
