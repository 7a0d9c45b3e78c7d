#pragma once

// Cutting text into lines as the system's text files are read: CR LF, a lone CR and a lone LF
// each end a line, and a line end at the very end of the text does not start another line.

#include <string_view>
#include <vector>

namespace ranvo {

// Fills `lines` with views into `text`. The empty text has no lines; "a\r\n" has one.
void SplitLines(std::string_view text, std::vector<std::string_view>& lines);

// The text up to its first NUL byte: the system's own small text files (definitions, settings,
// filters) end at a NUL. Data files do not: a NUL there is an ordinary byte of a record.
[[nodiscard]] std::string_view TextBeforeNul(std::string_view text);

} // namespace ranvo
