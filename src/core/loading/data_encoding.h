#pragma once

// The character codes of data files. All data text is CP932 in memory; a file is decoded from its
// code when it is read and encoded back into it when it is written, so that a file keeps its code.

#include "core/state/load_options.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ranvo {

struct DecodedText {
    std::string text;
    // Characters of a Unicode file that CP932 cannot hold; they became "?".
    std::size_t LostCharacters = 0;
    // The UTF-8 file began with a byte order mark, which is not part of the text.
    bool Utf8Bom = false;
};

struct EncodedText {
    std::string bytes;
    // Bytes of the text that are no CP932 character and became "?" in a Unicode file.
    std::size_t LostCharacters = 0;
};

// EUC-JP and JIS through the kanji converter; UTF-16LE after the FF FE mark (a file without it is
// taken for Shift_JIS with blanks for its zero bytes) and UTF-8 through the code page.
[[nodiscard]] DecodedText DecodeDataFile(std::string bytes, KanjiCode code);

// The inverse for writing: EUC-JP keeps half-width katakana (so records keep their byte layout),
// JIS makes them full-width (the 7-bit form has none), UTF-16LE begins with FF FE, and UTF-8
// begins with a mark only when the file it came from had one.
[[nodiscard]] EncodedText EncodeDataFile(std::string_view text, KanjiCode code, bool utf8Bom);

// The pieces of the two above, for files converted piece by piece: the mark a file of the code
// begins with, the decoding of text that follows the mark (or a file without one), and the
// encoding of text without its mark.
[[nodiscard]] std::string_view DataFileMark(KanjiCode code, bool utf8Bom);
[[nodiscard]] DecodedText DecodeDataText(std::string_view bytes, KanjiCode code, bool marked);
[[nodiscard]] EncodedText EncodeDataText(std::string_view text, KanjiCode code);

} // namespace ranvo
