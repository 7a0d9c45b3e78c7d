#pragma once

// Cutting text into lines as the system's text files are read: CR LF, a lone CR and a lone LF
// each end a line, and a line end at the very end of the text does not start another line.

#include <cstddef>
#include <string_view>
#include <vector>

namespace ranvo {

// The lines of a text one after the other, as views into it.
class LineCutter {
public:
    explicit LineCutter(std::string_view text);
    // The next line; false after the last one.
    bool Next(std::string_view& line);
    // How far the cut has come, in bytes from the start of the text.
    [[nodiscard]] std::size_t Position(std::string_view text) const {
        return static_cast<std::size_t>(m_start - text.data());
    }

private:
    struct NextByte {
        const char* at = nullptr; // nullptr once none is left
        bool known = false;
    };
    const char* nextOf(char byte, NextByte& next) const;

    const char* m_start;
    const char* m_end;
    NextByte m_nextLf;
    NextByte m_nextCr;
};

// Fills `lines` with views into `text`. The empty text has no lines; "a\r\n" has one.
void SplitLines(std::string_view text, std::vector<std::string_view>& lines);

// The text up to its first NUL byte: the system's own small text files (definitions, settings,
// filters) end at a NUL. Data files do not: a NUL there is an ordinary byte of a record.
[[nodiscard]] std::string_view TextBeforeNul(std::string_view text);

} // namespace ranvo
