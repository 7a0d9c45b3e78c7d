#pragma once

// The record list: one record per data row of the grid, in row order, each its text (CP932 bytes)
// and its condition. It is the one store of the file's data: a row's cells are read from its
// record (RecordLayout), and an edit replaces the record.
//
// A record is 16 bytes here plus its bytes. The records of a loaded file are views into the
// decoded file text, which the list keeps alive, so the data is held once. Records written by
// edits are copied into an arena that only grows while the file is open: no record's bytes ever
// move or go away before the list is cleared, so an undo entry can hold the records it puts back
// as they are (StoredRecord) instead of copies. Moving, inserting and sorting rows move the
// 16-byte records only.

#include "core/grid/blob_arena.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ranvo {

inline constexpr std::size_t kConditionPrefixLength = 3;
// A record's bytes are counted in 32 bits.
inline constexpr std::size_t kMaxRecordBytes = UINT32_MAX;

// The three-character prefix of condition `index` (0 to 999): "  0", " 12", "999".
[[nodiscard]] std::array<char, kConditionPrefixLength> ConditionPrefix(int index);

// The condition a record-list entry ("  5ABC": prefix and text) names: its first three characters
// read as an integer, 0 when they are not one.
[[nodiscard]] int ConditionOfEntry(std::string_view entry);

// A record as the list holds it. Its bytes belong to the list it came from.
struct StoredRecord {
    const char* Data = nullptr;
    std::uint32_t Size = 0;
    std::uint16_t Condition = 0;

    [[nodiscard]] std::string_view Text() const { return {Data, Size}; }
};

class RecordList {
public:
    RecordList() = default;
    RecordList(RecordList&&) noexcept = default;
    RecordList& operator=(RecordList&&) noexcept = default;

    [[nodiscard]] std::size_t size() const { return m_records.size(); }
    [[nodiscard]] bool empty() const { return m_records.empty(); }

    [[nodiscard]] std::string_view Text(std::size_t index) const { return m_records[index].Text(); }
    [[nodiscard]] int Condition(std::size_t index) const { return m_records[index].Condition; }
    [[nodiscard]] const StoredRecord& Stored(std::size_t index) const { return m_records[index]; }
    // The entry form: the condition prefix, then the text (the record clipboard holds these).
    [[nodiscard]] std::string Entry(std::size_t index) const;

    // Keeps `owner` alive as long as the list, so that records may be views into its memory.
    void KeepAlive(std::shared_ptr<const void> owner) { m_owners.push_back(std::move(owner)); }
    // Appends a record whose text lies in memory the list keeps alive; nothing is copied.
    void AppendView(int condition, std::string_view text);
    // Appends, inserts or replaces a record with a copy of `text`.
    void Append(int condition, std::string_view text);
    void Insert(std::size_t index, int condition, std::string_view text);
    void Set(std::size_t index, int condition, std::string_view text);
    // Records this list stored earlier (taken out, or replaced), put back as they were.
    void Insert(std::size_t index, std::span<const StoredRecord> records);
    void Restore(std::size_t index, const StoredRecord& record) { m_records[index] = record; }
    // Takes records out; their bytes stay for undo to put them back.
    std::vector<StoredRecord> Erase(std::size_t index, std::size_t count = 1);
    // Record k becomes the old record order[k]; `order` is a permutation.
    void Permute(std::span<const std::uint32_t> order);
    // Forgets every record and the memory behind them.
    void Clear();
    void Reserve(std::size_t count) { m_records.reserve(count); }

private:
    [[nodiscard]] StoredRecord copy(int condition, std::string_view text);

    std::vector<StoredRecord> m_records;
    std::vector<std::shared_ptr<const void>> m_owners;
    BlobArena m_arena;
};

} // namespace ranvo
