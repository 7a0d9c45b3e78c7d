#pragma once

// A definition says how the bytes of a data file become records and fields: the file-level
// attributes (fixed-length or CSV, record length, separator, quoting, title line) and the ordered
// list of conditions, of which condition 0 is the fallback for records no other condition
// recognises. Every other part of the program reads it through the queries below, which answer
// defaults and never fail, so a definition read from a hand-made file can never make a caller
// index out of range. The `.def` reader and writer are members too (define_file.cpp), and so
// is the XML export (define_xml.cpp).

#include "core/definitions/define_condition.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

class TDefineClass {
public:
    // Condition 0 carries this name (適用定義なしレコード, CP932) after every read.
    static constexpr std::string_view FallbackConditionName =
        "\x93\x4B\x97\x70\x92\xE8\x8B\x60\x82\xC8\x82\xB5\x83\x8C\x83\x52\x81\x5B\x83\x68";
    // The record list tags each record with its condition index in three digits, so a file
    // with more conditions is rejected.
    static constexpr int MaxConditionCount = 999;
    // The colour of a field whose colour text is not a number.
    static constexpr std::int32_t UnreadableFieldColor = 8421504;
    // The colour of a condition whose colour text in a file is not a number.
    static constexpr std::int32_t UnreadableConditionColor = 16777215;

    // The result of the most recent LoadFromFile on any definition. While it is false the record
    // queries answer their defaults, so records are never tagged by a half-read definition.
    static inline bool DefineLoaded = false;

    std::filesystem::path FilePath;   // file whose text was read last
    std::filesystem::path SourcePath; // file behind this definition; empty for a new one
    std::string DefineName;
    std::int32_t RecordLength = 0; // FB: records are cut every RecordLength bytes; 0: not given
    std::string FileFormat;        // FB, FL (fixed-length), CS, CT (CSV)
    std::string Separate;          // CSV separator, at most one character
    std::string Quote;             // CSV quote character, may be empty
    bool QuoteAlways = false;
    bool TopTitle = false;
    std::vector<TCondition> Conditions;

    // Reads a `.def` file, replacing every attribute and condition. False for a missing or
    // unreadable file and for content that breaks the file's rules; sets DefineLoaded to the
    // result. A rejected file leaves the definition partly filled.
    [[nodiscard]] bool LoadFromFile(const std::filesystem::path& path);

    // Writes the `.def` file through a temporary file, so a failure leaves the old one intact.
    // Recomputes every MaxLength and turns empty field colours into "0" as a side effect; leaves
    // fixed-format fields without a numeric start or length out of the file. False, with nothing
    // written and nothing changed, when a condition has fewer lengths, colours or starts than
    // names.
    [[nodiscard]] bool SaveToFile(const std::filesystem::path& path);

    // Writes the definition as an XML document (define_xml.cpp). False, with nothing written,
    // when a condition has fewer names, starts or colours than lengths, when the path's folder
    // does not exist, or when the file cannot be written.
    [[nodiscard]] bool SaveToXml(const std::filesystem::path& path) const;

    [[nodiscard]] bool IsFixedFormat() const { return FileFormat.starts_with('F'); }
    [[nodiscard]] bool IsCsvFormat() const { return FileFormat.starts_with('C'); }

    // Index of the first condition from 1 on that the record satisfies; 0 when none does, when
    // DefineLoaded is false, or for a format code this cannot test. Called once per record by
    // the loader: a fixed-format test allocates nothing, a CSV test splits into a reused list.
    [[nodiscard]] int FindCondition(std::string_view record) const;
    // The CSV test on a record already split into its columns.
    [[nodiscard]] int FindCondition(const std::vector<std::string>& columns) const;

    // Fills `list` with the record's field values (fixed formats: by start and length of the
    // record's condition, cut at the record's end; CS and CT: its CSV columns) and returns their
    // number. Reuses the strings already in the list.
    int SplitRecord(std::string_view record, std::vector<std::string>& list) const;

    // Field queries of condition `i`, field `j` (both 0-based). Out of range, or while
    // DefineLoaded is false: the colour answers `defaultColor`, the length 0, the start 1 and
    // the name the empty text. An entry that is not a number: colour 8421504, length and start 0.
    [[nodiscard]] std::int32_t GetFieldColor(int i, int j, std::int32_t defaultColor) const;
    [[nodiscard]] std::int32_t GetFieldLength(int i, int j) const;
    [[nodiscard]] std::int32_t GetFieldStart(int i, int j) const;
    // The length list sets the number of fields, so a name beyond it names no field.
    [[nodiscard]] const std::string& GetFieldName(int i, int j) const;

    // Index of the field of condition `i` that covers the 1-based byte `position`, found by
    // adding up the field lengths; 0 when no field does, a length is not an integer, or there
    // is no condition `i`. Independent of DefineLoaded.
    [[nodiscard]] int FieldIndexAt(int i, int position) const;

private:
    [[nodiscard]] const TCondition* loadedCondition(int i) const;

    // The CSV test splits each record into this list; reusing its strings keeps a load of a
    // million records free of per-record allocations.
    mutable std::vector<std::string> m_columns;
};

// Keeps TDefineClass::DefineLoaded as it is for a scope. Reading a definition for a purpose of
// its own (scoring candidates, the definition editor) sets the flag that every definition's
// record queries follow; the current definition must answer as before afterwards.
class DefineLoadedKeeper {
public:
    DefineLoadedKeeper() = default;
    ~DefineLoadedKeeper() { TDefineClass::DefineLoaded = m_saved; }
    DefineLoadedKeeper(const DefineLoadedKeeper&) = delete;
    DefineLoadedKeeper& operator=(const DefineLoadedKeeper&) = delete;

private:
    bool m_saved = TDefineClass::DefineLoaded;
};

} // namespace ranvo
