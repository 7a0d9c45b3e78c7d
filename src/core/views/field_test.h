#pragma once

// The small language of show-by-condition's field tests. A test is applied to a cell's text:
// "!x" not equal, "=x" equal, ">x" at least, "<x" at most, "'x" contains x (for texts that begin
// with an operator), "lo\|hi" within the range, "lo\!hi" outside it, and anything else: contains.
// A backslash before an operator's backslash escapes it. Comparisons are byte order on the CP932
// bytes; containment never matches from a trail byte, and nothing occurs in an empty text.

#include <string_view>

namespace ranvo {

[[nodiscard]] bool FieldTestPasses(std::string_view test, std::string_view value);

} // namespace ranvo
