// Texts from outside that become rows: CSV files read by the definition editor and the filter
// table editor, and cell blocks pasted from the clipboard into the field sheet, the filter table
// sheet and as cell block text. Any bytes, at any place, without a fault.

#include "core/definitions/field_sheet.h"
#include "core/text/cell_block.h"
#include "core/views/filter_table_sheet.h"
#include "fuzz_support.h"

using namespace ranvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader input(fuzz::Bytes(data, size));
    const std::uint8_t place = input.byte();
    const bool csv = (place & 0x80) != 0;
    const int top = (place >> 2) % 16 - 2;
    const int left = place % 4 - 1;
    const std::string_view text = input.rest();

    FieldSheet fields;
    fields.Csv = csv;
    fields.ReadCsv(text);
    fields.PasteCells(text, top, left);
    fields.Recalculate();
    (void)fields.Fields();
    (void)fields.CellsText({0, 0, fields.RowCount() - 1, 4});

    FilterTableSheet filters;
    filters.ReadCsv(text);
    filters.Paste(text, top, left);
    fuzz::Check(!filters.Rows().empty() && filters.Rows().back().Key.empty(),
                "the filter table sheet ends in an entry row");
    (void)filters.CopyText({0, 0, filters.RowCount() - 1, 1});

    const CellBlock block = SplitCellBlock(text);
    fuzz::Check(JoinCellBlock(block) == text, "cell block text splits and joins back as it was");
    return 0;
}
