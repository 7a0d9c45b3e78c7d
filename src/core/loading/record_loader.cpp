#include "core/loading/record_loader.h"

#include "core/loading/data_encoding.h"
#include "core/platform/file_io.h"
#include "core/platform/paths.h"
#include "core/platform/system_memory.h"
#include "core/text/text_helpers.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <string_view>
#include <system_error>
#include <vector>

namespace ranvo {
namespace {

// An FB file has no line breaks of its own; its writer ends it with one CR LF, which is not data.
std::string_view withoutFinalLineEnd(std::string_view text) {
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    } else if (text.ends_with('\r') || text.ends_with('\n')) {
        text.remove_suffix(1);
    }
    return text;
}

void cutIntoBlocks(std::string_view data, std::size_t length, std::vector<std::string_view>& records) {
    records.clear();
    records.reserve(data.size() / length + 1);
    for (std::size_t pos = 0; pos < data.size(); pos += length) {
        records.push_back(data.substr(pos, length));
    }
}

// CSV titles name the fields of condition 0; titles beyond its fields get a field each, numbered
// on from the existing ones.
void takeTitles(std::string_view line, TDefineClass& definition) {
    std::vector<std::string> titles;
    if (definition.FileFormat.ends_with('S')) {
        SplitFields(line, titles, definition.Separate);
    } else {
        SplitQuoted(line, titles, definition.Separate.empty() ? ',' : definition.Separate[0],
                    definition.Quote.empty() ? '\0' : definition.Quote[0]);
    }
    TCondition& fallback = definition.Conditions[0];
    fallback.FieldName = std::move(titles);
    for (std::size_t k = fallback.FieldLength.size() + 1; k <= fallback.FieldName.size(); ++k) {
        fallback.FieldLength.push_back(std::to_string(k));
        fallback.FieldStart.push_back(std::to_string(k));
        fallback.FieldColor.emplace_back("0");
    }
}

// The records of the read range, as a half-open interval of record indexes.
std::pair<std::size_t, std::size_t> keptRange(const ReadRange& range, std::size_t count) {
    if (!range.Enabled) {
        return {0, count};
    }
    const std::size_t last = std::min(count, static_cast<std::size_t>(std::max(range.To, 0)));
    const std::size_t first = std::min(last, static_cast<std::size_t>(std::max(range.From - 1, 0)));
    return {first, last};
}

std::string lostCharactersMessage(std::size_t count) {
    return "シフトJISで表せない文字が" + std::to_string(count) +
           "文字あり、「?」に置き換えて読み込みました。\r\n"
           "このまま保存すると、これらの文字は元に戻せません。";
}

std::string lengthMismatchMessage(const std::filesystem::path& dataFile,
                                  const std::filesystem::path& definitionFile) {
    return "読込ファイル：" + dataFile.string() + "\r\n定義ファイル：" + definitionFile.string() +
           "\r\n\r\n読み込んだファイルの長さと定義されている長さに違いのある行がある為、\n\r"
           "正しく読み込めていない可能性があります";
}

} // namespace

bool ReadRecords(const std::filesystem::path& path, const LoadOptions& options,
                 TDefineClass& definition, RecordList& records, LoadReport& report) {
    const std::size_t conditionCount = definition.Conditions.size();
    if (conditionCount == 0 || conditionCount > TDefineClass::MaxConditionCount) {
        return false;
    }
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        return false;
    }
    DecodedText decoded = DecodeDataFile(std::move(*bytes), options.Code, report.Characters);
    report.LostCharacters = decoded.LostCharacters;
    report.Utf8Bom = decoded.Utf8Bom;
    const std::string text = std::move(decoded.text);

    std::vector<std::string_view> lines;
    if (definition.FileFormat == "FB") {
        if (text.empty() || definition.RecordLength <= 0) {
            return false;
        }
        const std::string_view data = withoutFinalLineEnd(text);
        const auto length = static_cast<std::size_t>(definition.RecordLength);
        report.LengthMismatch = data.size() % length != 0;
        cutIntoBlocks(data, length, lines);
    } else {
        SplitLines(text, lines);
    }

    std::size_t firstLine = 0;
    if (definition.IsCsvFormat() && definition.TopTitle) {
        if (lines.empty()) {
            return false;
        }
        takeTitles(lines[0], definition);
        firstLine = 1;
    }
    const auto [first, last] = keptRange(options.Range, lines.size() - firstLine);

    // Fixed-length records take their condition's length, so a definition with absurd lengths
    // could ask for more memory than the machine has. The size is known before anything is
    // stored, and such a load is refused instead.
    const bool fixed = definition.IsFixedFormat();
    std::vector<std::uint16_t> conditions;
    conditions.reserve(last - first);
    std::uint64_t needed = 0;
    for (std::size_t index = firstLine + first; index < firstLine + last; ++index) {
        const std::string_view record = lines[index];
        const int condition = definition.FindCondition(record);
        conditions.push_back(static_cast<std::uint16_t>(condition));
        std::uint64_t length = record.size();
        if (fixed) {
            const std::int32_t maxLength =
                definition.Conditions[static_cast<std::size_t>(condition)].MaxLength;
            if (maxLength < 0) {
                return false;
            }
            length = static_cast<std::uint64_t>(maxLength);
            report.LengthMismatch = report.LengthMismatch || record.size() != length;
        }
        needed += length + kConditionPrefixLength + sizeof(void*) + 4;
    }
    if (needed > PhysicalMemoryBytes() / 4) {
        return false;
    }
    RecordList fresh;
    fresh.Reserve(conditions.size());
    for (std::size_t k = 0; k < conditions.size(); ++k) {
        const std::string_view record = lines[firstLine + first + k];
        const int condition = conditions[k];
        fresh.AppendRecord(condition, record,
                           fixed ? static_cast<std::size_t>(
                                       definition.Conditions[static_cast<std::size_t>(condition)].MaxLength)
                                 : record.size());
    }
    records = std::move(fresh);
    return true;
}

bool LoadDataFile(MainState& state, const std::filesystem::path& path, const LoadOptions& options,
                  UiHost& host) {
    LoadReport report;
    if (!ReadRecords(path, options, state.Definition, state.Records, report)) {
        return false;
    }
    state.DataFileName = FullPath(path);
    state.Loaded = options;
    state.Utf8Bom = report.Utf8Bom;
    state.Characters = std::move(report.Characters);
    state.Modified = false;
    if (report.LostCharacters > 0) {
        host.ShowWarning(lostCharactersMessage(report.LostCharacters));
    }
    if (report.LengthMismatch && state.Settings.FixCheck) {
        host.ShowWarning(lengthMismatchMessage(state.DataFileName, state.Definition.FilePath));
    }
    return true;
}

} // namespace ranvo
