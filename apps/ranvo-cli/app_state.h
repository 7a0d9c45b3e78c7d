#pragma once

// The main state the commands load into, with the application home the user names: its
// config.ini supplies the settings, its folders the definitions, its history.dat the history
// that detection consults. Nothing is written into the home: a home without config.ini, and no
// home at all, give the first-run settings.

#include "core/state/main_state.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ranvo::cli {

[[nodiscard]] std::unique_ptr<MainState> makeState(const std::optional<std::string>& home);

// The definition list of the open dialog for the state's home and settings.
[[nodiscard]] std::vector<std::filesystem::path> definitionList(const MainState& state);

} // namespace ranvo::cli
