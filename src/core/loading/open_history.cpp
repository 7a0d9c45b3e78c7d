#include "core/loading/open_history.h"

#include "core/platform/code_page.h"
#include "core/platform/file_io.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <system_error>

namespace ranvo {

OpenHistory::OpenHistory(std::vector<std::string> lines) : m_lines(std::move(lines)) {
    if (m_lines.size() % 2 != 0) {
        m_lines.pop_back();
    }
}

OpenHistory OpenHistory::Read(const std::filesystem::path& file) {
    const std::optional<std::string> bytes = ReadFileBytes(file);
    if (!bytes) {
        return {};
    }
    std::vector<std::string_view> views;
    SplitLines(TextBeforeNul(*bytes), views);
    return OpenHistory(std::vector<std::string>(views.begin(), views.end()));
}

const std::string& OpenHistory::DataLine(std::size_t pair) const {
    static const std::string none;
    return 2 * pair < m_lines.size() ? m_lines[2 * pair] : none;
}

const std::string& OpenHistory::DefinitionLine(std::size_t pair) const {
    static const std::string none;
    return 2 * pair + 1 < m_lines.size() ? m_lines[2 * pair + 1] : none;
}

std::vector<std::filesystem::path> OpenHistory::RecentDataFiles(std::int32_t load) const {
    std::vector<std::filesystem::path> paths;
    const std::size_t pairs = PairCount();
    const std::size_t wanted =
        load == 0 ? pairs : std::min(pairs, static_cast<std::size_t>(std::max(load, 0)));
    paths.reserve(wanted);
    for (std::size_t k = 0; k < wanted; ++k) {
        paths.push_back(HistoryPath(DataLine(pairs - 1 - k)));
    }
    return paths;
}

void OpenHistory::Record(std::string dataLine, std::string definitionLine, std::int32_t maxPairs) {
    for (std::size_t pair = 0; pair < PairCount(); ++pair) {
        if (DataLine(pair) == dataLine) {
            const auto first = m_lines.begin() + static_cast<std::ptrdiff_t>(2 * pair);
            m_lines.erase(first, first + 2);
            break;
        }
    }
    m_lines.push_back(std::move(dataLine));
    m_lines.push_back(std::move(definitionLine));
    if (maxPairs > 0) {
        const std::size_t keptLines = 2 * static_cast<std::size_t>(maxPairs);
        if (m_lines.size() > keptLines) {
            // Whole pairs go from the front, as many as it takes, in one step.
            const std::size_t excess = m_lines.size() - keptLines;
            const std::size_t removed = excess + excess % 2;
            m_lines.erase(m_lines.begin(), m_lines.begin() + static_cast<std::ptrdiff_t>(removed));
        }
    }
}

std::string OpenHistory::Text() const {
    std::string text;
    for (const std::string& line : m_lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

namespace {

constexpr std::string_view kSystemPathMark = "\xEF\xBB\xBF";

} // namespace

std::string HistoryLine(const std::filesystem::path& path) {
    const std::u8string full = FullPath(path).u8string();
    const std::string_view utf8(reinterpret_cast<const char*>(full.data()), full.size());
    ConvertedText cp932 = Utf8ToCp932(utf8);
    // Some characters map to CP932 one way only (a wave dash comes back as a full-width tilde).
    if (cp932.replaced == 0 && Cp932ToUtf8(cp932.bytes).bytes == utf8) {
        return std::move(cp932.bytes);
    }
    return std::string(kSystemPathMark).append(utf8);
}

std::filesystem::path HistoryPath(std::string_view line) {
    if (line.starts_with(kSystemPathMark)) {
        return PathFromUtf8(line.substr(kSystemPathMark.size()));
    }
    return Cp932ToPath(line);
}

bool UpdateOpenHistory(const std::filesystem::path& file, const std::filesystem::path& dataPath,
                       const std::filesystem::path& definitionPath, std::int32_t maxPairs) {
    OpenHistory history = OpenHistory::Read(file);
    history.Record(HistoryLine(dataPath), HistoryLine(definitionPath), maxPairs);
    return WriteFileReplacing(file, history.Text());
}

} // namespace ranvo
