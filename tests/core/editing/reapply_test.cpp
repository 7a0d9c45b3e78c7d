#include "core/editing/reapply.h"

#include "core/app/app_fixture.h"
#include "support/temp_dir.h"

namespace ranvo {
namespace {

using test::DefinitionBuilder;

class ReapplyTest : public test::AppFixture {};

TEST_F(ReapplyTest, EditedRowsAreCutAgainByTheirNewCondition) {
    test::TempDir dir;
    TDefineClass definition = DefinitionBuilder("FL")
                                  .condition("", 1, {{"all", 4}})
                                  .condition("H", 1, {{"k", 1}, {"n", 3}})
                                  .build();
    ASSERT_TRUE(definition.SaveToFile(dir / "d.def"));
    ASSERT_TRUE(definition.LoadFromFile(dir / "d.def"));
    load(definition, {"  0x123", "  1H456"});
    state.DataFileName = dir / "data.txt";
    state.Grid.SetCell(1, 1, "H789"); // the fallback record now starts with the check word
    host.answers = {Answer::Yes};
    ReapplyDefinition(state, host);
    EXPECT_EQ(state.Grid.Records().Entry(0), "  1H789");
    EXPECT_EQ(state.Grid.Cell(1, 1), "H");
    EXPECT_EQ(state.Grid.Cell(2, 1), "789");
    EXPECT_EQ(state.Grid.Col(), 1);

    std::filesystem::remove(dir / "d.def");
    host.answers = {Answer::Yes};
    ReapplyDefinition(state, host);
    EXPECT_EQ(host.messages.back().icon, MessageIcon::Error);
    EXPECT_EQ(state.Definition.Conditions.size(), 2u);
    EXPECT_TRUE(TDefineClass::DefineLoaded);

    host.answers = {Answer::No};
    state.Grid.SetCell(2, 1, "000"); // an edit is in the record at once, re-applied or not
    ReapplyDefinition(state, host);
    EXPECT_EQ(state.Grid.Records().Entry(0), "  1H000");
}

} // namespace
} // namespace ranvo
