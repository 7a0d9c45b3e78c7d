#pragma once

// Records written in the record-list entry form that users see on the record clipboard: the
// condition prefix, then the text ("  5ABC" is record "ABC" of condition 5).

#include "core/grid/data_grid.h"
#include "core/grid/record_list.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo::test {

inline RecordList RecordsOf(std::initializer_list<std::string_view> entries) {
    RecordList records;
    for (const std::string_view entry : entries) {
        records.Append(ConditionOfEntry(entry), entry.substr(std::min(entry.size(), kConditionPrefixLength)));
    }
    return records;
}

inline std::vector<std::string> EntriesOf(const RecordList& records) {
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < records.size(); ++i) {
        entries.push_back(records.Entry(i));
    }
    return entries;
}

inline std::vector<std::string> EntriesOf(const DataGrid& grid) {
    return EntriesOf(grid.Records());
}

} // namespace ranvo::test
