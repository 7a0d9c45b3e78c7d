#pragma once

// The system's half of the code-page conversions in code_page.cpp: that file splits the input
// into blocks, copies long ASCII runs itself and decides what a refused sequence becomes; this
// class converts the characters in between with the system's conversion functions (iconv, or the
// Windows code page functions), one implementation chosen when the library is built.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace ranvo::code_page {

enum class Charset { Cp932, Utf8, Utf16Le };

// Bytes of an ASCII character: 1, or 2 in UTF-16.
[[nodiscard]] constexpr std::size_t UnitWidth(Charset charset) {
    return charset == Charset::Utf16Le ? 2 : 1;
}

// Converted bytes, grown as they are written.
class Output {
public:
    explicit Output(std::size_t expectedSize) { m_bytes.resize(expectedSize); }

    // Room for at least `bytes` more bytes after those written; grows by doubling.
    char* room(std::size_t bytes);
    [[nodiscard]] std::size_t roomLeft() const { return m_bytes.size() - m_used; }
    // Marks `bytes` bytes of the room as written.
    void advance(std::size_t bytes) { m_used += bytes; }
    void append(std::string_view bytes);
    [[nodiscard]] std::string take();

private:
    std::string m_bytes;
    std::size_t m_used = 0;
};

class SystemConverter {
public:
    SystemConverter(Charset from, Charset to);
    ~SystemConverter();
    SystemConverter(const SystemConverter&) = delete;
    SystemConverter& operator=(const SystemConverter&) = delete;

    // Converts characters from the front of `block` into `out` and returns the bytes taken: all
    // of them, or fewer when the character there is not one of the source's, has no code in the
    // target, or is cut off by the block's end.
    [[nodiscard]] std::size_t ConvertPrefix(std::string_view block, Output& out);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace ranvo::code_page
