#pragma once

// The record commands: new and insert record (typed into the add box), copy, cut, paste and
// delete records. Every command does nothing without a loaded file, and nothing while a record
// is being typed into the add box (the typed row is no record yet, and rows would move under it).

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <string_view>

namespace ranvo {

// Rows top to bottom of the selection into the record clipboard (with their condition prefixes)
// and, one line each ended by CR LF, onto the system clipboard.
void CopyRecords(MainState& state, UiHost& host);
// Copies the selected rows, then removes them after asking; clears the undo stack, since a cut
// cannot be undone.
void CutRecords(MainState& state, UiHost& host);
// Inserts the record clipboard before the selection's top row.
void PasteRecords(MainState& state);
// Removes the selected rows after asking; undo brings them back.
void DeleteRecords(MainState& state, UiHost& host);

// After the last record went, the grid is one empty cell with default sizes.
void ResetToSingleCell(DataGrid& grid);

// A new empty last row (or, inserting, an empty row at the current row) for the add box to type
// a record into; "ADD" or "INC" stands in its column 0. Answers whether a row was made.
bool BeginNewRecord(MainState& state);
bool BeginInsertRecord(MainState& state);
// The add box is left: empty text removes the row again, anything else becomes the record.
// Nothing when no record is being typed.
void EndRecordEntry(MainState& state, std::string_view text);

} // namespace ranvo
