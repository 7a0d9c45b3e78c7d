#include "core/export/xml_export.h"

#include "core/app/app_fixture.h"
#include "support/byte_files.h"
#include "support/temp_dir.h"

namespace ranvo {
namespace {

using test::DefinitionBuilder;

class XmlExportTest : public test::AppFixture {
protected:
    void loadSales() {
        TDefineClass definition =
            DefinitionBuilder("FL").condition("", 1, {{"a", 1}}).condition("H", 1, {{"kind", 1}, {"price", 5}}).build();
        definition.DefineName = "2005\x94\x4E\x83\x66\x81\x5B\x83\x5E"; // 2005年データ
        definition.Conditions[1].ConditionName = "Head";
        definition.Conditions[1].FieldName[1] = "\x92\x50\x89\xBF\x81\x69\x89\x7E\x81\x6A"; // 単価（円）
        load(definition, {"  1Ha<&b", "  0z"});
        state.Grid.SetCell(3, 2, "not written"); // beyond the fallback record's one field
    }
};

TEST_F(XmlExportTest, ElementsAreNamedAfterTheDefinitionAndTextsEscaped) {
    loadSales();
    EXPECT_EQ(BuildXmlText(state),
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\" ?>\r\n"
              "<_2005\x94\x4E\x83\x66\x81\x5B\x83\x5E>\r\n"
              "\t<Head>\r\n"
              "\t\t<kind>H</kind>\r\n"
              "\t\t<\x92\x50\x89\xBF_\x89\x7E_>a&lt;&amp;b</\x92\x50\x89\xBF_\x89\x7E_>\r\n"
              "\t</Head>\r\n"
              "\t<fallback>\r\n"
              "\t\t<a>z</a>\r\n"
              "\t</fallback>\r\n"
              "</_2005\x94\x4E\x83\x66\x81\x5B\x83\x5E>\r\n");
}

TEST_F(XmlExportTest, UnicodeFilesExportInTheirOwnCode) {
    load(DefinitionBuilder("FL").condition("", 1, {{"a", 1}}).build(), {});
    state.Definition.DefineName = "D";
    state.Loaded.Code = KanjiCode::Unicode;
    test::TempDir dir;
    ASSERT_EQ(WriteXmlFile(state, dir / "out.xml", [](std::size_t) { return false; }),
              WriteOutcome::Written);
    const std::string bytes = test::ReadBytes(dir / "out.xml");
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(BuildXmlText(state),
              "<?xml version=\"1.0\" encoding=\"UniCode\" ?>\r\n<D>\r\n</D>\r\n");
}

TEST_F(XmlExportTest, CharactersTheFileCodeCannotHoldAreAskedAbout) {
    // A cell typed with 𠮷 in a Shift_JIS file: its code has no place there.
    load(DefinitionBuilder("FL").condition("", 1, {{"a", 2}}).build(), {"  0ab"});
    const std::optional<std::uint16_t> code = state.Characters.CodeFor(U'𠮷');
    ASSERT_TRUE(code.has_value());
    state.Grid.SetCell(1, 1, std::string{static_cast<char>(*code >> 8), static_cast<char>(*code)});
    test::TempDir dir;
    state.DataFileName = dir / "sales.txt";
    host.chosenPaths = {dir / "sales.xml"};
    host.answers = {Answer::No};
    ExportXml(state, host);
    EXPECT_EQ(
        host.messages.back().text,
        "保存する文字コードで表せない文字が1文字あります。\r\n「?」に置き換えて保存しますか？");
    EXPECT_FALSE(std::filesystem::exists(dir / "sales.xml"));

    host.chosenPaths = {dir / "sales.xml"};
    host.answers = {Answer::Yes};
    ExportXml(state, host);
    EXPECT_EQ(host.messages.back().text, "保存しました");
    EXPECT_NE(test::ReadBytes(dir / "sales.xml").find("<a>?</a>"), std::string::npos);
}

TEST_F(XmlExportTest, CommandProposesTheDataFilesNameAndReports) {
    loadSales();
    test::TempDir dir;
    state.DataFileName = dir / "sales.txt";
    host.chosenPaths = {dir / "sales.xml"};
    ExportXml(state, host);
    EXPECT_EQ(host.fileChoices.back().initial, dir / "sales.xml");
    EXPECT_EQ(host.messages.back().text, "保存しました");
    EXPECT_FALSE(state.Modified);
}

} // namespace
} // namespace ranvo
