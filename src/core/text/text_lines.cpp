#include "core/text/text_lines.h"

#include <algorithm>
#include <cstring>

namespace ranvo {

LineCutter::LineCutter(std::string_view text) : m_start(text.data()), m_end(text.data() + text.size()) {}

// Where the next `byte` is at or after `from`, remembered in `found` so that a line end found once
// is never searched for again: a file of CR-only lines, or one without any LF, is cut in one pass.
const char* LineCutter::nextOf(char byte, NextByte& next) const {
    if (!next.known || (next.at != nullptr && next.at < m_start)) {
        const void* at = std::memchr(m_start, byte, static_cast<std::size_t>(m_end - m_start));
        next.at = static_cast<const char*>(at);
        next.known = true;
    }
    return next.at != nullptr ? next.at : m_end;
}

bool LineCutter::Next(std::string_view& line) {
    if (m_start >= m_end) {
        return false;
    }
    const char* const stop = std::min(nextOf('\n', m_nextLf), nextOf('\r', m_nextCr));
    line = {m_start, static_cast<std::size_t>(stop - m_start)};
    m_start = stop == m_end ? m_end : stop + 1;
    if (stop != m_end && *stop == '\r' && m_start < m_end && *m_start == '\n') {
        ++m_start;
    }
    return true;
}

void SplitLines(std::string_view text, std::vector<std::string_view>& lines) {
    lines.clear();
    LineCutter cutter(text);
    for (std::string_view line; cutter.Next(line);) {
        lines.push_back(line);
    }
}

std::string_view TextBeforeNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

} // namespace ranvo
