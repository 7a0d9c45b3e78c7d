#pragma once

// Writing a data file's text in its character code without holding the encoded file in memory:
// the text is taken piece by piece, encoded in pieces of about a megabyte and written through a
// temporary file that only a successful Finish puts in the target's place. A piece is cut where
// the encoding can start afresh: after a whole character, and for JIS (whose shift state runs on
// across characters) only after a line end.

#include "core/platform/file_io.h"
#include "core/state/load_options.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace ranvo {

class DataFileSink {
public:
    DataFileSink(const std::filesystem::path& target, KanjiCode code, bool utf8Bom);

    void Add(std::string_view text);
    // Writes what is left and puts the file in place; false (target untouched) when anything failed.
    [[nodiscard]] bool Finish();
    // Characters that the file's code cannot hold and that were written as "?".
    [[nodiscard]] std::size_t LostCharacters() const { return m_lost; }

private:
    void flush(bool all);

    ReplacingFileWriter m_writer;
    KanjiCode m_code;
    std::string m_pending;
    std::size_t m_lost = 0;
    bool m_ok = true;
};

} // namespace ranvo
