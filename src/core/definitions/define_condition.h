#pragma once

// One record type of a definition: how a record is recognised (a check word at a byte position
// or column, a record length, or both) and the record's field definitions. The four field lists
// run in parallel, one entry per field, and hold the text as read or typed; the queries of
// TDefineClass convert an entry when they are asked, so a hand-made file with a bad number or
// lists of different lengths still loads and answers defaults instead of failing.

#include <cstdint>
#include <string>
#include <vector>

namespace ranvo {

struct TCondition {
    std::string ConditionName;
    std::string CheckWord;
    // Fixed formats: 1-based byte of the check word. CSV: 1-based column compared with it.
    std::int32_t CheckStart = 0;
    // Fixed formats: how many record bytes at CheckStart are compared with the check word.
    std::int32_t ConditionLength = 0;
    // 0x00BBGGRR; negative values (top bit set) name system colours.
    std::int32_t ConditionColor = 0;
    // Sum of the field lengths: the byte length of a record of this type. Recomputed whenever
    // the lengths are read from a file and on every save, never taken from a file.
    std::int32_t MaxLength = 0;
    bool ULWord = false;
    std::int32_t CheckLength = 0;
    bool UseLength = false;
    bool UseWord = false;

    std::vector<std::string> FieldLength;
    std::vector<std::string> FieldName;
    std::vector<std::string> FieldColor;
    std::vector<std::string> FieldStart;
};

} // namespace ranvo
