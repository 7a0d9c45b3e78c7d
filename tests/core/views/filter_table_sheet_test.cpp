#include "core/views/filter_folder.h"
#include "core/views/filter_table_commands.h"
#include "core/views/filter_table_sheet.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ranvo {
namespace {

using test::CrLfLines;
using Rows = std::vector<FilterTableRow>;

} // namespace

void PrintTo(const FilterTableRow& row, std::ostream* out) {
    *out << "{\"" << row.Key << "\", \"" << row.Value << "\"}";
}

void PrintTo(const TFilterOptions& o, std::ostream* out) {
    *out << "{" << o.IsNumeric << ", " << o.UseFit << ", \"" << o.FitText << "\", " << o.TrimSpaces
         << ", " << o.CutFit << "}";
}

namespace {

// A sheet of the given rows, each typed in as a user would, and the entry row.
FilterTableSheet sheetWith(const Rows& rows) {
    FilterTableSheet sheet;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        sheet.SetCell(row, 0, "new");
        sheet.SetCell(row, 0, rows[i].Key);
        sheet.SetCell(row, 1, rows[i].Value);
    }
    return sheet;
}

TEST(FilterTableSheetTest, TypingAKeyIntoTheEntryRowAddsTheNextEntryRow) {
    FilterTableSheet sheet;
    ASSERT_EQ(sheet.RowCount(), 1);
    sheet.SetCell(0, 1, "value first");
    sheet.SetCell(0, 0, "   ");
    EXPECT_EQ(sheet.RowCount(), 1) << "a blank key makes no row";
    sheet.SetCell(0, 0, "A");
    EXPECT_EQ(sheet.Rows(), (Rows{{"A", "value first"}, {}}));
    sheet.SetCell(0, 0, "B");
    EXPECT_EQ(sheet.RowCount(), 2) << "only the last row's key adds a row";
}

TEST(FilterTableSheetTest, OpeningAFileTakesItsOptionsAndRowsAsTheyStand) {
    FilterTableSheet sheet;
    sheet.Options = {true, true, "X", true, true};
    sheet.ReadFilterFile(CrLfLines({";1", ";0", ";", "[Filter]", " 01 = one ", "two", "=none",
                                    "  =blank", "3=a=b"}));
    // Only two option lines are followed by enough lines to count; the rest are off in the
    // editor, not at the filter's defaults.
    EXPECT_EQ(sheet.Options, (TFilterOptions{true, false, "", false, false}));
    EXPECT_EQ(sheet.Rows(), (Rows{{" 01 ", " one "}, {"3", "a=b"}, {}}));

    sheet.ReadFilterFile(CrLfLines({";0", ";1", ";AB", ";0", ";1", "[filter]", "k=v"}));
    EXPECT_EQ(sheet.Options, (TFilterOptions{false, true, "AB", false, true}));
    EXPECT_EQ(sheet.Rows(), (Rows{{"k", "v"}, {}})) << "the section in any letter case";

    sheet.ReadFilterFile("k=v\r\n");
    EXPECT_EQ(sheet.Rows(), Rows{{}}) << "rows only after the section line";
}

TEST(FilterTableSheetTest, SavedTableTranslatesAsTheEditorShowsIt) {
    FilterTableSheet sheet = sheetWith({{" 7 ", " Shipped "}, {"  ", "dropped"}, {"8", ""}});
    sheet.Options = {true, false, "unused", true, false};
    const std::string text = sheet.FilterFileText();
    EXPECT_EQ(text, CrLfLines({";1", ";0", ";", ";1", ";0", "[Filter]", "7=Shipped", "8="}));
    sheet.Options.FitText.clear();

    test::TempDir dir;
    test::WriteBytes(dir / "t.fil", text);
    TRvFilter filter;
    ASSERT_TRUE(filter.Load(dir / "t.fil"));
    EXPECT_EQ(static_cast<const TFilterOptions&>(filter), sheet.Options);
    EXPECT_EQ(filter.Translate("007", "?"), "Shipped");

    FilterTableSheet reopened;
    reopened.ReadFilterFile(text);
    EXPECT_EQ(reopened.Options, sheet.Options);
    EXPECT_EQ(reopened.Rows(), (Rows{{"7", "Shipped"}, {"8", ""}, {}}));
}

TEST(FilterTableSheetTest, CsvLinesBecomeRowsWithTheirFirstTwoValues) {
    FilterTableSheet sheet;
    sheet.Options.IsNumeric = true;
    sheet.ReadCsv(CrLfLines({"1,one,extra", "only", "\"a,b\",\"say \"\"hi\"\"\""}));
    EXPECT_EQ(sheet.Rows(), (Rows{{"1", "one"}, {}, {"a,b", "say \"hi\""}, {}}));
    EXPECT_TRUE(sheet.Options.IsNumeric) << "reading CSV leaves the options";
}

TEST(FilterTableSheetTest, PastingKeysAppendsRowsAndKeepsAnEntryRowLast) {
    FilterTableSheet sheet = sheetWith({{"a", "1"}});
    sheet.Paste("k1\tv1\tignored\r\n\r\n\tno key\r\nk2\tv2\r\n", 1, 0);
    EXPECT_EQ(sheet.Rows(), (Rows{{"a", "1"}, {"k1", "v1"}, {"k2", "v2"}, {}}));

    sheet.Paste("x\r\ny\r\nz\r\nw", 2, 1);
    EXPECT_EQ(sheet.Rows(), (Rows{{"a", "1"}, {"k1", "v1"}, {"k2", "x"}, {"", "y"}}))
        << "values stop at the last row";

    sheet.Paste("\tonly value", 0, 0);
    EXPECT_EQ(sheet.Rows()[0], (FilterTableRow{"a", "1"})) << "an empty key is skipped";
}

TEST(FilterTableSheetTest, PastingBelowTheLastRowStaysInTheSheet) {
    FilterTableSheet sheet = sheetWith({{"a", "1"}});
    sheet.Paste("k1\tv1\r\nk2\tv2", 50, 0); // keys: appended at the end
    EXPECT_EQ(sheet.Rows(), (Rows{{"a", "1"}, {}, {"k1", "v1"}, {"k2", "v2"}, {}}));
    sheet.Paste("lost", 50, 1); // values alone have no row to go to
    EXPECT_EQ(sheet.RowCount(), 5);
}

TEST(FilterTableSheetTest, CopiedCellsAreTabAndLineSeparated) {
    const FilterTableSheet sheet = sheetWith({{"a", "1"}, {"b", "2"}});
    EXPECT_EQ(sheet.CopyText({0, 0, 1, 1}), "a\t1\r\nb\t2");
    EXPECT_EQ(sheet.CopyText({1, 1, 2, 1}), "2\r\n");
}

TEST(FilterTableSheetTest, KeySortIsStableCaseBlindAndKeepsTheEntryRowLast) {
    FilterTableSheet sheet = sheetWith({{"b", "1"}, {"10", "2"}, {"B", "3"}, {"9", "4"}, {"a", "5"}});
    sheet.SortByKey();
    EXPECT_EQ(sheet.Rows(),
              (Rows{{"10", "2"}, {"9", "4"}, {"a", "5"}, {"b", "1"}, {"B", "3"}, {}}));
}

TEST(FilterTableSheetTest, DeletingRowsNeverLeavesTheSheetWithoutAnEntryRow) {
    FilterTableSheet sheet = sheetWith({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    sheet.DeleteRows(1, 1);
    EXPECT_EQ(sheet.Rows(), (Rows{{"a", "1"}, {"c", "3"}, {}}));
    sheet.DeleteRows(1, 2);
    EXPECT_EQ(sheet.Rows(), (Rows{{"a", "1"}, {}}));
    sheet.DeleteRows(0, 5);
    EXPECT_EQ(sheet.Rows(), Rows{{}});
}

TEST(FilterTableSheetTest, FindGoesDownThenFromTheTopAndNeverExaminesTheCursorRow) {
    const FilterTableSheet sheet =
        sheetWith({{"key1", "表示"}, {"key2", "x"}, {"other", "表示です"}});
    EXPECT_EQ(sheet.Find(FilterFindBy::Key, "key", 0), 1);
    EXPECT_EQ(sheet.Find(FilterFindBy::Key, "key", 1), 0);
    EXPECT_EQ(sheet.Find(FilterFindBy::Key, "other", 2), std::nullopt);
    EXPECT_EQ(sheet.Find(FilterFindBy::Value, "表示", 2), 0);
    EXPECT_EQ(sheet.Find(FilterFindBy::Value, "\x5c", 0), std::nullopt)
        << "a trail byte is not a match";

    EXPECT_EQ(sheet.Find(FilterFindBy::Number, "2", 0), 1);
    EXPECT_EQ(sheet.Find(FilterFindBy::Number, "99999999999999999999", 0), 3);
    EXPECT_EQ(sheet.Find(FilterFindBy::Number, "0", 2), std::nullopt);
}

class FilterTableCommandsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::filesystem::path folder = dir / "filter";
    test::FakeUiHost host;
    FilterTableSheet sheet = sheetWith({{"1", "one"}});
};

TEST_F(FilterTableCommandsTest, SaveAddsTheExtensionCreatesTheFolderAndAsksBeforeReplacing) {
    EXPECT_EQ(SaveFilterTable(sheet, host, folder, "  "), std::nullopt);
    EXPECT_EQ(host.messageTexts().back(), "ファイル名が設定されていません");

    EXPECT_EQ(SaveFilterTable(sheet, host, folder, "codes"), "codes.fil");
    EXPECT_EQ(test::ReadBytes(folder / "codes.fil"), sheet.FilterFileText());
    EXPECT_EQ(host.messageTexts().back(), "保存しました");
    EXPECT_EQ(SaveFilterTable(sheet, host, folder, "Other.FIL"), "Other.FIL");

    sheet.SetCell(0, 1, "changed");
    EXPECT_EQ(SaveFilterTable(sheet, host, folder, "codes.fil"), std::nullopt)
        << "the fake answers No";
    EXPECT_EQ(host.messages.back().buttons, MessageButtons::YesNo);
    EXPECT_NE(test::ReadBytes(folder / "codes.fil"), sheet.FilterFileText());
    host.answers.push_back(Answer::Yes);
    EXPECT_EQ(SaveFilterTable(sheet, host, folder, "codes.fil"), "codes.fil");
    EXPECT_EQ(test::ReadBytes(folder / "codes.fil"), sheet.FilterFileText());
}

TEST_F(FilterTableCommandsTest, KeysTheFileWouldMisreadAreRefusedByRow) {
    // Read back, ";x" is a comment, "[x]..." a section that ends the table, and "a=b" the key
    // "a": rows after them, or the row itself, would silently be lost.
    for (const std::string key : {";x", "  [x", "a=b"}) {
        FilterTableSheet keys = sheetWith({{"1", "one"}, {key, "]"}, {"3", "three"}});
        EXPECT_EQ(keys.FirstUnstorableKey(), 1) << key;
        EXPECT_EQ(SaveFilterTable(keys, host, folder, "codes"), std::nullopt);
        EXPECT_FALSE(std::filesystem::exists(folder / "codes.fil"));
        EXPECT_EQ(host.messages.back().icon, MessageIcon::Error);
        EXPECT_TRUE(host.messageTexts().back().starts_with("2行目のキー「"))
            << host.messageTexts().back();
    }
    // Elsewhere in a key they are ordinary characters, and the saved file reads back the same.
    FilterTableSheet fine = sheetWith({{"x;[", "1"}, {"]", "=2"}});
    EXPECT_EQ(fine.FirstUnstorableKey(), std::nullopt);
    ASSERT_EQ(SaveFilterTable(fine, host, folder, "codes"), "codes.fil");
    FilterTableSheet read;
    read.ReadFilterFile(test::ReadBytes(folder / "codes.fil"));
    EXPECT_EQ(read.Rows(), fine.Rows());
}

TEST_F(FilterTableCommandsTest, FilesThatCannotBeReadAreReportedAndChangeNothing) {
    EXPECT_FALSE(OpenFilterTable(sheet, host, folder, "missing.fil"));
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(sheet.Rows(), (Rows{{"1", "one"}, {}}));

    EXPECT_FALSE(ReadFilterTableCsv(sheet, host)) << "cancelled";
    host.chosenPaths.push_back(dir / "missing.csv");
    EXPECT_FALSE(ReadFilterTableCsv(sheet, host));
    EXPECT_EQ(host.messages.size(), 2U);
    EXPECT_EQ(host.busyDepth, 0);

    test::WriteBytes(dir / "in.csv", "k,v\r\n");
    host.chosenPaths.push_back(dir / "in.csv");
    EXPECT_TRUE(ReadFilterTableCsv(sheet, host));
    EXPECT_EQ(sheet.Rows(), (Rows{{"k", "v"}, {}}));
}

TEST_F(FilterTableCommandsTest, DeleteAsksWithTheRowCountAndFindExplainsItsRefusals) {
    EXPECT_FALSE(DeleteFilterTableRows(sheet, host, 0, 1));
    EXPECT_EQ(host.messageTexts().back(), "2行のレコードを削除しようとしています\r\n"
                                          "削除すると元に戻すことはできません\r\nよろしいですか？");
    host.answers.push_back(Answer::Yes);
    EXPECT_TRUE(DeleteFilterTableRows(sheet, host, 0, 0));
    EXPECT_EQ(sheet.Rows(), Rows{{}});

    const std::string notANumber = "No指定のときは、検索文字列に数値を指定して下さい";
    EXPECT_EQ(FindInFilterTable(sheet, host, FilterFindBy::Key, "", 0), std::nullopt);
    EXPECT_EQ(host.messageTexts().back(), notANumber);
    EXPECT_EQ(FindInFilterTable(sheet, host, FilterFindBy::Number, "-1", 0), std::nullopt);
    EXPECT_EQ(host.messageTexts().back(), notANumber);
    EXPECT_EQ(FindInFilterTable(sheet, host, FilterFindBy::Value, "x", 0), std::nullopt);
    EXPECT_EQ(host.messageTexts().back(), "指定の条件に当てはまる情報はありませんでした");
}

TEST(FilterFolderTest, ListsOneKindOfFileSortedWithoutRegardToCase) {
    test::TempDir dir;
    // Names that differ in more than case, which some file systems keep apart and some do not.
    for (const char* name : {"c.fil", "B.FIL", "c.fls", "a.fil", "x.filx"}) {
        test::WriteBytes(dir / name, "");
    }
    std::filesystem::create_directory(dir / "d.fil");
    EXPECT_EQ(ListFilterFiles(dir.path(), ".fil"), (std::vector<std::string>{"a.fil", "B.FIL", "c.fil"}));
    EXPECT_EQ(ListFilterFiles(dir.path(), ".fls"), std::vector<std::string>{"c.fls"});
    EXPECT_TRUE(ListFilterFiles(dir / "none", ".fil").empty());
}

} // namespace
} // namespace ranvo
