#pragma once

// The parts of a data file outside its read range, kept as they were read (decoded to CP932): a
// save in the file's own layout writes them around the rows, so that saving a range never loses
// the rest of the file, even when the file has meanwhile been moved, deleted or changed. They are
// pieces of the loaded text, which the records keep in memory anyway.

#include <memory>
#include <string_view>

namespace ranvo {

struct OutsideRange {
    std::shared_ptr<const void> Owner; // keeps the text the views point into
    // The records before the first kept one and after the last: lines (each with its line end),
    // or for FB the bytes as they stand.
    std::string_view Before;
    std::string_view After;

    [[nodiscard]] bool Empty() const { return Before.empty() && After.empty(); }
};

} // namespace ranvo
