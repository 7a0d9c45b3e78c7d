#pragma once

// One filter table: a user-made `.fil` file that turns the coded values of a field into readable
// text for display (a status code into its name). The data never changes; only what is drawn,
// printed or written by the layout save does.

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ranvo {

// The options at the head of a `.fil` file, with the values a file that gives none of them has.
struct TFilterOptions {
    bool IsNumeric = false;
    bool UseFit = false;
    std::string FitText;
    bool TrimSpaces = true;
    bool CutFit = true;

    bool operator==(const TFilterOptions&) const = default;
};

// Sets the options that the option lines among `lines` (a `.fil` file's lines) give; the others
// keep their values in `options`.
void ReadFilterOptions(const std::vector<std::string_view>& lines, TFilterOptions& options);

// A `.fil` file is CP932 text: five option lines that start with ";" (so that they read as
// comments), then the section "[Filter]" with one "key=value" row per translation:
//
//   ;1            IsNumeric
//   ;0            UseFit
//   ;ABC          ";" and FitText
//   ;1            TrimSpaces
//   ;1            CutFit
//   [Filter]
//   7=Shipped
//
// Option line k (1 to 5) counts only when the file has a line after it and it starts with ";";
// otherwise the option keeps its default (TrimSpaces and CutFit on, the others off). A flag is on
// when the second byte of its line is "1".
//
// Rows are read as an INI section: every line is trimmed of bytes up to 32; blank lines and lines
// that start with ";" are skipped; a line "[" name "]" starts a section, and the rows of every
// section named "Filter" (in any letter case) are the table; a row is split at its first "=" into
// a trimmed key and value, and a row without "=" is a key whose value is the empty text. Keys
// match without regard to the case of single-byte letters. When several rows have the same key,
// the first one counts, as a reader going down the file finds it. Under IsNumeric a key that is an
// integer is held as its plain decimal text, so that the key "007" is found by the value 7 like
// the key "7": the values are compared as integers, and so must the keys be.
//
// Translate runs for every drawn cell of a filtered field: the table is hashed, and a lookup
// upper-cases the key into a buffer kept from call to call, so it allocates nothing once that
// buffer has grown. The buffer makes Translate unfit for use from several threads at once.
class TRvFilter : public TFilterOptions {
public:
    // The default text that stands for "show the value itself": the one byte 0, which no typed
    // default text can hold.
    static constexpr std::string_view NoDefaultMarker{"\0", 1};

    bool Loaded = false;

    // Reads the file, replacing the options and the table. False, with Loaded false, when the
    // file does not exist or cannot be read; any bytes that can be read make a table.
    bool Load(const std::filesystem::path& path);

    // The display text of `value`: the table's value for it, or else `defaultText`, or the value
    // itself when `defaultText` is NoDefaultMarker. A filter that is not loaded translates
    // nothing; under UseFit a value that does not start with FitText is not translated either.
    [[nodiscard]] std::string Translate(std::string_view value,
                                        std::string_view defaultText) const {
        return std::string(TranslateView(value, defaultText));
    }
    // The same without a copy: a view of the table's value, of `defaultText` or of `value`.
    [[nodiscard]] std::string_view TranslateView(std::string_view value,
                                                 std::string_view defaultText) const;

private:
    void readTable(const std::vector<std::string_view>& lines);
    [[nodiscard]] const std::string* find(std::string_view key) const;

    // Upper-cased keys to values, and the longest key: a longer value is not looked up (nor
    // copied to be upper-cased), however long a cell may be.
    std::unordered_map<std::string, std::string> m_table;
    std::size_t m_longestKey = 0;
    mutable std::string m_keyBuffer;
};

} // namespace ranvo
