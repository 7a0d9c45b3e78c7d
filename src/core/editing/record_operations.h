#pragma once

// The record commands: new and insert record (typed into the add box), copy, cut, paste and
// delete records. They keep the grid and the record list in step: grid row r is entry r - 1.
// Every command does nothing without a loaded file; `fromToolbar` adds the toolbar's own guard
// (nothing while a record is being typed, and no paste from an empty record clipboard).

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <string_view>

namespace ranvo {

// Rows top to bottom of the selection into the record clipboard (with their condition prefixes)
// and, one line each ended by CR LF, onto the system clipboard.
void CopyRecords(MainState& state, UiHost& host, bool fromToolbar = false);
// Copies the selected rows, then removes them after asking; clears the undo stack, since a cut
// cannot be undone.
void CutRecords(MainState& state, UiHost& host, bool fromToolbar = false);
// Inserts the record clipboard before the selection's top row.
void PasteRecords(MainState& state, bool fromToolbar = false);
// Removes the selected rows after asking; undo brings them back.
void DeleteRecords(MainState& state, UiHost& host, bool fromToolbar = false);

// A new empty last row (or, inserting, an empty row at the current row) for the add box to type
// a record into; "ADD" or "INC" stands in its column 0. Answers whether a row was made.
bool BeginNewRecord(MainState& state);
bool BeginInsertRecord(MainState& state);
// The add box is left: empty text removes the row again, anything else becomes the record.
void EndRecordEntry(MainState& state, std::string_view text);

} // namespace ranvo
