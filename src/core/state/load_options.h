#pragma once

// What the user chose for reading a data file besides the file and its definition: the character
// code and an optional range of records. Saving writes a file back in the code it was read in.

namespace ranvo {

// Indexes of the open dialog's character-code list.
enum class KanjiCode { ShiftJis = 0, Euc = 1, Jis = 2, Unicode = 3, Utf8 = 4 };

struct ReadRange {
    bool Enabled = false;
    int From = 0; // first record to keep, 1-based
    int To = 0;   // last record to keep

    friend bool operator==(const ReadRange&, const ReadRange&) = default;
};

// A range the open command accepts: when it is on both numbers are at least 1, and (on or off)
// the first is not greater than the second.
[[nodiscard]] constexpr bool IsValidReadRange(const ReadRange& range) {
    if (range.Enabled && (range.From < 1 || range.To < 1)) {
        return false;
    }
    return range.From <= range.To;
}

struct LoadOptions {
    KanjiCode Code = KanjiCode::ShiftJis;
    ReadRange Range;
};

} // namespace ranvo
