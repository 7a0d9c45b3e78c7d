// ranvo-cli dump: loads a data file as the open dialog does and writes the grid's rows.

#include "commands.h"
#include "data_load.h"

#include <algorithm>
#include <cstdio>

namespace ranvo::cli {
namespace {

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
    const Arguments arguments(words, loadOptions(), loadFlags());
    arguments.expectPositional(1);
    ConsoleHost host = loadingHost(arguments);
    const std::unique_ptr<MainState> state = loadData(arguments, host);
    if (!state) {
        return 1;
    }
    if (!writeRows(*state, stdout)) {
        std::fputs("ranvo-cli: the rows could not be written to standard output\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace ranvo::cli
