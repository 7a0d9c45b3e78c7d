#pragma once

// Splitting, testing and escaping of CP932 text, shared by every reader and writer of the system.
// The splitters fill a caller's list and reuse the strings already in it, so a loop that splits
// millions of records allocates nothing once the list has grown.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

// Splits at every occurrence of `separator` (one or more bytes), searching character by character
// so that a separator is never found on a trail byte. The empty text gives one empty piece, and a
// trailing separator a trailing empty piece. Returns the number of pieces.
int SplitFields(std::string_view text, std::vector<std::string>& list, std::string_view separator);

// Position of the first occurrence of `pattern` in `text` at or after `from` that starts on a
// character boundary (never on a trail byte); npos when there is none or the pattern is empty.
[[nodiscard]] std::size_t FindCharacterWise(std::string_view text, std::string_view pattern,
                                            std::size_t from);

// Whether `pattern` occurs in `text` starting on a character boundary (never on a trail byte).
// The empty pattern occurs nowhere.
[[nodiscard]] bool ContainsCharacterWise(std::string_view text, std::string_view pattern);

// Splits a CSV line at `separator` outside values enclosed in `quote`; a doubled quote inside a
// quoted value stands for one quote. A trailing separator gives no trailing empty value, the empty
// text gives no value, and a quoted value that is never closed is dropped. Returns the number of
// values.
int SplitQuoted(std::string_view text, std::vector<std::string>& list, char separator, char quote);

// True when the text is not empty and every byte is an ASCII digit.
[[nodiscard]] bool IsDigits(std::string_view text);

// True when the text converts to a signed 32-bit integer (see ToInteger).
[[nodiscard]] bool IsInteger(std::string_view text);

// 1-based position of the first occurrence of `pattern` in `text` at or after the 1-based `start`,
// comparing bytes (a match may begin on a trail byte); 0 when there is none or the pattern is empty.
[[nodiscard]] int FindFrom(std::string_view pattern, std::string_view text, int start);

// The first `count` bytes of the text; may cut a double-byte character in two.
[[nodiscard]] std::string_view LeftBytes(std::string_view text, int count);

// The text without the bytes up to 32 (blanks and control characters) at either end.
[[nodiscard]] std::string_view Trim(std::string_view text);

// Replaces the five XML special characters by entity references, "&" first.
[[nodiscard]] std::string XmlEscape(std::string_view text);
void AppendXmlEscaped(std::string& out, std::string_view text);

// An XML element name made from a field name: full-width digits become ASCII ones, a leading digit
// gets "_" in front, and every character of the name table becomes "_".
[[nodiscard]] std::string XmlTagName(std::string_view text);

// The characters that XmlTagName replaces, in the order the name table lists them (68 entries).
[[nodiscard]] const std::vector<std::string_view>& XmlTagNameReplacements();

} // namespace ranvo
