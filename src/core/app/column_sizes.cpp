#include "core/app/column_sizes.h"

#include "core/text/number_text.h"
#include "core/text/sjis.h"
#include "core/text/text_helpers.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

namespace ranvo {
namespace {

constexpr int kTextInset = 5;
// The widest a fitted column gets. The grid scrolls by whole columns, so no more of a column than
// a screen's width ever shows; the bound keeps pixel sums of a cell of hundreds of megabytes
// within an int, and lets a text be measured from its start alone.
constexpr int kMaxFittedWidth = 32767;

std::string_view withoutTrailingSpaces(std::string_view text) {
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

// The widest text of columns first .. last (inclusive) over the visible rows. With a font whose
// width follows the byte count, the widest text is the longest one and nothing is measured;
// otherwise each distinct text is measured once.
std::vector<int> widestTexts(const MainState& state, UiHost& host, int first, int last) {
    const DataGrid& grid = state.Grid;
    const bool trim = !state.Settings.AutoFitTrim;
    const std::optional<int> byteWidth = host.ByteWidth(FontRole::Editor);
    std::vector<std::size_t> longest(static_cast<std::size_t>(last - first + 1), 0);
    std::vector<int> widest(longest.size(), 0);
    std::vector<std::unordered_map<std::string, int>> measured(byteWidth ? 0 : longest.size());

    auto consider = [&](int col, std::string_view text) {
        if (trim) {
            text = withoutTrailingSpaces(text);
        }
        const auto slot = static_cast<std::size_t>(col - first);
        if (byteWidth) {
            longest[slot] = std::max(longest[slot], text.size());
            return;
        }
        // Every character is at least a pixel wide: what lies past kMaxFittedWidth characters
        // cannot make the column wider than the bound.
        text = LeadingCharacters(text, kMaxFittedWidth);
        auto [entry, inserted] = measured[slot].try_emplace(std::string(text), 0);
        if (inserted) {
            entry->second = host.TextWidth(FontRole::Editor, text);
        }
        widest[slot] = std::max(widest[slot], entry->second);
    };

    CellList cells;
    for (int row = 0; row < grid.RowCount(); ++row) {
        if (grid.RowHeight(row) <= 0) {
            continue;
        }
        if (first == 0) {
            consider(0, grid.Cell(0, row));
        }
        if (row == 0) {
            for (int col = std::max(first, 1); col <= last; ++col) {
                consider(col, grid.Cell(col, 0));
            }
            continue;
        }
        grid.CutRow(row, cells);
        const int lastStored = std::min(last, static_cast<int>(cells.size()));
        for (int col = std::max(first, 1); col <= lastStored; ++col) {
            consider(col, cells[static_cast<std::size_t>(col - 1)]);
        }
    }
    if (byteWidth) {
        const auto bytesInBound =
            static_cast<std::size_t>(kMaxFittedWidth / std::max(*byteWidth, 1));
        for (std::size_t slot = 0; slot < longest.size(); ++slot) {
            widest[slot] = static_cast<int>(std::min(longest[slot], bytesInBound + 1)) * *byteWidth;
        }
    }
    for (int& width : widest) {
        width = std::min(width, kMaxFittedWidth);
    }
    return widest;
}

void applyWidths(MainState& state, int first, const std::vector<int>& widest) {
    DataGrid& grid = state.Grid;
    for (std::size_t slot = 0; slot < widest.size(); ++slot) {
        const int width = widest[slot] > 0 ? widest[slot] + kTextInset : grid.DefaultColWidth();
        grid.SetColWidth(first + static_cast<int>(slot), width);
    }
}

} // namespace

int RecordNumberColumnWidth(UiHost& host) {
    return host.TextWidth(FontRole::Editor, "99999") + kTextInset;
}

void InitGridSizes(MainState& state, UiHost& host) {
    state.Grid.SetDefaultRowHeight(host.TextHeight(FontRole::Editor, "1") + kTextInset);
    state.Grid.SetDefaultColWidth(host.TextWidth(FontRole::Editor, "9999999999") + kTextInset);
}

void AdjustWidths(MainState& state, UiHost& host) {
    BusyGuard busy(host);
    const int last = state.Grid.ColCount() - 1;
    if (last < 0) {
        return;
    }
    applyWidths(state, 0, widestTexts(state, host, 0, last));
    const int minimum = RecordNumberColumnWidth(host);
    if (state.Grid.ColWidth(0) < minimum) {
        state.Grid.SetColWidth(0, minimum);
    }
}

void AdjustWidth(MainState& state, UiHost& host, int col) {
    if (col < 0 || col >= state.Grid.ColCount()) {
        return;
    }
    applyWidths(state, col, widestTexts(state, host, col, col));
}

void AdjustHeights(MainState& state, UiHost& host) {
    BusyGuard busy(host);
    const int height = host.TextHeight(FontRole::Editor, "1") + kTextInset;
    if (height != state.Grid.DefaultRowHeight()) {
        state.Grid.RowHeights().setVisibleExtents(height);
    }
}

void FitCellSizes(MainState& state, UiHost& host) {
    if (state.DataFileName.empty() || state.AddBoxActive) {
        return;
    }
    AdjustWidths(state, host);
    AdjustHeights(state, host);
}

std::optional<int> ParseColumnWidth(std::string_view text) {
    if (!IsDigits(text)) {
        return std::nullopt;
    }
    const int width = IntegerOr(text, 0);
    return width >= 1 && width <= 9999 ? std::optional(width) : std::nullopt;
}

bool ApplyColumnWidth(MainState& state, UiHost& host, std::string_view text) {
    const std::optional<int> width = ParseColumnWidth(text);
    if (!width) {
        host.Message("幅は、1～9999の数値で指定して下さい", MessageIcon::Warning, MessageButtons::Yes);
        return false;
    }
    const GridRect selection = state.Grid.Selection();
    for (int col = selection.Left; col <= selection.Right; ++col) {
        state.Grid.SetColWidth(col, *width);
    }
    return true;
}

void ResetSizes(MainState& state, UiHost& host) {
    DataGrid& grid = state.Grid;
    grid.ResetExtents();
    if (grid.ColCount() > 0) {
        grid.SetColWidth(0, host.TextWidth(FontRole::Editor, "99999"));
    }
}

} // namespace ranvo
