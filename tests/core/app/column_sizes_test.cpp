#include "core/app/column_sizes.h"

#include "core/app/app_fixture.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

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

// A font as wide as the host says, which measures texts by their bytes and notes the longest.
class WideFontHost : public test::FakeUiHost {
public:
    explicit WideFontHost(int byteWidth) : m_byteWidth(byteWidth) {}
    std::optional<int> ByteWidth(FontRole) override {
        return proportional ? std::nullopt : std::optional<int>(m_byteWidth);
    }
    int TextWidth(FontRole, std::string_view text) override {
        longestMeasured = std::max(longestMeasured, text.size());
        const auto pixels = static_cast<std::int64_t>(text.size()) * m_byteWidth;
        return static_cast<int>(std::min<std::int64_t>(pixels, std::numeric_limits<int>::max()));
    }
    std::size_t longestMeasured = 0;

private:
    int m_byteWidth;
};

TEST_F(ColumnSizesTest, VeryLongCellsFitABoundedWidth) {
    // 3,000 bytes of 1,000,000 pixels each would be 3e9 pixels, past what an int holds; a cell
    // of hundreds of megabytes in an ordinary font is the same. The fitted width stays bounded,
    // and a text in a proportional font is measured from its start alone.
    load(DefinitionBuilder("CS").condition("", 1, {}).build(),
         {"  0" + std::string(3000, 'w') + ",short", "  0" + std::string(100'000, 'x')});
    for (const bool proportional : {false, true}) {
        WideFontHost wide(1'000'000);
        wide.proportional = proportional;
        AdjustWidths(state, wide);
        EXPECT_GT(state.Grid.ColWidth(1), 30'000);
        EXPECT_LE(state.Grid.ColWidth(1), 33'000);
        EXPECT_EQ(state.Grid.ColWidth(2), state.Grid.ColWidth(1)); // "short" is wide enough too
        EXPECT_LE(wide.longestMeasured, 33'000u);
    }
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
