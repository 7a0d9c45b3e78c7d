#pragma once

// A plain reference for the editing model test: how a data file is cut into records and cells, how
// a changed cell rewrites a record and how the records are written and read back, written straight
// from the file formats' rules, with no regard for speed and without any of the program's code.
// The model test holds the file as a list of these records and checks the program against it.

#include "core/definitions/define_class.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo::test {

enum class FileKind { FL, FB, CS, CT };

// One record type: recognised by a word at a byte (fixed-length) or a column (CSV); a
// fixed-length type lists its fields' byte lengths, a CSV type only how many fields it names.
struct RecordType {
    std::string checkWord;
    int checkStart = 1;
    std::vector<int> fieldLengths;
};

struct FileScheme {
    std::string name;
    FileKind kind = FileKind::FL;
    int recordLength = 0; // FB
    std::string separator = ",";
    std::string quote = "\"";
    bool quoteAlways = false;
    bool topTitle = false;
    std::vector<RecordType> types; // the first is the fallback

    [[nodiscard]] bool fixed() const { return kind == FileKind::FL || kind == FileKind::FB; }
    // The definition the program reads the file with.
    [[nodiscard]] TDefineClass Definition() const;
};

struct RefRecord {
    int condition = 0;
    std::string text;

    friend bool operator==(const RefRecord&, const RefRecord&) = default;
};

namespace reference {

// CP932: a lead byte with a byte after it starts a two-byte character.
[[nodiscard]] std::size_t CharBytes(std::string_view text, std::size_t pos);
// `value` in exactly `length` bytes: cut before a character that would not fit whole, padded
// with blanks.
[[nodiscard]] std::string FitBytes(std::string_view value, std::size_t length);
// Single-byte letters to upper or lower case; double-byte characters as they are.
[[nodiscard]] std::string ChangeCase(std::string_view text, bool upper);
// The first match of `key` starting on a character; without `matchCase` single-byte letters
// match in either case. npos when there is none.
[[nodiscard]] std::size_t FindKey(std::string_view text, std::string_view key, bool matchCase);
// Lines ended by CR LF, CR or LF; a line end at the very end starts no further line.
[[nodiscard]] std::vector<std::string> Lines(std::string_view text);

} // namespace reference

// Bytes and records as a message shows them: printable ASCII as it is, every other byte in hex.
[[nodiscard]] std::string Shown(std::string_view bytes);
[[nodiscard]] std::string Shown(const RefRecord& record);

class ReferenceFile {
public:
    explicit ReferenceFile(FileScheme scheme) : m_scheme(std::move(scheme)) {}

    [[nodiscard]] const FileScheme& scheme() const { return m_scheme; }

    [[nodiscard]] std::vector<std::string> Cells(const RefRecord& record) const;
    [[nodiscard]] std::string Cell(const RefRecord& record, std::size_t index) const;
    // The value as cell `index` of a `condition` record keeps it.
    [[nodiscard]] std::string FitValue(int condition, std::size_t index,
                                       std::string_view value) const;
    // The record with one cell changed: a fixed-length record keeps every other byte, a CSV
    // record is written again from its cells.
    [[nodiscard]] RefRecord WithCell(const RefRecord& record, std::size_t index,
                                     std::string_view value) const;
    // A CSV record written from its values.
    [[nodiscard]] std::string BuildCsv(std::vector<std::string> values) const;
    // A whole record typed into the add box or pasted from the record clipboard: its type found
    // from its text, a fixed-length one brought to its type's length.
    [[nodiscard]] RefRecord Typed(std::string_view text) const;
    [[nodiscard]] int FindCondition(std::string_view text) const;
    [[nodiscard]] std::size_t RecordLength(int condition) const;

    // The file as written (before encoding) and the records read back from such a text.
    [[nodiscard]] std::string FileText(const std::vector<RefRecord>& records,
                                       std::string_view titleLine) const;
    [[nodiscard]] std::vector<RefRecord> Load(std::string_view text) const;

private:
    [[nodiscard]] std::vector<std::string> splitCsv(std::string_view text) const;

    FileScheme m_scheme;
};

} // namespace ranvo::test
