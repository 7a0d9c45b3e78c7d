#pragma once

// The open history, history.dat in the application home: CP932 text with CR LF line ends, made
// of pairs of lines, oldest pair first: a data file's full path, then the definition file that
// opened it. It feeds the open dialog's list of recent files and the history strategy of
// automatic detection, and every successful open appends its pair.
//
// The lines always make whole pairs: an odd last line (a file cut short, or edited by hand) is
// dropped on reading, so that it cannot shift every later pair, and the next update writes the
// file whole again.

#include "core/platform/paths.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

class OpenHistory {
public:
    OpenHistory() = default;
    // The pairs of `lines`; an odd last line is dropped.
    explicit OpenHistory(std::vector<std::string> lines);

    // The history in `file`; a missing or unreadable file is an empty history. The text ends at
    // a NUL byte, as the system's own small files do.
    [[nodiscard]] static OpenHistory Read(const std::filesystem::path& file);

    [[nodiscard]] const std::vector<std::string>& Lines() const { return m_lines; }

    // Pairs are lines 2k and 2k + 1.
    [[nodiscard]] std::size_t PairCount() const { return m_lines.size() / 2; }
    [[nodiscard]] const std::string& DataLine(std::size_t pair) const;
    [[nodiscard]] const std::string& DefinitionLine(std::size_t pair) const;

    // The open dialog's path list: the data files of the pairs from the newest backwards, at
    // most `load` of them, all of them when `load` is 0 (a negative count gives none).
    [[nodiscard]] std::vector<std::filesystem::path> RecentDataFiles(std::int32_t load) const;

    // The open command's update: the first pair whose data line equals `dataLine` goes, the pair
    // is appended, and while `maxPairs` is above 0 and there are more pairs than that, the oldest
    // pair goes. A definition line equal to `dataLine` is no match: taking it with the data line
    // after it would shift every later pair.
    // The lines are taken by value: they may be lines of this history.
    void Record(std::string dataLine, std::string definitionLine, std::int32_t maxPairs);

    // The lines, each ended by CR LF.
    [[nodiscard]] std::string Text() const;

private:
    std::vector<std::string> m_lines;
};

// The line that stands for `path` in the history: its full, lexically normal form as CP932 text.
// The open command writes it and automatic detection looks for it, so a file named by a relative
// path and by its full path is the same entry. A path that CP932 cannot hold exactly (a character
// it lacks, or bytes that are no text) is written as the UTF-8 byte order mark followed by the
// path's bytes as the system gives them: no CP932 text begins with those bytes, and the file is
// found again instead of a path with "?" in it.
[[nodiscard]] std::string HistoryLine(const std::filesystem::path& path);
// The path a history line stands for.
[[nodiscard]] std::filesystem::path HistoryPath(std::string_view line);

// Reads `file`, records the pair and writes the file back safely. False when it could not be
// written; the open that called it has succeeded all the same.
bool UpdateOpenHistory(const std::filesystem::path& file, const std::filesystem::path& dataPath,
                       const std::filesystem::path& definitionPath, std::int32_t maxPairs);

} // namespace ranvo
