#pragma once

// The names and words a `.def` file stores (the definition name, condition names, check words,
// field names) are items of comma-separated lines with no quoting, and the reader ends a line at
// CR or LF and the whole text at a NUL byte. A text holding one of these would be read back cut
// in pieces, so the editor refuses it before it reaches the working definition.

#include <optional>
#include <string>
#include <string_view>

namespace ranvo {

// The message refusing `text` as the item called `item` (UTF-8, e.g. "条件名"); nothing when the
// file can hold it. `text` is CP932, whose trail bytes are never a comma, CR, LF or NUL.
[[nodiscard]] std::optional<std::string> ItemTextRefusal(std::string_view item,
                                                         std::string_view text);

} // namespace ranvo
