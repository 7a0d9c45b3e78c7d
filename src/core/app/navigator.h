#pragma once

// The definition navigator (RV-NAVI): the current definition and one condition in detail, and
// what it does to the grid for that condition: hide its records, show only them, find its first,
// previous, next or last record in a field's column, highlight a field. Texts are UTF-8, ready to
// show.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ranvo {

struct DefinitionInfo {
    std::string Name;
    std::string FileName;
    std::string FileType;
    std::string Separate;
    std::string Quote;
    std::string QuoteAlways;
    std::string TopTitle;
};

[[nodiscard]] DefinitionInfo DescribeDefinition(const TDefineClass& definition);

struct NavigatorField {
    std::string Number;
    std::string Name;
    std::string Start;  // "---" for CSV
    std::string Length; // "---" for CSV
    std::int32_t Color = 0;
};

struct ConditionInfo {
    std::string MaxLength;
    bool WordShown = false; // the check position, word and letter-case labels
    std::string CheckPoint;
    std::string CheckWord;
    std::string ULWord;
    bool LengthShown = false;
    std::string Length;
    std::string RecordCount;
    std::int32_t BackColor = 0;
    std::vector<NavigatorField> Fields;
};

// Records per condition, by the condition of every record-list entry.
[[nodiscard]] std::vector<int> CountRecordsByCondition(const MainState& state);

[[nodiscard]] ConditionInfo DescribeCondition(const TDefineClass& definition, int condition,
                                              const std::vector<int>& recordCounts);

// Hides every row of the condition's records; the cursor leaves a row that was hidden.
void HideRecordsOf(MainState& state, UiHost& host, int condition);
// Shows the condition's records and hides every other; the shown rows are numbered 1, 2, ...
void ShowOnlyRecordsOf(MainState& state, UiHost& host, int condition);

enum class RecordSearch { First, Previous, Next, Last };
// Moves the cursor to the condition's record found in field `field`'s column (visible rows and
// column only); false, with the cursor kept, when there is none. A found row out of view becomes
// the top row, and a column out of view the left column, as far as the grid's end allows.
bool FindConditionRecord(MainState& state, int condition, int field, RecordSearch search);

// Switches highlighting off when it is on; otherwise highlights `field` of `condition` and
// brings its column into view. Answers whether highlighting is on afterwards.
bool ToggleNavigatorHighlight(MainState& state, int condition, int field);

} // namespace ranvo
