#pragma once

// Writing a text in a file's character code without holding the encoded file in memory, and
// without losing characters silently. The text is taken piece by piece and encoded in pieces of
// about a megabyte (the encoder carries what a piece cuts off, JIS's shift state included) into a
// temporary file beside the target. Only when everything is written is the user asked, if some
// characters have no form in the code and became "?"; the file takes the target's place only then.

#include "core/platform/character_map.h"
#include "core/platform/file_io.h"
#include "core/platform/ui_host.h"
#include "core/loading/data_encoding.h"
#include "core/state/load_options.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace ranvo {

enum class WriteOutcome { Written, Declined, Failed };

// Asked after encoding and before the file takes the target's place, when `lost` characters
// became "?": true to write.
using AcceptLoss = std::function<bool(std::size_t lost)>;

// The question in a Yes/No box: Yes writes the file with the characters replaced.
[[nodiscard]] bool AskToWriteLostCharacters(UiHost& host, std::size_t lost);

class EncodedFileWriter {
public:
    EncodedFileWriter(const std::filesystem::path& target, KanjiCode code, bool utf8Bom,
                      const CharacterMap& characters);

    void Add(std::string_view text);
    // Writes what is left, asks `accept` when characters were lost, and puts the file in the
    // target's place; Failed (the target untouched) when anything could not be written.
    [[nodiscard]] WriteOutcome Finish(const AcceptLoss& accept);
    // Characters that the file's code cannot hold and that were written as "?".
    [[nodiscard]] std::size_t LostCharacters() const { return m_encoded.LostCharacters; }

private:
    void writeEncoded();

    ReplacingFileWriter m_writer;
    DataFileEncoder m_encoder;
    std::string m_pending;
    EncodedText m_encoded;
    bool m_ok = true;
};

// The whole text at once, through an EncodedFileWriter.
[[nodiscard]] WriteOutcome WriteEncodedFile(const std::filesystem::path& target,
                                            std::string_view text, KanjiCode code, bool utf8Bom,
                                            const CharacterMap& characters,
                                            const AcceptLoss& accept);

} // namespace ranvo
