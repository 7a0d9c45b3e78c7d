#include "core/app/column_sizes.h"

#include "core/app/app_fixture.h"

namespace ranvo {
namespace {

using test::DefinitionBuilder;
constexpr int kChar = test::FakeUiHost::kCharWidth;

class ColumnSizesTest : public test::AppFixture {
protected:
    void loadPadded() {
        load(DefinitionBuilder("FL").condition("", 1, {{"a", 10}, {"b", 4}, {"c", 3}}).build(),
             {"  0AB        XYZ    ", "  0Q         WIDEST!   ", "  0\x88\x9F            "});
    }

    std::vector<int> widths() const {
        std::vector<int> result;
        for (int col = 0; col < state.Grid.ColCount(); ++col) {
            result.push_back(state.Grid.ColWidth(col));
        }
        return result;
    }
};

TEST_F(ColumnSizesTest, ByteLengthShortcutEqualsMeasuringEveryCell) {
    loadPadded();
    for (const bool trim : {true, false}) {
        state.Settings.AutoFitTrim = trim;
        host.offerByteWidth = true;
        host.measuredTexts = 0;
        AdjustWidths(state, host);
        const std::vector<int> shortcut = widths();
        EXPECT_EQ(host.measuredTexts, 1); // only "99999" for column 0's minimum
        host.offerByteWidth = false;
        AdjustWidths(state, host);
        EXPECT_EQ(widths(), shortcut);
    }
}

TEST_F(ColumnSizesTest, TrailingSpacesCountOnlyWithAutoFitTrim) {
    loadPadded();
    state.Settings.AutoFitTrim = true;
    AdjustWidths(state, host);
    EXPECT_EQ(state.Grid.ColWidth(1), 10 * kChar + 5);
    state.Settings.AutoFitTrim = false;
    AdjustWidths(state, host);
    EXPECT_EQ(state.Grid.ColWidth(1), 2 * kChar + 5); // "AB" and the two-byte 亜
    EXPECT_EQ(state.Grid.ColWidth(3), 3 * kChar + 5);
}

TEST_F(ColumnSizesTest, ProportionalFontsAreMeasuredOncePerDistinctText) {
    loadPadded();
    host.proportional = true;
    state.Settings.AutoFitTrim = false;
    AdjustWidth(state, host, 2);
    EXPECT_EQ(state.Grid.ColWidth(2), 8 * kChar + 5); // "WIDE": four letters twice as wide
}

TEST_F(ColumnSizesTest, HiddenColumnsReappearHiddenRowsDoNotCount) {
    loadPadded();
    state.Settings.AutoFitTrim = false;
    state.Grid.SetColWidth(2, 0);
    state.Grid.SetRowHeight(2, 0); // the row holding "WIDEST!"
    AdjustWidths(state, host);
    EXPECT_EQ(state.Grid.ColWidth(2), 3 * kChar + 5);
    EXPECT_EQ(state.Grid.RowHeight(2), 0);
}

TEST_F(ColumnSizesTest, EmptyColumnGetsTheDefaultWidth) {
    load(DefinitionBuilder("CS").condition("", 1, {}).build(), {"  0a,,", "  0b,,c"});
    for (int col = 1; col < state.Grid.ColCount(); ++col) {
        state.Grid.SetCell(col, 0, ""); // no captions either
    }
    AdjustWidths(state, host);
    EXPECT_EQ(state.Grid.ColWidth(2), state.Grid.DefaultColWidth());
}

TEST_F(ColumnSizesTest, ResetShowsEverythingAgain) {
    loadPadded();
    state.Grid.SetColWidth(2, -1);
    state.Grid.SetRowHeight(1, 0);
    ResetSizes(state, host);
    EXPECT_EQ(state.Grid.ColWidth(2), state.Grid.DefaultColWidth());
    EXPECT_EQ(state.Grid.RowHeight(1), state.Grid.DefaultRowHeight());
    EXPECT_EQ(state.Grid.ColWidth(0), 5 * kChar);
    EXPECT_EQ(state.Grid.DefaultRowHeight(), test::FakeUiHost::kTextHeight + 5);
}

} // namespace
} // namespace ranvo
