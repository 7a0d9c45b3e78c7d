#include "core/app/navigator.h"

#include "core/app/cell_selection.h"
#include "core/app/fixed_captions.h"
#include "core/app/grid_queries.h"
#include "core/app/hiding.h"
#include "core/platform/code_page.h"

namespace ranvo {
namespace {

std::string utf8(std::string_view cp932) {
    return Cp932ToUtf8(cp932).bytes;
}

std::string fileTypeText(std::string_view format) {
    if (format == "FB") {
        return "固定長レコード長";
    }
    if (format == "FL") {
        return "固定長改行";
    }
    if (format == "CS") {
        return "CSVセパレート";
    }
    if (format == "CT") {
        return "CSV引用符併用";
    }
    return {};
}

// The rows of the records, and whether each belongs to `condition`.
template <typename Visit>
void forEachRecordRow(const MainState& state, Visit visit) {
    const int rows = std::min(state.Grid.RowCount(), static_cast<int>(state.Grid.Records().size()) + 1);
    for (int row = 1; row < rows; ++row) {
        visit(row, RowCondition(state, row));
    }
}

void hideRow(MainState& state, int row) {
    AxisExtents& heights = state.Grid.RowHeights();
    heights.setExtent(row, HideMark(heights, row));
    if (row == state.Grid.Row()) {
        MoveToVisibleRow(state, row, SearchDirection::BackwardThenForward);
    }
}

// Whether entry `index` lies outside the `shown` entries from `first` on.
bool outsideView(int index, int first, int shown) {
    return index < first || index > first + std::max(shown, 1) - 1;
}

// Makes `index` the first entry shown, or the last first entry that still fills the view with
// `shown` visible entries, so that the view never runs past the grid's end.
int firstShowing(const AxisExtents& extents, int fixedCount, int index, int shown) {
    const int lastFirst =
        extents.nthVisible(std::max(extents.visibleBefore(extents.count()) - std::max(shown, 1),
                                    extents.visibleBefore(fixedCount)));
    return std::max(std::min(index, lastFirst), fixedCount);
}

} // namespace

DefinitionInfo DescribeDefinition(const TDefineClass& definition) {
    DefinitionInfo info;
    info.Name = utf8(definition.DefineName);
    info.FileName = utf8(PathToCp932(definition.FilePath.filename()));
    info.FileType = fileTypeText(definition.FileFormat);
    // An empty separator is the comma, as the definition file writes it.
    const std::string separator = definition.Separate.empty() ? std::string(",") : definition.Separate;
    info.Separate = separator == "\t" ? "「TAB文字」" : "「" + utf8(separator) + "」";
    info.Quote = "「" + utf8(definition.Quote) + "」";
    info.QuoteAlways = definition.QuoteAlways ? "常時使用" : "必要時使用";
    // The title line only means something for a CSV file.
    info.TopTitle = definition.TopTitle && definition.IsCsvFormat() ? "先頭行をフィールド名として扱う" : "";
    return info;
}

std::vector<int> CountRecordsByCondition(const MainState& state) {
    std::vector<int> counts(state.Definition.Conditions.size(), 0);
    forEachRecordRow(state, [&](int, int condition) {
        if (condition >= 0 && condition < static_cast<int>(counts.size())) {
            ++counts[static_cast<std::size_t>(condition)];
        }
    });
    return counts;
}

ConditionInfo DescribeCondition(const TDefineClass& definition, int condition, const std::vector<int>& recordCounts) {
    ConditionInfo info;
    if (condition < 0 || condition >= static_cast<int>(definition.Conditions.size())) {
        return info;
    }
    const TCondition& c = definition.Conditions[static_cast<std::size_t>(condition)];
    const bool fixed = definition.IsFixedFormat();
    for (int j = 0; j < FieldCount(definition, condition); ++j) {
        info.Fields.push_back({std::to_string(j + 1), utf8(definition.GetFieldName(condition, j)),
                               fixed ? std::to_string(definition.GetFieldStart(condition, j)) : "---",
                               fixed ? std::to_string(definition.GetFieldLength(condition, j)) : "---",
                               definition.GetFieldColor(condition, j, 0)});
    }
    info.MaxLength = fixed ? std::to_string(c.MaxLength) + "byte" : "可変長";
    if (condition == 0) {
        info.LengthShown = true;
        info.Length = "他に適用できる条件がない場合";
    } else {
        info.LengthShown = c.UseLength;
        info.Length = c.UseLength ? "レコード長が" + std::to_string(c.ConditionLength) + "byteのとき" : "";
        info.WordShown = c.UseWord;
        if (c.UseWord) {
            info.CheckWord = "「" + utf8(c.CheckWord) + "」";
            info.CheckPoint = std::to_string(c.CheckStart);
            info.ULWord = c.ULWord ? "大文字小文字を区別する" : "大文字小文字を区別しない";
        }
    }
    const int count = condition < static_cast<int>(recordCounts.size()) ? recordCounts[static_cast<std::size_t>(condition)] : 0;
    info.RecordCount = std::to_string(count) + "レコード";
    info.BackColor = c.ConditionColor;
    return info;
}

void HideRecordsOf(MainState& state, UiHost& host, int condition) {
    const BusyGuard busy(host);
    forEachRecordRow(state, [&](int row, int rowCondition) {
        if (rowCondition == condition && state.Grid.RowHeight(row) > 0) {
            hideRow(state, row);
        }
    });
    state.VisibleAllEnabled = true;
    RepaintFixCol(state);
}

void ShowOnlyRecordsOf(MainState& state, UiHost& host, int condition) {
    const BusyGuard busy(host);
    DataGrid& grid = state.Grid;
    forEachRecordRow(state, [&](int row, int rowCondition) {
        if (rowCondition == condition) {
            if (grid.RowHeight(row) <= 0) {
                grid.SetRowHeight(row, grid.DefaultRowHeight());
            }
        } else if (grid.RowHeight(row) > 0) {
            hideRow(state, row);
        }
    });
    state.VisibleAllEnabled = true;
    int number = 0;
    forEachRecordRow(state, [&](int row, int) {
        if (grid.RowHeight(row) > 0) {
            grid.SetRowNumber(row, ++number);
        }
    });
}

bool FindConditionRecord(MainState& state, int condition, int field, RecordSearch search) {
    const DataGrid& grid = state.Grid;
    const int col = field + 1;
    if (col < 1 || col >= grid.ColCount() || grid.ColWidth(col) <= 0) {
        return false;
    }
    const int last = std::min(grid.RowCount(), static_cast<int>(state.Grid.Records().size()) + 1) - 1;
    const bool downwards = search == RecordSearch::First || search == RecordSearch::Next;
    int row = search == RecordSearch::First  ? 1
              : search == RecordSearch::Last ? last
              : downwards                   ? grid.Row() + 1
                                            : grid.Row() - 1;
    for (; row >= 1 && row <= last; row += downwards ? 1 : -1) {
        if (grid.RowHeight(row) > 0 && RowCondition(state, row) == condition) {
            break;
        }
    }
    if (row < 1 || row > last) {
        return false;
    }
    // A record out of sight comes to the top of the view (its field to the left), not just
    // into it, so the records that follow it show below.
    const bool rowOutside = outsideView(row, grid.TopRow(), grid.VisibleRowCount());
    const bool colOutside = outsideView(col, grid.LeftCol(), grid.VisibleColCount());
    if (!SetCurrentCell(state, col, row)) {
        return false;
    }
    DataGrid& view = state.Grid;
    if (rowOutside) {
        view.SetTopRow(
            firstShowing(view.RowHeights(), view.FixedRows(), row, view.VisibleRowCount()));
    }
    if (colOutside) {
        view.SetLeftCol(
            firstShowing(view.ColWidths(), view.FixedCols(), col, view.VisibleColCount()));
    }
    return true;
}

bool ToggleNavigatorHighlight(MainState& state, int condition, int field) {
    if (state.HighLightOn) {
        state.HighLightOn = false;
        return false;
    }
    if (condition < 0 || field < 0) {
        return false;
    }
    state.HighLightOn = true;
    state.HighLightCondition = condition;
    state.HighLightField = field;
    DataGrid& grid = state.Grid;
    const int col = field + 1;
    const int lastShown = grid.LeftCol() + std::max(grid.VisibleColCount(), 1) - 1;
    if (col < grid.ColCount() && (col < grid.LeftCol() || col > lastShown)) {
        grid.SetLeftCol(col);
    }
    return true;
}

} // namespace ranvo
