#pragma once

// The undo stack: every edit pushes what it overwrote or where it changed the grid, and undo
// applies the newest entry and removes it. There is no redo and no depth limit.
//
// Entries hold what they restore as records and row orders, never as text to be split again: a
// record's bytes stay in the record list's memory while the file is open (see RecordList), so an
// entry holds 16 bytes per record it puts back, and a sort's entry 4 bytes per row.

#include "core/grid/record_list.h"

#include <cstdint>
#include <vector>

namespace ranvo {

enum class UndoKind : std::uint8_t {
    Cell = 1,            // one cell changed: the record of row Row before it
    CellBlock = 2,       // cells of rows Row onward changed: their records before it
    AddedRecord = 4,     // the new row Row
    DeletedRecords = 8,  // the records taken out from row Row on
    PastedRecords = 32,  // rows Column up to (not including) Row were pasted
    RecordList = 64,     // a sort: the order it applied
};

struct UndoEntry {
    UndoKind Kind = UndoKind::Cell;
    int Column = 0;
    int Row = 0;
    // Cell, CellBlock: the records of rows Row, Row + 1, ... as they were; DeletedRecords: the
    // records taken out, in order.
    std::vector<StoredRecord> Records;
    // RecordList: row 1 + k took what row 1 + Order[k] held.
    std::vector<std::uint32_t> Order;
    std::uint64_t Serial = 0;

    static UndoEntry CellEdit(int col, int row, const StoredRecord& before) {
        return make(UndoKind::Cell, col, row, {before});
    }
    static UndoEntry BlockEdit(int left, int top, std::vector<StoredRecord> before) {
        return make(UndoKind::CellBlock, left, top, std::move(before));
    }
    static UndoEntry Added(int row) { return make(UndoKind::AddedRecord, 0, row, {}); }
    static UndoEntry Deleted(int top, std::vector<StoredRecord> records) {
        return make(UndoKind::DeletedRecords, 0, top, std::move(records));
    }
    static UndoEntry Pasted(int first, int end) { return make(UndoKind::PastedRecords, first, end, {}); }
    static UndoEntry Sorted(std::vector<std::uint32_t> order) {
        UndoEntry entry = make(UndoKind::RecordList, 0, 0, {});
        entry.Order = std::move(order);
        return entry;
    }

private:
    static UndoEntry make(UndoKind kind, int column, int row, std::vector<StoredRecord> records) {
        UndoEntry entry;
        entry.Kind = kind;
        entry.Column = column;
        entry.Row = row;
        entry.Records = std::move(records);
        return entry;
    }
};

class TUndoData {
public:
    void Push(UndoEntry entry) {
        entry.Serial = ++m_lastSerial;
        m_entries.push_back(std::move(entry));
    }
    [[nodiscard]] std::size_t Count() const { return m_entries.size(); }
    [[nodiscard]] const UndoEntry& Newest() const { return m_entries.back(); }
    void Pop() { m_entries.pop_back(); }
    // Empties the stack; the file is then as saved (after a load) or changed (after a cut).
    void Clear(bool atSavedState) {
        m_entries.clear();
        m_savedSerial = atSavedState ? 0 : kNeverSaved;
    }

    // The file was saved (or loaded) as the entries now on the stack left it; undoing back to
    // exactly this point gives the saved file again.
    void MarkSaved() { m_savedSerial = m_entries.empty() ? 0 : m_entries.back().Serial; }
    [[nodiscard]] bool AtSavedState() const {
        return m_savedSerial == (m_entries.empty() ? 0 : m_entries.back().Serial);
    }

private:
    static constexpr std::uint64_t kNeverSaved = UINT64_MAX;

    std::vector<UndoEntry> m_entries;
    std::uint64_t m_lastSerial = 0;
    std::uint64_t m_savedSerial = 0;
};

} // namespace ranvo
