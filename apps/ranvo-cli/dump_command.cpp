// ranvo-cli dump: loads a data file as the open dialog does and writes the grid's rows.

#include "app_state.h"
#include "arguments.h"
#include "commands.h"
#include "console_host.h"
#include "core/loading/open_command.h"
#include "core/state/main_state.h"
#include "core/text/number_text.h"

#include <cstdio>

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

// Each data row as its condition prefix, a TAB, the cells of columns 1 onward joined by TAB,
// and LF: the bytes held in memory, unconverted.
void writeRows(const MainState& state, std::FILE* out) {
    const DataGrid& grid = state.Grid;
    std::string buffer;
    buffer.reserve(std::size_t{1} << 20);
    for (int row = 1; row < grid.RowCount(); ++row) {
        buffer.append(
            state.Records[static_cast<std::size_t>(row) - 1].substr(0, kConditionPrefixLength));
        for (int col = 1; col < grid.ColCount(); ++col) {
            buffer += '\t';
            buffer.append(grid.Cell(col, row));
        }
        buffer += '\n';
        if (buffer.size() >= (std::size_t{1} << 20)) {
            std::fwrite(buffer.data(), 1, buffer.size(), out);
            buffer.clear();
        }
    }
    std::fwrite(buffer.data(), 1, buffer.size(), out);
}

} // namespace

int runDump(const std::vector<std::string>& words) {
    const Arguments arguments(words, {"def", "code", "range", "home"});
    arguments.expectPositional(1);
    OpenChoice choice;
    choice.DataPath = arguments.positionalPath(0);
    // Without --def the definition is detected, as the open dialog does at "(自動判別)".
    choice.DefinitionPath = arguments.optionPath("def").value_or(std::filesystem::path());
    choice.Options.Code = parseCode(arguments.option("code").value_or("sjis"));
    if (const auto range = arguments.option("range")) {
        choice.Options.Range = parseRange(*range);
    }
    auto state = makeState(arguments.option("home"));
    const std::vector<std::filesystem::path> definitions =
        choice.DefinitionPath.empty() ? definitionList(*state)
                                      : std::vector<std::filesystem::path>();
    choice.Definitions = definitions;
    choice.RecordHistory = false;
    ConsoleHost host;
    if (OpenDataFile(*state, choice, host).Outcome != OpenOutcome::Opened) {
        return 1;
    }
    writeRows(*state, stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace ranvo::cli
