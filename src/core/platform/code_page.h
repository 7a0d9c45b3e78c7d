#pragma once

// Conversions between code page 932 (the CP932 bytes that all data text is held in) and Unicode,
// for UTF-8 and UTF-16 files, for display, and for paths that files of the system store as text.
// They never fail: a character that CP932 cannot hold, and any input bytes that do not form a
// character of the source encoding, become "?" in the target encoding and are counted, so that the
// caller can warn that some characters were lost. The conversions are Windows-31J as iconv's
// "CP932" has it, on every system: the same bytes and the same count of lost characters whether
// iconv or Windows converts. Runs of ASCII are copied directly, since both sides agree on every
// byte from 00 to 7F.

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

[[nodiscard]] ConvertedText Cp932ToUtf8(std::string_view cp932);
[[nodiscard]] ConvertedText Utf8ToCp932(std::string_view utf8);

// UTF-16 little-endian as bytes, without a byte order mark; an odd last byte is invalid input.
[[nodiscard]] ConvertedText Cp932ToUtf16Le(std::string_view cp932);
[[nodiscard]] ConvertedText Utf16LeToCp932(std::string_view utf16le);

// A file that stores a path holds it as CP932 text.
[[nodiscard]] std::filesystem::path Cp932ToPath(std::string_view cp932);
[[nodiscard]] std::string PathToCp932(const std::filesystem::path& path);

} // namespace ranvo
