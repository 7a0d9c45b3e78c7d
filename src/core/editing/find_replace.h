#pragma once

// Finding and replacing text in the grid. A search runs from a start cell over the whole grid row
// by row, along the current row or down the current column, and never wraps around; cells of
// hidden rows and columns never match. With fields ignored it searches the records' texts (as
// loaded or typed) and lands on the field where the match starts. Matches never start on a trail
// byte; without the case flag single-byte letters match in either case.

#include "core/platform/ui_host.h"
#include "core/state/main_state.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ranvo {

enum class FindDirection { Whole = 0, Row = 1, Column = 2 };

struct FindOptions {
    std::string Key; // CP932
    bool MatchCase = true;
    bool IgnoreFields = false;
    FindDirection Direction = FindDirection::Whole;
};

// The byte position of the first match of `key` in `text` at or after `from` that starts on a
// character boundary; npos when there is none.
[[nodiscard]] std::size_t FindKey(std::string_view text, std::string_view key, bool matchCase,
                                  std::size_t from = 0);

// Searches from the first cell of the direction (find first) or from the cell after the current
// one (find next). A match becomes the current cell and the search position; none leaves the
// position at 0, 0. Answers whether a match was found.
bool FindFirst(MainState& state, const FindOptions& options);
bool FindNext(MainState& state, const FindOptions& options);

// "「key」はみつかりませんでした".
void ShowNotFound(UiHost& host, std::string_view key);

// Replaces the first match in cell (col, row), fitted to its field, with an undo entry.
void ReplaceInCell(MainState& state, int col, int row, const FindOptions& options,
                   std::string_view replacement);

// The replace button: the first match from the start, replaced (after asking when `confirm`).
void ReplaceOnce(MainState& state, UiHost& host, const FindOptions& options,
                 std::string_view replacement, bool confirm);
// The replace-all button: every match in turn, the first in each cell, until none is left or the
// user cancels.
void ReplaceAll(MainState& state, UiHost& host, const FindOptions& options,
                std::string_view replacement, bool confirm);

} // namespace ranvo
