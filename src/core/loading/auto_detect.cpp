#include "core/loading/auto_detect.h"

#include "core/definitions/define_class.h"
#include "core/loading/data_encoding.h"
#include "core/loading/definition_list.h"
#include "core/loading/open_history.h"
#include "core/platform/file_io.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <system_error>

namespace ranvo {
namespace {

constexpr std::size_t kQuickSample = 10;

// The first definition file in the order the file system lists the folder: the user who puts a
// definition beside a data file means that one, so it is not read, let alone scored.
std::optional<std::filesystem::path> fromSameFolder(const std::filesystem::path& dataPath) {
    std::error_code error;
    std::filesystem::directory_iterator entries(FullPath(dataPath).parent_path(), error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (IsDefinitionFile(*entries)) {
            return FullPath(entries->path());
        }
    }
    return std::nullopt;
}

// Only definitions of the program's own folders are trusted from the history: one from an extra
// folder may have been picked by hand for that one file, and is found again by scoring if it
// really fits.
std::optional<std::filesystem::path> fromHistory(const std::filesystem::path& dataPath,
                                                 const AppHome& home) {
    const OpenHistory history = OpenHistory::Read(home.HistoryFile());
    const std::string dataLine = HistoryLine(dataPath);
    const std::filesystem::path homeFolder = FullPath(home.Folder());
    const std::filesystem::path defineFolder = FullPath(home.DefineFolder());
    for (std::size_t pair = 0; pair < history.PairCount(); ++pair) {
        if (history.DataLine(pair) != dataLine) {
            continue;
        }
        const std::filesystem::path definition =
            FullPath(HistoryPath(history.DefinitionLine(pair)));
        std::error_code error;
        if (!std::filesystem::is_regular_file(definition, error)) {
            continue;
        }
        const std::filesystem::path folder = definition.parent_path();
        if (folder == homeFolder || folder == defineFolder) {
            return definition;
        }
    }
    return std::nullopt;
}

std::size_t countRecognised(const TDefineClass& definition,
                            const std::vector<std::string_view>& records, bool quick) {
    const std::size_t sample = quick ? std::min(records.size(), kQuickSample) : records.size();
    std::size_t count = 0;
    for (std::size_t k = 0; k < sample; ++k) {
        if (definition.FindCondition(records[k]) != 0) {
            ++count;
        }
    }
    return count;
}

void cutPieces(std::string_view line, std::int32_t recordLength,
               std::vector<std::string_view>& pieces) {
    pieces.clear();
    if (recordLength <= 0) {
        return;
    }
    const auto length = static_cast<std::size_t>(recordLength);
    for (std::size_t pos = 0; pos < line.size(); pos += length) {
        pieces.push_back(line.substr(pos, length));
    }
}

} // namespace

std::vector<std::size_t> ScoreDefinitions(const std::filesystem::path& dataPath, KanjiCode code,
                                          std::span<const std::filesystem::path> definitions,
                                          bool quick) {
    if (definitions.empty()) {
        return {};
    }
    std::optional<std::string> bytes = ReadFileBytes(dataPath);
    if (!bytes) {
        return {};
    }
    // Decoded as the file will be loaded, so that an EUC, JIS or Unicode file is scored on the
    // same CP932 records the loader will tag; read as raw Shift_JIS its check words could never
    // match.
    CharacterMap characters;
    const std::string text = DecodeDataFile(std::move(*bytes), code, characters).text;
    std::vector<std::string_view> lines;
    SplitLines(text, lines);
    // A file of one line is an FB file without line breaks: an FB definition is scored on the
    // records it would cut from it. Any other definition is scored on the line itself.
    const bool oneLine = lines.size() == 1;

    const DefineLoadedKeeper keeper;
    TDefineClass scratch;
    std::vector<std::string_view> pieces;
    std::vector<std::size_t> scores;
    scores.reserve(definitions.size());
    for (const std::filesystem::path& definition : definitions) {
        std::size_t score = 0;
        if (scratch.LoadFromFile(definition)) {
            if (oneLine && scratch.FileFormat == "FB") {
                cutPieces(lines.front(), scratch.RecordLength, pieces);
                score = countRecognised(scratch, pieces, quick);
            } else {
                score = countRecognised(scratch, lines, quick);
            }
        }
        scores.push_back(score);
    }
    return scores;
}

std::optional<std::filesystem::path>
DetectDefinition(const std::filesystem::path& dataPath, KanjiCode code, const AppHome& home,
                 const TRanvoSetting& settings,
                 std::span<const std::filesystem::path> definitions) {
    if (settings.CurCheck) {
        if (auto found = fromSameFolder(dataPath)) {
            return found;
        }
    }
    if (settings.UseHistory && home.IsSet()) {
        if (auto found = fromHistory(dataPath, home)) {
            return found;
        }
    }
    const std::vector<std::size_t> scores =
        ScoreDefinitions(dataPath, code, definitions, settings.Quick);
    if (scores.empty()) {
        return std::nullopt;
    }
    // The first of the highest scores: a tie goes to the earlier definition, and when nothing
    // recognises any record, that is the first definition of the list.
    const auto best = std::max_element(scores.begin(), scores.end());
    return definitions[static_cast<std::size_t>(best - scores.begin())];
}

} // namespace ranvo
