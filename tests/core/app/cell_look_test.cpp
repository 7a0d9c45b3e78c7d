#include "core/app/cell_look.h"

#include "core/app/app_fixture.h"
#include "core/app/highlight.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

namespace ranvo {
namespace {

using test::DefinitionBuilder;

class CellLookTest : public test::AppFixture {
protected:
    void loadTwoTypes() {
        TDefineClass definition = DefinitionBuilder("FL")
                                      .condition("", 1, {{"a", 2}})
                                      .condition("H", 1, {{"kind", 1}, {"no", 2}, {"name", 3}})
                                      .build();
        definition.Conditions[0].ConditionColor = 0x0000FF;
        definition.Conditions[1].ConditionColor = 0x00FF00;
        definition.Conditions[1].FieldColor = {"255", "x", "16711680"};
        load(definition, {"  1H12abc", "  0zz", "  1H34def"});
        state.DataFileName = "/data/file.txt";
    }
};

TEST_F(CellLookTest, RulesApplyInOrder) {
    loadTwoTypes();
    const CellLook fixed = ChooseCellLook(state, 0, 1, true);
    EXPECT_EQ(fixed.Rule, CellRule::Fixed);
    EXPECT_EQ(fixed.Background, state.Settings.FixedColor);
    EXPECT_EQ(fixed.Font, FontRole::Fixed);

    const CellLook selected = ChooseCellLook(state, 2, 1, true);
    EXPECT_EQ(selected.Rule, CellRule::Selected);
    EXPECT_EQ(selected.Background, 0x800000);
    EXPECT_EQ(selected.TextColor, 0xFFFFFF);
    EXPECT_EQ(selected.Text, "12");

    const CellLook ordinary = ChooseCellLook(state, 3, 1, false);
    EXPECT_EQ(ordinary.Rule, CellRule::Ordinary);
    EXPECT_EQ(ordinary.Background, 0x00FF00);  // the condition's colour
    EXPECT_EQ(ordinary.TextColor, 16711680);   // the field's colour
    EXPECT_EQ(ChooseCellLook(state, 2, 1, false).TextColor, 8421504); // colour text "x": grey

    const CellLook unused = ChooseCellLook(state, 3, 2, false); // a fallback row has one field
    EXPECT_EQ(unused.Rule, CellRule::Unused);
    EXPECT_EQ(unused.Background, state.Settings.IntactColor);
    EXPECT_EQ(unused.Text, "");
    state.Settings.UseIntact = false;
    EXPECT_EQ(ChooseCellLook(state, 3, 2, false).Background, 0x0000FF);
    state.Settings.UseIntact = true;
    state.Definition.FileFormat = "CT"; // CSV files have no unused cells
    EXPECT_EQ(ChooseCellLook(state, 3, 2, false).Rule, CellRule::Ordinary);
}

TEST_F(CellLookTest, HighlightMarksOneFieldOfOneCondition) {
    loadTwoTypes();
    state.Grid.SetCurrent(2, 1);
    ToggleHighLight(state);
    EXPECT_EQ(ChooseCellLook(state, 2, 3, false).Rule, CellRule::HighLight); // same condition
    EXPECT_EQ(ChooseCellLook(state, 2, 3, false).Font, FontRole::HighLight);
    EXPECT_EQ(ChooseCellLook(state, 2, 2, false).Rule, CellRule::Unused);    // another condition
    EXPECT_EQ(ChooseCellLook(state, 2, 1, true).Rule, CellRule::Selected);   // selection wins

    state.Grid.SetCurrent(2, 3); // the same field again: off
    ToggleHighLight(state);
    EXPECT_FALSE(state.HighLightOn);
    EXPECT_EQ(state.HighLightField, -1);

    ToggleHighLight(state);
    HighLightOff(state);
    EXPECT_FALSE(state.HighLightOn);
    state.DataFileName.clear(); // nothing loaded: the toggle does nothing
    ToggleHighLight(state);
    EXPECT_FALSE(state.HighLightOn);
}

TEST_F(CellLookTest, FilteredFieldsShowTheirTranslation) {
    loadTwoTypes();
    test::TempDir folder;
    test::WriteBytes(folder / "codes.fil", test::CrLfLines({";0", ";0", ";", ";1", ";1", "[Filter]", "12=twelve"}));
    state.FilterMng.Prepare(state.Definition);
    TRvFilterSetting* setting = state.FilterMng.Setting(1, 1);
    ASSERT_NE(setting, nullptr);
    setting->Applied = true;
    setting->FilterFile = "codes.fil";
    ASSERT_TRUE(state.FilterMng.LoadFilters(folder.path()));
    state.FilterMng.Active = true;

    const CellLook filtered = ChooseCellLook(state, 2, 1, false);
    EXPECT_EQ(filtered.Rule, CellRule::Filter);
    EXPECT_EQ(filtered.Background, state.Settings.FilterColor);
    EXPECT_EQ(filtered.Text, "twelve");
    EXPECT_EQ(ChooseCellLook(state, 2, 3, false).Text, "(NoMatch)"); // "34" is not in the table

    state.Grid.SetCurrent(2, 1);
    ToggleHighLight(state); // a highlight shows the translation in highlight colours
    EXPECT_EQ(ChooseCellLook(state, 2, 1, false).Rule, CellRule::HighLight);
    EXPECT_EQ(ChooseCellLook(state, 2, 1, false).Text, "twelve");

    state.FilterMng.Active = false;
    HighLightOff(state);
    EXPECT_EQ(ChooseCellLook(state, 2, 1, false).Text, "12");
}

TEST_F(CellLookTest, LongCellsAreLookedAtWithoutCopies) {
    // A cell of a megabyte is looked at every time it is painted.
    const std::string cell(1 << 20, 'v');
    load(DefinitionBuilder("CS").condition("", 1, {}).build(), {"  0" + cell});
    state.DataFileName = "/data/file.csv";
    const std::string_view stored = state.Grid.Cell(1, 1);
    ASSERT_EQ(stored, cell);
    for (const bool selected : {false, true}) {
        const CellLook look = ChooseCellLook(state, 1, 1, selected);
        EXPECT_EQ(look.Text.data(), stored.data());
        EXPECT_EQ(look.Text.size(), stored.size());
    }
    ToggleHighLight(state); // a highlighted field shows its filter's translation: the value
    const CellLook highlighted = ChooseCellLook(state, 1, 1, false);
    EXPECT_EQ(highlighted.Rule, CellRule::HighLight);
    EXPECT_EQ(highlighted.Text.data(), stored.data());
}

TEST(CellMarks, SpacesAndBytesWithoutGlyphs) {
    // "a b", an ideographic space, NUL and TAB; 89 81 40 is a kanji followed by "@", not a space.
    const std::string text("a b\x81\x40\x00\t\x89\x81\x40", 10);
    const CellMarks marks = FindCellMarks(text, true);
    EXPECT_EQ(marks.HalfSpaces, std::vector<std::size_t>{1});
    EXPECT_EQ(marks.FullSpaces, std::vector<std::size_t>{3});
    EXPECT_EQ(marks.ControlBytes, (std::vector<std::size_t>{5, 6}));

    const CellMarks withoutSpaceMarks = FindCellMarks(text, false);
    EXPECT_TRUE(withoutSpaceMarks.HalfSpaces.empty());
    EXPECT_TRUE(withoutSpaceMarks.FullSpaces.empty());
    EXPECT_EQ(withoutSpaceMarks.ControlBytes.size(), 2u);
}

} // namespace
} // namespace ranvo
