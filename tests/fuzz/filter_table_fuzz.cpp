// .fil files, as the filter reads them and as the filter table editor opens them: any bytes read
// without a fault and translate any value. A sheet the editor would save reads back as the same
// rows, and translates each of its keys to its value as the sheet shows it.

#include "core/text/sjis.h"
#include "core/text/text_helpers.h"
#include "core/views/filter_table_sheet.h"
#include "core/views/rv_filter.h"
#include "fuzz_support.h"

#include <set>

using namespace ranvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader input(fuzz::Bytes(data, size));
    const std::string_view value = input.text();
    const std::string_view file = input.rest();
    TRvFilter filter;
    fuzz::Check(filter.Load(fuzz::WriteScratch("in.fil", file)), "any file is read");
    (void)filter.Translate(value, "(NoMatch)");
    (void)filter.Translate(value, TRvFilter::NoDefaultMarker);

    FilterTableSheet sheet;
    sheet.ReadFilterFile(file);
    if (sheet.FirstUnstorableKey()) {
        return 0;
    }
    FilterTableSheet reread;
    reread.ReadFilterFile(sheet.FilterFileText());
    // What the file holds of each row: key and value trimmed, rows without a key left out.
    auto stored = [](const FilterTableSheet& table) {
        std::vector<FilterTableRow> rows;
        for (const FilterTableRow& row : table.Rows()) {
            if (!Trim(row.Key).empty()) {
                rows.push_back({std::string(Trim(row.Key)), std::string(Trim(row.Value))});
            }
        }
        return rows;
    };
    fuzz::Check(stored(reread) == stored(sheet), "a saved table opens with the same rows");
    // The text to fit is written only while it is used.
    TFilterOptions options = sheet.Options;
    if (!options.UseFit) {
        options.FitText.clear();
    }
    fuzz::Check(reread.Options == options, "a saved table opens with the same options");

    if (sheet.Options.IsNumeric) {
        return 0; // keys are held as the numbers they denote, which other keys may share
    }
    TRvFilter saved;
    saved.Load(fuzz::WriteScratch("saved.fil", sheet.FilterFileText()));
    saved.UseFit = false;
    saved.IsNumeric = false;
    saved.TrimSpaces = true;
    std::set<std::string> seen;
    for (const FilterTableRow& row : stored(sheet)) {
        // The first row of a key counts, without regard to the case of its letters.
        if (seen.insert(AnsiUpperCase(row.Key)).second) {
            fuzz::Check(saved.Translate(row.Key, "(NoMatch)") == row.Value,
                        "a saved key translates to its value");
        }
    }
    return 0;
}
