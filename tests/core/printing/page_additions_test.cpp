#include "core/printing/page_additions.h"
#include "core/printing/print_cell_look.h"
#include "core/definitions/definition_layout.h"

#include "support/fake_ui_host.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

class PageAdditionsTest : public ::testing::Test {
protected:
    PageAdditionsTest() : state(AppHome(), TRanvoSetting::Defaults()) {
        state.DataFileName = "/data/sales.txt";
        state.Definition.FilePath = "/defs/sales.def";
    }

    MainState state;
    test::FakeUiHost host;
};

TEST_F(PageAdditionsTest, EachKindGivesItsText) {
    TPageAddition addition;
    const auto text = [&](AdditionKind kind, int page, int count) {
        addition.Kind = kind;
        return AdditionText(state, addition, page, count, "2026/12/08 18:10:05");
    };
    EXPECT_EQ(text(AdditionKind::PrintedAt, 1, 1), "2026/12/08 18:10:05");
    EXPECT_EQ(text(AdditionKind::PageNumber, 1, 1), "1\x81\x5E" "1\x83\x79\x81\x5B\x83\x57");
    EXPECT_EQ(text(AdditionKind::PageNumber, 3, 12), "3\x81\x5E" "12\x83\x79\x81\x5B\x83\x57");
    EXPECT_EQ(text(AdditionKind::DataFileName, 1, 1), "sales.txt");
    EXPECT_EQ(text(AdditionKind::DataFilePath, 1, 1), "/data/sales.txt");
    EXPECT_EQ(text(AdditionKind::DefineFileName, 1, 1), "sales.def");
    addition.FreeText = "note";
    EXPECT_EQ(text(AdditionKind::FreeText, 1, 1), "note");
    EXPECT_EQ(PrintedAtText().size(), 19U);
}

TEST_F(PageAdditionsTest, HeadersSitAtTheTopMarginAndFootersAboveTheBottomOne) {
    TOlenSGridPrinter printer;
    printer.CalcLayout(DataGrid(), {96, 96, 96, 96, 794, 1123}, false); // A4 at 96 dots per inch
    EXPECT_EQ(PlaceAddition(0, 40, printer, 100).X, 37);
    EXPECT_EQ(PlaceAddition(1, 40, printer, 100).X, 397 - 20);
    EXPECT_EQ(PlaceAddition(2, 40, printer, 100).X, 794 - 18 - 40);
    EXPECT_EQ(PlaceAddition(2, 40, printer, 100).Y, 37);
    EXPECT_EQ(PlaceAddition(4, 40, printer, 200).Y, 1123 - 37 - 2);

    ReserveAdditionRoom(printer, 16, 16, 96);
    EXPECT_EQ(printer.ExtraTopMargin, 4);
    EXPECT_EQ(printer.ExtraBottomMargin, 0) << "footers stand inside the bottom margin";
}

TEST_F(PageAdditionsTest, TheEditorRefusesSizesOutsideOneToNinetyNine) {
    AdditionEditor editor(state.Additions, host);
    EXPECT_EQ(editor.Shown.FontSize, "9");
    editor.Shown.FontSize = "abc";
    EXPECT_FALSE(editor.Select(1));
    EXPECT_EQ(host.messageTexts().back(), "文字サイズは、数値で設定して下さい");
    for (const char* size : {"0", "100"}) {
        editor.Shown.FontSize = size;
        EXPECT_FALSE(editor.Select(1));
        EXPECT_EQ(host.messageTexts().back(), "文字サイズは、1～99で設定して下さい");
    }
    EXPECT_EQ(editor.Position(), 0);
}

TEST_F(PageAdditionsTest, BoldStaysWithItsPositionAndSetHandsEverythingBack) {
    AdditionEditor editor(state.Additions, host);
    editor.Shown.Bold = true;
    editor.Shown.Kind = AdditionKind::PageNumber;
    ASSERT_TRUE(editor.Select(1));
    EXPECT_FALSE(editor.Shown.Bold);
    editor.Enabled[0] = true;
    const std::optional<PageAdditions> set = editor.Set();
    ASSERT_TRUE(set);
    EXPECT_TRUE((*set)[0].Enabled);
    EXPECT_EQ((*set)[0].Font.Style, FontStyleBold);
    EXPECT_EQ((*set)[0].Kind, AdditionKind::PageNumber);
    EXPECT_FALSE((*set)[1].Enabled);
}

TEST_F(PageAdditionsTest, PrintedCellsShowFilteredValuesOnlyWhenAsked) {
    TDefineClass& definition = state.Definition;
    TCondition& condition = definition.Conditions.emplace_back();
    condition.ConditionColor = 0x123456;
    definition.FileFormat = "FL";
    condition.FieldName = {"f"};
    condition.FieldLength = {"2"};
    condition.FieldColor = {"255"};
    TDefineClass::DefineLoaded = true;
    RecordList records;
    records.Append(0, "ab");
    state.Grid.SetRecords(std::move(records));
    state.Grid.SetLayout(LayoutOf(definition));
    state.Grid.SetColCount(2);

    CellLook look = ChoosePrintCellLook(state, 1, 1);
    EXPECT_EQ(look.Background, 0x123456);
    EXPECT_EQ(look.TextColor, 255);
    EXPECT_EQ(look.Text, "ab");
    EXPECT_EQ(ChoosePrintCellLook(state, 0, 1).Rule, CellRule::Fixed);

    state.HighLightOn = true;
    state.HighLightCondition = 0;
    state.HighLightField = 0;
    EXPECT_EQ(ChoosePrintCellLook(state, 1, 1).Rule, CellRule::HighLight);
}

} // namespace
} // namespace ranvo
