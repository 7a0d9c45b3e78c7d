#include "core/loading/record_loader.h"

#include "core/loading/data_encoding.h"
#include "core/platform/file_io.h"
#include "core/platform/paths.h"
#include "core/platform/system_memory.h"
#include "core/text/text_helpers.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <memory>
#include <new>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace ranvo {
namespace {

// Progress is counted in tenths of the file's bytes: reading takes the first four tenths, cutting
// and tagging the records the next five, storing them the last.
constexpr std::size_t kReadPiece = std::size_t{16} << 20;
constexpr std::size_t kRecordsPerReport = 65536;

// Tells how far the work has come; false when the user asked to stop it.
bool reportProgress(TaskProgress* progress, std::uint64_t done, std::uint64_t total) {
    if (progress == nullptr) {
        return true;
    }
    progress->Report(done, total);
    return !progress->Cancelled();
}

// The whole file in one buffer that is written once, by the read itself.
struct FileText {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
};

std::optional<FileText> readWholeFile(const std::filesystem::path& path, TaskProgress* progress) {
    FileReader reader(path);
    if (!reader.IsOpen()) {
        return std::nullopt;
    }
    const std::size_t expected = reader.Size();
    FileText file{std::make_unique_for_overwrite<char[]>(std::max<std::size_t>(expected, 1)), 0};
    AdviseLargePages(file.bytes.get(), expected);
    while (file.size < expected) {
        const std::optional<std::size_t> got =
            reader.ReadRaw(file.bytes.get() + file.size, std::min(kReadPiece, expected - file.size));
        if (!got) {
            return std::nullopt;
        }
        if (*got == 0) {
            break; // the file shrank meanwhile: what is there is the file
        }
        file.size += *got;
        if (!reportProgress(progress, file.size * 4, expected * 10)) {
            return std::nullopt;
        }
    }
    return file;
}

// The decoded text, owned by whoever keeps the records: the file's own buffer for Shift_JIS,
// the decoder's output otherwise (the file's bytes are then released).
struct StoredText {
    std::shared_ptr<const void> owner;
    std::string_view text;
};

StoredText decode(FileText file, KanjiCode code, LoadReport& report) {
    const std::string_view bytes(file.bytes.get(), file.size);
    if (code == KanjiCode::ShiftJis) {
        report.Characters.ReserveCodesIn(bytes);
        auto owner = std::make_shared<FileText>(std::move(file));
        return {owner, {owner->bytes.get(), owner->size}};
    }
    DecodedText decoded = DecodeDataView(bytes, code, report.Characters);
    report.LostCharacters = decoded.LostCharacters;
    report.Utf8Bom = decoded.Utf8Bom;
    auto owner = std::make_shared<std::string>(std::move(decoded.text));
    return {owner, *owner};
}

// An FB file has no line breaks of its own; its writer ends it with one CR LF, which is not data.
std::string_view withoutFinalLineEnd(std::string_view text) {
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    } else if (text.ends_with('\r') || text.ends_with('\n')) {
        text.remove_suffix(1);
    }
    return text;
}

// The records of the file as cut: lines, or FB pieces.
void cutRecords(std::string_view text, const TDefineClass& definition, std::vector<std::string_view>& pieces) {
    pieces.clear();
    if (definition.FileFormat == "FB") {
        const std::string_view data = withoutFinalLineEnd(text);
        const auto length = static_cast<std::size_t>(definition.RecordLength);
        pieces.reserve(data.size() / length + 1);
        for (std::size_t pos = 0; pos < data.size(); pos += length) {
            pieces.push_back(data.substr(pos, length));
        }
    } else {
        SplitLines(text, pieces);
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

// What a load may hold at most: room for the rest of the machine.
std::uint64_t memoryLimit() {
    return PhysicalMemoryBytes() / 4 * 3;
}

bool tagRecords(std::span<const std::string_view> pieces, const TDefineClass& definition, StoredText stored,
                RecordList& records, LoadReport& report, TaskProgress* progress) {
    const bool fixed = definition.IsFixedFormat();
    // Fixed-length records take their condition's length, so a definition with absurd lengths
    // could ask for more memory than the machine has: the padding is known before anything is
    // copied, and such a load is refused.
    std::vector<std::uint16_t> conditions(pieces.size());
    std::uint64_t padding = 0;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const int condition = definition.FindCondition(pieces[k]);
        conditions[k] = static_cast<std::uint16_t>(condition);
        if (fixed) {
            const std::int32_t length = definition.Conditions[static_cast<std::size_t>(condition)].MaxLength;
            if (length < 0) {
                return false;
            }
            if (pieces[k].size() != static_cast<std::size_t>(length)) {
                report.LengthMismatch = true;
                if (pieces[k].size() < static_cast<std::size_t>(length)) {
                    padding += static_cast<std::uint64_t>(length);
                }
            }
        }
        if (k % kRecordsPerReport == 0 && !reportProgress(progress, 5 * pieces.size() + 4 * k, 10 * pieces.size())) {
            return false;
        }
    }
    const std::uint64_t needed = stored.text.size() + padding + pieces.size() * sizeof(StoredRecord);
    if (needed > memoryLimit()) {
        return false;
    }
    RecordList fresh;
    fresh.KeepAlive(std::move(stored.owner));
    fresh.Reserve(pieces.size());
    std::string padded;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (k % kRecordsPerReport == 0 && !reportProgress(progress, 9 * pieces.size() + k, 10 * pieces.size())) {
            return false;
        }
        const int condition = conditions[k];
        const std::string_view piece = pieces[k];
        if (!fixed) {
            fresh.AppendView(condition, piece);
            continue;
        }
        const auto length = static_cast<std::size_t>(definition.Conditions[static_cast<std::size_t>(condition)].MaxLength);
        if (piece.size() >= length) {
            fresh.AppendView(condition, piece.substr(0, length));
        } else {
            padded.assign(piece);
            padded.resize(length, ' ');
            fresh.Append(condition, padded);
        }
    }
    records = std::move(fresh);
    return true;
}

// The text around records [first, last) of `all`: from the first record to the first kept one,
// and from the record after the last kept one to the end (the FB file's final line end left out).
OutsideRange outsideOf(const StoredText& stored, std::span<const std::string_view> all, std::size_t first,
                       std::size_t last, const TDefineClass& definition) {
    const std::string_view text = definition.FileFormat == "FB" ? withoutFinalLineEnd(stored.text) : stored.text;
    const char* const end = text.data() + text.size();
    const auto startOf = [&](std::size_t k) { return k < all.size() ? all[k].data() : end; };
    const char* const begin = startOf(0);
    const char* const keptBegin = startOf(first);
    const char* const afterBegin = startOf(last);
    return {stored.owner, {begin, static_cast<std::size_t>(keptBegin - begin)},
            {afterBegin, static_cast<std::size_t>(end - afterBegin)}};
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

bool readRecords(const std::filesystem::path& path, const LoadOptions& options, TDefineClass& definition,
                 RecordList& records, LoadReport& report, TaskProgress* progress) {
    const std::size_t conditionCount = definition.Conditions.size();
    if (conditionCount == 0 || conditionCount > TDefineClass::MaxConditionCount) {
        return false;
    }
    if (definition.FileFormat == "FB" && definition.RecordLength <= 0) {
        return false;
    }
    report.Stamp = StampOf(path);
    std::optional<FileText> file = readWholeFile(path, progress);
    if (!file) {
        return false;
    }
    // The raw bytes and, for a converted code, the decoded text are held at once for a moment.
    const std::uint64_t transient = options.Code == KanjiCode::ShiftJis ? file->size : std::uint64_t{file->size} * 2;
    if (transient > memoryLimit()) {
        return false;
    }
    if (definition.FileFormat == "FB" && file->size == 0) {
        return false;
    }
    StoredText stored = decode(std::move(*file), options.Code, report);

    std::vector<std::string_view> pieces;
    cutRecords(stored.text, definition, pieces);
    std::size_t firstLine = 0;
    if (definition.IsCsvFormat() && definition.TopTitle) {
        if (pieces.empty()) {
            return false;
        }
        takeTitles(pieces[0], definition);
        report.TitleLine = pieces[0];
        firstLine = 1;
    }
    if (definition.FileFormat == "FB") {
        report.LengthMismatch = withoutFinalLineEnd(stored.text).size() % static_cast<std::size_t>(definition.RecordLength) != 0;
    }
    const auto [first, last] = keptRange(options.Range, pieces.size() - firstLine);
    const std::span<const std::string_view> all(pieces.data() + firstLine, pieces.size() - firstLine);
    if (options.Range.Enabled) {
        report.Outside = outsideOf(stored, all, first, last, definition);
    }
    return tagRecords(all.subspan(first, last - first), definition, std::move(stored), records, report, progress);
}

} // namespace

bool ReadRecords(const std::filesystem::path& path, const LoadOptions& options, TDefineClass& definition,
                 RecordList& records, LoadReport& report, TaskProgress* progress) {
    try {
        return readRecords(path, options, definition, records, report, progress);
    } catch (const std::bad_alloc&) {
        return false; // a file too large for the memory left is refused like any unreadable one
    } catch (const std::length_error&) {
        return false;
    }
}

LoadOutcome LoadDataFile(MainState& state, TDefineClass definition, const std::filesystem::path& path,
                         const LoadOptions& options, UiHost& host) {
    RecordList records;
    LoadReport report;
    TaskProgress progress;
    bool read = false;
    const bool completed = host.RunWithProgress("ファイルを読み込んでいます", progress, [&] {
        read = ReadRecords(path, options, definition, records, report, &progress);
    });
    if (!completed) {
        return LoadOutcome::Cancelled;
    }
    if (!read) {
        return LoadOutcome::Failed;
    }
    state.Definition = std::move(definition);
    state.Grid.SetRecords(std::move(records));
    state.DataFileName = FullPath(path);
    state.Loaded = options;
    state.Utf8Bom = report.Utf8Bom;
    state.Outside = std::move(report.Outside);
    state.TitleLine = std::move(report.TitleLine);
    state.LoadedStamp = report.Stamp;
    state.Characters = std::move(report.Characters);
    state.Modified = false;
    // Undo entries were recorded against the previous file's rows.
    state.UndoData.Clear(true);
    state.UndoEnabled = false;
    if (report.LostCharacters > 0) {
        host.ShowWarning(lostCharactersMessage(report.LostCharacters));
    }
    if (report.LengthMismatch && state.Settings.FixCheck) {
        host.ShowWarning(lengthMismatchMessage(state.DataFileName, state.Definition.FilePath));
    }
    return LoadOutcome::Loaded;
}

} // namespace ranvo
