#pragma once

// What the program opens at start-up: nothing, a data file (its definition found automatically),
// or "-d DATA DEFINITION".

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ranvo {

struct StartupOpen {
    std::filesystem::path DataPath;
    std::filesystem::path DefinitionPath; // empty: automatic detection
};

// `parameters` are the command-line words after the program name. "-d" opens only when its
// definition names an existing file ending in ".def" (compared exactly, so ".DEF" does not
// qualify); whether the data file exists is left to the open command.
[[nodiscard]] std::optional<StartupOpen> ParseCommandLine(const std::vector<std::string>& parameters);

} // namespace ranvo
