// ranvo-cli dump: loads a data file as the open dialog does and writes the grid's rows.

#include "app_state.h"
#include "arguments.h"
#include "commands.h"
#include "console_host.h"
#include "core/loading/open_command.h"
#include "core/platform/terminal.h"
#include "core/state/main_state.h"
#include "core/text/number_text.h"

#include <algorithm>
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
// and LF: the bytes held in memory, unconverted. False when the output could not be written.
bool writeRows(const MainState& state, std::FILE* out) {
    const DataGrid& grid = state.Grid;
    const auto columns = static_cast<std::size_t>(std::max(grid.ColCount() - 1, 0));
    std::string buffer;
    buffer.reserve(std::size_t{2} << 20);
    CellList cells;
    bool written = true;
    for (int row = 1; grid.HasRecord(row) && written; ++row) {
        const auto prefix = ConditionPrefix(grid.RowCondition(row));
        buffer.append(prefix.data(), prefix.size());
        grid.CutRow(row, cells);
        for (std::size_t i = 0; i < columns; ++i) {
            buffer += '\t';
            buffer.append(cells.ValueOr(i));
        }
        buffer += '\n';
        if (buffer.size() >= (std::size_t{1} << 20)) {
            written = std::fwrite(buffer.data(), 1, buffer.size(), out) == buffer.size();
            buffer.clear();
        }
    }
    return written && std::fwrite(buffer.data(), 1, buffer.size(), out) == buffer.size() &&
           std::fflush(out) == 0;
}

} // namespace

int runDump(const std::vector<std::string>& words) {
    const Arguments arguments(words, {"def", "code", "range", "home"}, {"quiet"});
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
    ConsoleHost host(!arguments.flag("quiet") && StandardErrorIsTerminal());
    if (OpenDataFile(*state, choice, host).Outcome != OpenOutcome::Opened) {
        return 1;
    }
    if (!writeRows(*state, stdout)) {
        std::fputs("ranvo-cli: the rows could not be written to standard output\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace ranvo::cli
