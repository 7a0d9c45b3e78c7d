#pragma once

// Writing a text in a file's character code when some of its characters may have no form there:
// the encoders count what became "?", and the user is asked before such a file is written, so
// that nothing is lost silently.

#include "core/platform/character_map.h"
#include "core/platform/ui_host.h"
#include "core/state/load_options.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>

namespace ranvo {

enum class WriteOutcome { Written, Declined, Failed };

// Asked after encoding and before writing, when `lost` characters became "?": true to write.
using AcceptLoss = std::function<bool(std::size_t lost)>;

// The question in a Yes/No box: Yes writes the file with the characters replaced.
[[nodiscard]] bool AskToWriteLostCharacters(UiHost& host, std::size_t lost);

// Encodes `text` in `code` (through the open file's map) and writes it to `target`, after asking
// `accept` when characters would be lost. Failed when the file cannot be written (an existing one
// is then untouched).
[[nodiscard]] WriteOutcome WriteEncodedFile(const std::filesystem::path& target,
                                            std::string_view text, KanjiCode code, bool utf8Bom,
                                            const CharacterMap& characters,
                                            const AcceptLoss& accept);

} // namespace ranvo
