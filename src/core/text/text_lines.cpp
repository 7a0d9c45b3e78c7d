#include "core/text/text_lines.h"

#include <cstring>

namespace ranvo {

void SplitLines(std::string_view text, std::vector<std::string_view>& lines) {
    lines.clear();
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* start = begin;
    while (start < end) {
        // Most lines are long and end in LF or CR LF: let memchr find the LF, then look for a lone
        // CR before it only when the line has one.
        const void* lf = std::memchr(start, '\n', static_cast<std::size_t>(end - start));
        const char* limit = lf != nullptr ? static_cast<const char*>(lf) : end;
        const void* cr = std::memchr(start, '\r', static_cast<std::size_t>(limit - start));
        const char* const stop = cr != nullptr ? static_cast<const char*>(cr) : limit;
        lines.emplace_back(start, static_cast<std::size_t>(stop - start));
        if (stop == end) {
            break;
        }
        start = stop + 1;
        if (*stop == '\r' && start < end && *start == '\n') {
            ++start;
        }
    }
}

std::string_view TextBeforeNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

} // namespace ranvo
