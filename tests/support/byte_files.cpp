#include "support/byte_files.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace ranvo::test {

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    // A fresh file rather than a truncated one: file systems flush a file that is truncated and
    // rewritten, which makes tests that rewrite a fixture thousands of times crawl.
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string CrLfLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (const std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::size_t InputGenerator::below(std::size_t bound) {
    return bound == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, bound - 1)(m_engine);
}

std::string InputGenerator::bytes(std::size_t maxLength) {
    static constexpr std::string_view interesting = "\x81\x9F\xE0\xFC\x5C\x40\x7F\x80\xA1\xDF\x8E"
                                                    "\x1B$(B,\"'\t\r\n 0123456789-";
    std::string result(below(maxLength + 1), '\0');
    for (char& c : result) {
        c = below(2) == 0 ? interesting[below(interesting.size())] : static_cast<char>(below(256));
    }
    return result;
}

std::string InputGenerator::mutate(std::string_view text) {
    std::string result(text);
    const std::size_t edits = 1 + below(4);
    for (std::size_t i = 0; i < edits; ++i) {
        const std::size_t pos = below(result.size() + 1);
        switch (below(4)) {
        case 0:
            if (pos < result.size()) {
                result[pos] = static_cast<char>(below(256));
            }
            break;
        case 1: result.insert(pos, bytes(8)); break;
        case 2: result.erase(pos, below(8)); break;
        default: result.resize(pos); break;
        }
    }
    return result;
}

} // namespace ranvo::test
