#pragma once

// Byte-exact fixture files and generated inputs for tests.

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

namespace ranvo::test {

void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
[[nodiscard]] std::string ReadBytes(const std::filesystem::path& path);

// Joins lines with CR LF, the last line included.
[[nodiscard]] std::string CrLfLines(std::initializer_list<std::string_view> lines);

// A seeded source of arbitrary inputs: random bytes, biased towards the bytes that matter to
// CP932 text (lead bytes, separators, quotes, line ends, NUL).
class InputGenerator {
public:
    explicit InputGenerator(std::uint32_t seed) : m_engine(seed) {}

    [[nodiscard]] std::string bytes(std::size_t maxLength);
    // A copy of `text` with some bytes replaced, inserted or removed, or cut short.
    [[nodiscard]] std::string mutate(std::string_view text);
    [[nodiscard]] std::size_t below(std::size_t bound);

private:
    std::mt19937 m_engine;
};

} // namespace ranvo::test
