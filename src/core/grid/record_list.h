#pragma once

// The record list: one entry per data row of the grid, in row order. An entry is the row's
// condition prefix (the condition's index right-aligned in three characters, blanks in front)
// followed by the record's text, so "  5ABC" is record "ABC" of condition 5. A row's condition
// is always read back from that prefix.
//
// Entries live as blobs in an arena: a million records cost one pointer each plus their bytes.
// Moving, inserting and sorting rows move pointers only. A view of an entry stays valid until
// the next change of the list.

#include "core/grid/blob_arena.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

inline constexpr std::size_t kConditionPrefixLength = 3;

// The three-character prefix of condition `index` (0 to 999): "  0", " 12", "999".
[[nodiscard]] std::array<char, kConditionPrefixLength> ConditionPrefix(int index);

// The condition an entry names: its first three characters read as an integer, 0 when they are
// not one.
[[nodiscard]] int ConditionOfEntry(std::string_view entry);

class RecordList {
public:
    [[nodiscard]] std::size_t size() const { return m_entries.size(); }
    [[nodiscard]] bool empty() const { return m_entries.empty(); }

    // The whole entry: prefix and record text.
    [[nodiscard]] std::string_view operator[](std::size_t index) const;
    // The record text: the entry without its prefix.
    [[nodiscard]] std::string_view Text(std::size_t index) const;
    [[nodiscard]] int Condition(std::size_t index) const { return ConditionOfEntry((*this)[index]); }

    void Append(std::string_view entry);
    // Appends prefix + text, the text cut or padded with blanks to `length` bytes when `length`
    // is given (fixed-length records are kept at their condition's byte length).
    void AppendRecord(int condition, std::string_view text);
    void AppendRecord(int condition, std::string_view text, std::size_t length);
    void Insert(std::size_t index, std::string_view entry);
    void Set(std::size_t index, std::string_view entry);
    void Erase(std::size_t index, std::size_t count = 1);
    void Clear();
    void Reserve(std::size_t count) { m_entries.reserve(count); }

    // Reorders the entries: entry k becomes the old entry order[k]. `order` is a permutation.
    void Permute(const std::vector<std::size_t>& order);

    // All entries, each followed by CR LF.
    [[nodiscard]] std::string JoinedWithCrLf() const;

private:
    [[nodiscard]] const char* store(std::string_view prefix, std::string_view text,
                                    std::size_t length);
    void forget(const char* blob);
    void compactIfWorthIt();

    BlobArena m_arena;
    std::vector<const char*> m_entries;
};

} // namespace ranvo
