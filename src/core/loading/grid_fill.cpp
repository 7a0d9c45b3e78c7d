#include "core/loading/grid_fill.h"

#include "core/text/text_helpers.h"

#include <algorithm>

namespace ranvo {

GridFiller::GridFiller(const TDefineClass& definition) {
    if (definition.IsFixedFormat()) {
        m_cutting = Cutting::Fixed;
    } else if (definition.FileFormat == "CS") {
        m_cutting = Cutting::PlainCsv;
    } else if (definition.FileFormat == "CT") {
        m_cutting = Cutting::QuotedCsv;
    }
    m_separator = definition.Separate;
    m_quote = definition.Quote.empty() ? '\0' : definition.Quote[0];
    const auto conditionCount = static_cast<int>(definition.Conditions.size());
    m_fieldLengths.resize(definition.Conditions.size());
    for (int i = 0; i < conditionCount; ++i) {
        const auto names = static_cast<int>(definition.Conditions[static_cast<std::size_t>(i)].FieldName.size());
        auto& lengths = m_fieldLengths[static_cast<std::size_t>(i)];
        for (int j = 0; j < names; ++j) {
            // A negative length cuts nothing, as a byte slice of negative length is empty.
            lengths.push_back(static_cast<std::size_t>(std::max(definition.GetFieldLength(i, j), 0)));
        }
    }
}

int GridFiller::FillRow(DataGrid& grid, const RecordList& records, int row) {
    if (row < 1 || row >= grid.RowCount() || static_cast<std::size_t>(row) > records.size() ||
        m_cutting == Cutting::None) {
        return -1;
    }
    const std::string_view text = records.Text(static_cast<std::size_t>(row) - 1);
    std::size_t count = 0;
    if (m_cutting == Cutting::Fixed) {
        const auto condition = static_cast<std::size_t>(records.Condition(static_cast<std::size_t>(row) - 1));
        static const std::vector<std::size_t> none;
        const auto& lengths = condition < m_fieldLengths.size() ? m_fieldLengths[condition] : none;
        m_slices.clear();
        std::size_t start = 0;
        for (const std::size_t length : lengths) {
            m_slices.push_back(start < text.size() ? text.substr(start, length) : std::string_view{});
            start = std::min(start + length, text.size());
        }
        count = lengths.size();
    } else if (m_cutting == Cutting::PlainCsv) {
        count = static_cast<std::size_t>(SplitFields(text, m_values, m_separator));
    } else {
        count = static_cast<std::size_t>(SplitQuoted(text, m_values, m_separator.empty() ? ',' : m_separator[0], m_quote));
    }
    if (static_cast<std::size_t>(grid.ColCount()) <= count) {
        grid.SetColCount(static_cast<int>(count) + 1);
    }
    grid.SetRowNumber(row, row);
    if (m_cutting == Cutting::Fixed) {
        grid.SetRowCells(row, std::span<const std::string_view>(m_slices));
    } else {
        grid.SetRowCells(row, std::span<const std::string>(m_values));
    }
    return static_cast<int>(count);
}

bool FillGrid(MainState& state, UiHost& host) {
    DataGrid& grid = state.Grid;
    const auto recordCount = static_cast<int>(state.Records.size());
    grid.SetColCount(1);
    grid.SetRowCount(recordCount + 1);
    bool filled = true;
    if (state.Definition.IsFixedFormat() || state.Definition.IsCsvFormat()) {
        GridFiller filler(state.Definition);
        for (int row = 1; row <= recordCount && filled; ++row) {
            filled = filler.FillRow(grid, state.Records, row) > 0;
        }
    }
    if (!filled) {
        state.Records.Clear();
        grid.SetColCount(1);
        grid.SetRowCount(1);
        grid.SetFixedRows(0);
        grid.SetFixedCols(0);
        return false;
    }
    grid.SetFixedRows(grid.RowCount() > 1 ? 1 : 0);
    grid.SetFixedCols(grid.ColCount() > 1 ? 1 : 0);
    std::vector<std::string> numbers;
    for (int col = 1; col < grid.ColCount(); ++col) {
        numbers.push_back(std::to_string(col));
    }
    grid.SetRowCells(0, std::span<const std::string>(numbers));
    grid.SetColWidth(0, host.TextWidth(FontRole::Editor, "99999") + 5);
    return true;
}

int FillGridRow(int row, MainState& state) {
    return GridFiller(state.Definition).FillRow(state.Grid, state.Records, row);
}

} // namespace ranvo
