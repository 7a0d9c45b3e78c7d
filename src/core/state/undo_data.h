#pragma once

// The undo stack: every edit pushes what it overwrote or where it changed the grid, and undo
// applies the newest entry and removes it. There is no redo and no depth limit.

#include <cstdint>
#include <string>
#include <vector>

namespace ranvo {

enum class UndoKind : std::uint8_t {
    Cell = 1,            // column, row, the cell's previous text
    CellBlock = 2,       // left column, top row, previous texts (TAB between cells, CR LF rows)
    AddedRecord = 4,     // the new row
    DeletedRecords = 8,  // the first deleted row, the deleted entries each followed by CR LF
    PastedRecords = 32,  // first pasted row, and that row plus the number pasted
    RecordList = 64,     // the whole record list before a sort, one entry per line
};

struct UndoEntry {
    UndoKind Kind = UndoKind::Cell;
    int Column = 0;
    int Row = 0;
    std::string Text;
};

class TUndoData {
public:
    void Push(UndoKind kind, int column, std::string text, int row) {
        m_entries.push_back({kind, column, row, std::move(text)});
    }
    [[nodiscard]] std::size_t Count() const { return m_entries.size(); }
    [[nodiscard]] const UndoEntry& Newest() const { return m_entries.back(); }
    void Pop() { m_entries.pop_back(); }
    void Clear() { m_entries.clear(); }

private:
    std::vector<UndoEntry> m_entries;
};

} // namespace ranvo
