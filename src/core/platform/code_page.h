#pragma once

// Conversions between code page 932 (the CP932 bytes that all data text is held in) and Unicode,
// for UTF-8 and UTF-16 files, for display, and for paths that files of the system store as text.
// They never fail: a character that CP932 cannot hold, and any input bytes that do not form a
// character of the source encoding, become "?" in the target encoding and are counted, so that the
// caller can warn that some characters were lost.
//
// With a CharacterMap (the open file's), a character CP932 cannot hold exactly gets a code of the
// user-defined area instead of "?", and codes the map gave out turn back into their characters.
// The characters are those of the platform's CP932 (Cp932Chars), looked up in tables, with runs
// of ASCII copied a word at a time.

#include "core/platform/character_map.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace ranvo {

// Converted bytes and the number of characters or invalid input sequences that became "?".
struct ConvertedText {
    std::string bytes;
    std::size_t replaced = 0;
};

enum class UnicodeForm { Utf8, Utf16Le };

[[nodiscard]] ConvertedText Cp932ToUtf8(std::string_view cp932,
                                        const CharacterMap* characters = nullptr);
[[nodiscard]] ConvertedText Utf8ToCp932(std::string_view utf8, CharacterMap* characters = nullptr);

// UTF-16 little-endian as bytes, without a byte order mark; an odd last byte is invalid input.
[[nodiscard]] ConvertedText Cp932ToUtf16Le(std::string_view cp932,
                                           const CharacterMap* characters = nullptr);
[[nodiscard]] ConvertedText Utf16LeToCp932(std::string_view utf16le,
                                           CharacterMap* characters = nullptr);

// The same a piece at a time: appends to `out` and answers how many input bytes were taken.
// Unless `last`, a character cut off at the end of the piece is left for the next one.
std::size_t AppendCp932AsUnicode(std::string_view cp932, UnicodeForm form, bool last,
                                 const CharacterMap* characters, ConvertedText& out);
std::size_t AppendUnicodeAsCp932(std::string_view unicode, UnicodeForm form, bool last,
                                 CharacterMap* characters, ConvertedText& out);

// Paths are UTF-8 bytes on this system; a file that stores a path holds it as CP932 text.
[[nodiscard]] std::filesystem::path Cp932ToPath(std::string_view cp932);
[[nodiscard]] std::string PathToCp932(const std::filesystem::path& path);

} // namespace ranvo
