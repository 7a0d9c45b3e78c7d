#include "core/app/command_line.h"

#include <system_error>

namespace ranvo {

std::optional<StartupOpen> ParseCommandLine(const std::vector<std::string>& parameters) {
    if (parameters.empty()) {
        return std::nullopt;
    }
    if (parameters[0] != "-d") {
        return StartupOpen{parameters[0], {}};
    }
    if (parameters.size() < 3 || !parameters[2].ends_with(".def")) {
        return std::nullopt;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(parameters[2], error)) {
        return std::nullopt;
    }
    return StartupOpen{parameters[1], parameters[2]};
}

} // namespace ranvo
