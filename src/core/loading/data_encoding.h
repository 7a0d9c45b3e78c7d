#pragma once

// The character codes of data files. All data text is CP932 in memory; a file is decoded from its
// code when it is read and encoded back into it when it is written, so that a file keeps its code.
//
// The open file's CharacterMap carries what CP932 cannot hold exactly: reading gives such a
// character (from UTF-8 or UTF-16, or JIS X 0212 from EUC-JP or JIS) a code of the user-defined
// area, and writing turns the code back into the character, or counts it as lost where the
// target's code has no form for it. A file read and written in its own code comes back byte for
// byte, except for bytes that form no character of its code (see TKelaConv).

#include "core/loading/kela_conv.h"
#include "core/platform/character_map.h"
#include "core/state/load_options.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ranvo {

struct DecodedText {
    std::string text;
    // Characters that could not be read (bytes that form none) or that CP932 cannot hold when no
    // code of the map was left; they became "?".
    std::size_t LostCharacters = 0;
    // The UTF-8 file began with a byte order mark, which is not part of the text.
    bool Utf8Bom = false;
};

struct EncodedText {
    std::string bytes;
    // Characters the file's code cannot hold, and bytes of the text that form no character; they
    // became "?".
    std::size_t LostCharacters = 0;
};

// EUC-JP and JIS through the kanji converter; UTF-16LE after the FF FE mark (a file without it is
// taken for Shift_JIS with blanks for its zero bytes) and UTF-8 through the code page. Codes of the
// user-defined area that a Shift_JIS file uses are kept in the map for themselves.
// Codes of the user-defined area that a Shift_JIS file holds (or a UTF-16 file without its mark,
// read as Shift_JIS) keep their own characters, so that a character typed later gets another.
// The decoders of the other codes give every such code through the map.
[[nodiscard]] DecodedText DecodeDataView(std::string_view bytes, KanjiCode code, CharacterMap& characters);
[[nodiscard]] DecodedText DecodeDataFile(std::string bytes, KanjiCode code,
                                         CharacterMap& characters);

// The inverse for writing: half-width katakana stay half-width in EUC-JP and JIS (so records keep
// their byte layout), UTF-16LE begins with FF FE, and UTF-8 begins with a mark only when the file
// it came from had one.
[[nodiscard]] EncodedText EncodeDataFile(std::string_view text, KanjiCode code, bool utf8Bom,
                                         const CharacterMap& characters);

// The same for a file that goes through a piece at a time: each call takes the characters that
// are complete in its piece (all of them when `last`), appends what they become, and answers how
// many bytes it took; the rest must come again at the front of the next piece. The first piece of
// a Unicode file must hold its whole mark, unless it is the last.
class DataFileDecoder {
public:
    DataFileDecoder(KanjiCode code, CharacterMap& characters)
        : m_code(code), m_characters(characters) {}

    std::size_t Decode(std::string_view bytes, bool last, DecodedText& out);

private:
    KanjiCode m_code;
    CharacterMap& m_characters;
    bool m_started = false;
    bool m_marked = false;
    JisMode m_mode = JisMode::Ascii;
};

class DataFileEncoder {
public:
    DataFileEncoder(KanjiCode code, bool utf8Bom, const CharacterMap& characters)
        : m_code(code), m_utf8Bom(utf8Bom), m_characters(characters) {}

    std::size_t Encode(std::string_view text, bool last, EncodedText& out);

private:
    KanjiCode m_code;
    bool m_utf8Bom;
    const CharacterMap& m_characters;
    bool m_started = false;
    JisMode m_mode = JisMode::Ascii;
};

// The longest mark a data file begins with (UTF-8's).
inline constexpr std::size_t kLongestFileMark = 3;

} // namespace ranvo
