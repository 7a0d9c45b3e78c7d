#pragma once

// Converting a whole file from one character code to another, line ends untouched: decoded as
// loading decodes it and encoded as saving encodes it, through one character map, so that a
// character CP932 cannot hold reaches a target that can hold it. The file goes through in pieces
// of a fixed size cut between characters (JIS carries its mode from piece to piece), so a file of
// any size and any line length needs little memory and time in proportion to its size.

#include "core/state/load_options.h"

#include <cstddef>
#include <filesystem>

namespace ranvo {

struct RecodeResult {
    bool Read = true;    // false: the input could not be read
    bool Written = true; // false: the output could not be written (an existing one is untouched)
    // Characters that could not be read, or that the target's code cannot hold; they became "?".
    std::size_t LostCharacters = 0;
};

[[nodiscard]] RecodeResult RecodeFile(const std::filesystem::path& input,
                                      const std::filesystem::path& output, KanjiCode from,
                                      KanjiCode to);

} // namespace ranvo
