#pragma once

// Filling the grid from the record list: one row per record, one column per field of the
// record's condition. Row 0 holds the column numbers and column 0 the record numbers.

#include "core/definitions/define_class.h"
#include "core/grid/data_grid.h"
#include "core/grid/record_list.h"
#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <string>
#include <vector>

namespace ranvo {

// Writes grid rows from record-list entries. Built once from the definition, so that filling a
// million rows reads each condition's field lengths once instead of converting them per row.
class GridFiller {
public:
    explicit GridFiller(const TDefineClass& definition);

    // Writes row `row` from entry row - 1: the record number in column 0, the field values after
    // it, empty cells after the last value, widening the grid when the record has more values
    // than it has columns. Answers the number of values written, or -1 for a row outside the
    // data rows or a format that cannot be cut. A fixed-length record whose condition names no
    // field answers 0, and so does a CT record without values.
    int FillRow(DataGrid& grid, const RecordList& records, int row);

private:
    enum class Cutting { Fixed, PlainCsv, QuotedCsv, None };

    Cutting m_cutting = Cutting::None;
    std::string m_separator;
    char m_quote = '\0';
    // Per condition, the byte length of each named field (fields beyond the lengths have 0).
    std::vector<std::vector<std::size_t>> m_fieldLengths;
    std::vector<std::string> m_values;
    std::vector<std::string_view> m_slices;
};

// Rebuilds the whole grid from the record list. On failure (a row that yields no fields) the
// record list is cleared and the grid reduced to one cell. The width of column 0 fits a
// five-digit record number.
bool FillGrid(MainState& state, UiHost& host);

// Refills one row, after sorting or record operations; the result is GridFiller::FillRow's.
int FillGridRow(int row, MainState& state);

} // namespace ranvo
