// The system's conversions through iconv, whose "CP932" is Windows-31J.

#include "core/platform/code_page_system.h"

#include <cerrno>
#include <iconv.h>

namespace ranvo::code_page {
namespace {

[[nodiscard]] const char* iconvName(Charset charset) {
    switch (charset) {
    case Charset::Cp932:
        return "CP932";
    case Charset::Utf8:
        return "UTF-8";
    case Charset::Utf16Le:
        return "UTF-16LE";
    }
    return "";
}

// The ASCII characters at the front of `block`, for a system without iconv's tables.
[[nodiscard]] std::size_t asciiPrefix(Charset charset, std::string_view block) {
    const std::size_t width = UnitWidth(charset);
    std::size_t pos = 0;
    while (pos + width <= block.size() && static_cast<unsigned char>(block[pos]) < 0x80 &&
           (width == 1 || block[pos + 1] == '\0')) {
        pos += width;
    }
    return pos;
}

} // namespace

struct SystemConverter::State {
    Charset from;
    Charset to;
    iconv_t cd;
};

SystemConverter::SystemConverter(Charset from, Charset to)
    : m_state(new State{from, to, ::iconv_open(iconvName(to), iconvName(from))}) {}

SystemConverter::~SystemConverter() {
    if (m_state->cd != reinterpret_cast<iconv_t>(-1)) {
        ::iconv_close(m_state->cd);
    }
}

std::size_t SystemConverter::ConvertPrefix(std::string_view block, Output& out) {
    if (m_state->cd == reinterpret_cast<iconv_t>(-1)) {
        // Without the platform's tables no character beyond ASCII can be converted.
        const std::size_t ascii = asciiPrefix(m_state->from, block);
        for (std::size_t pos = 0; pos < ascii; pos += UnitWidth(m_state->from)) {
            out.append(UnitWidth(m_state->to) == 2 ? std::string{block[pos], '\0'}
                                                   : std::string{block[pos]});
        }
        return ascii;
    }
    ::iconv(m_state->cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(block.data()); // iconv's signature, never written
    std::size_t inLeft = block.size();
    for (;;) {
        // The callers' first guess of the output size usually holds; iconv stops with E2BIG
        // where it does not, and goes on after the buffer has grown.
        char* const start = out.room(inLeft + 16);
        char* written = start;
        std::size_t outLeft = out.roomLeft();
        const std::size_t done = ::iconv(m_state->cd, &in, &inLeft, &written, &outLeft);
        const int error = errno;
        out.advance(static_cast<std::size_t>(written - start));
        if (done != static_cast<std::size_t>(-1) || error != E2BIG) {
            // Done, or stopped by EILSEQ (refused) or EINVAL (unfinished at the block's end).
            return block.size() - inLeft;
        }
        out.room(out.roomLeft() * 2 + 16);
    }
}

} // namespace ranvo::code_page
