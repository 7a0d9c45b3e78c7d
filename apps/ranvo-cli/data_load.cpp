#include "data_load.h"

#include "app_state.h"
#include "core/loading/open_command.h"
#include "core/platform/terminal.h"
#include "core/text/number_text.h"

namespace ranvo::cli {
namespace {

// "FROM-TO"; a number that does not convert counts as 0, as in the open dialog.
ReadRange parseRange(const std::string& text) {
    const std::size_t dash = text.find('-', 1);
    if (dash == std::string::npos) {
        throw UsageError("--range takes FROM-TO");
    }
    return {true, IntegerOr(text.substr(0, dash), 0), IntegerOr(text.substr(dash + 1), 0)};
}

} // namespace

std::vector<std::string> loadOptions(std::vector<std::string> extra) {
    for (const char* name : {"def", "code", "range", "home"}) {
        extra.emplace_back(name);
    }
    return extra;
}

std::vector<std::string> loadFlags() {
    return {"quiet"};
}

ConsoleHost loadingHost(const Arguments& arguments) {
    return ConsoleHost(!arguments.flag("quiet") && StandardErrorIsTerminal());
}

std::unique_ptr<MainState> loadData(const Arguments& arguments, ConsoleHost& host) {
    OpenChoice choice;
    choice.DataPath = arguments.positionalPath(0);
    choice.DefinitionPath = arguments.optionPath("def").value_or(std::filesystem::path());
    choice.Options.Code = parseCode(arguments.option("code").value_or("sjis"));
    if (const auto range = arguments.option("range")) {
        choice.Options.Range = parseRange(*range);
    }
    auto state = makeState(arguments.option("home"));
    const std::vector<std::filesystem::path> definitions =
        choice.DefinitionPath.empty() ? definitionList(*state) : std::vector<std::filesystem::path>();
    choice.Definitions = definitions;
    choice.RecordHistory = false;
    if (OpenDataFile(*state, choice, host).Outcome != OpenOutcome::Opened) {
        return nullptr;
    }
    return state;
}

} // namespace ranvo::cli
