// ranvo-cli detect: names the definition that automatic detection picks for a data file.

#include "app_state.h"
#include "arguments.h"
#include "commands.h"
#include "core/loading/auto_detect.h"
#include "core/platform/paths.h"

#include <iostream>
#include <system_error>

namespace ranvo::cli {
namespace {

// Detection answers full paths; one under the current folder is shown relative to it, as the
// user named the home, so that the output reads the same wherever the folders are.
std::filesystem::path shownPath(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (error) {
        return path;
    }
    const std::filesystem::path relative = path.lexically_relative(current);
    if (relative.empty() || *relative.begin() == "..") {
        return path;
    }
    return relative;
}

} // namespace

int runDetect(const std::vector<std::string>& words) {
    const Arguments arguments(words, {"home", "code"});
    arguments.expectPositional(1);
    const std::optional<std::string> home = arguments.option("home");
    if (!home) {
        throw UsageError("detect needs --home DIR");
    }
    const KanjiCode code = parseCode(arguments.option("code").value_or("sjis"));
    const std::filesystem::path data = arguments.positionalPath(0);
    std::error_code error;
    if (!std::filesystem::exists(data, error)) {
        std::cerr << "読込ファイルが存在しません\n";
        return 1;
    }
    const auto state = makeState(home);
    const std::vector<std::filesystem::path> definitions = definitionList(*state);
    const std::optional<std::filesystem::path> found =
        DetectDefinition(data, code, state->Home, state->Settings, definitions);
    if (!found) {
        std::cerr << "定義ファイルの自動判別に失敗しました\n";
        return 1;
    }
    std::cout << GenericUtf8(shownPath(*found)) << '\n';
    return std::cout.flush() ? 0 : 1;
}

} // namespace ranvo::cli
