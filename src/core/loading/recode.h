#pragma once

// Converting a whole file from one character code to another, line ends untouched: decoded as
// loading decodes it and encoded as saving encodes it. The file goes through in pieces cut after a
// line end, so a file of any size needs little memory; JIS text carries its mode across lines and
// is converted whole.

#include "core/state/load_options.h"

#include <cstddef>
#include <filesystem>

namespace ranvo {

struct RecodeResult {
    bool Read = true;    // false: the input could not be read
    bool Written = true; // false: the output could not be written (an existing one is untouched)
    std::size_t LostCharacters = 0;
};

[[nodiscard]] RecodeResult RecodeFile(const std::filesystem::path& input,
                                      const std::filesystem::path& output, KanjiCode from,
                                      KanjiCode to);

} // namespace ranvo
