#include "core/definitions/field_sheet.h"
#include "support/fake_ui_host.h"

#include <gtest/gtest.h>

namespace ranvo {

void PrintTo(const FieldSheetRow& row, std::ostream* out) {
    *out << "{" << row.Name << ", " << row.Start << ", " << row.Length << ", " << row.Color << "}";
}

namespace {

using Rows = std::vector<FieldSheetRow>;

class FieldSheetTest : public ::testing::Test {
protected:
    // Fields typed in as a user types them: a name, then a length, row after row.
    void typeFields(std::initializer_list<std::pair<const char*, const char*>> fields) {
        int row = sheet.FieldRowCount();
        for (const auto& [name, length] : fields) {
            ASSERT_EQ(sheet.Edit(row, FieldSheet::NameColumn, name, host), CellEdit::Taken);
            ASSERT_EQ(sheet.Edit(row, FieldSheet::LengthColumn, length, host), CellEdit::Taken);
            ++row;
        }
    }

    [[nodiscard]] std::vector<std::string> column(int c) const {
        std::vector<std::string> cells;
        for (int row = 0; row < sheet.RowCount(); ++row) {
            cells.push_back(sheet.Cell(row, c));
        }
        return cells;
    }

    FieldSheet sheet;
    test::FakeUiHost host;
};

TEST_F(FieldSheetTest, TypedFieldsGetTheirStartsAndAnEmptyRowFollows) {
    typeFields({{"a", "3"}, {"b", "4"}, {"c", "5"}});
    EXPECT_EQ(sheet.Rows(), (Rows{{"a", "1", "3", ""}, {"b", "4", "4", ""}, {"c", "8", "5", ""},
                                  {"", "13", "", ""}}));
    EXPECT_EQ(column(FieldSheet::NumberColumn), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(sheet.Edit(0, FieldSheet::NameColumn, "a", host), CellEdit::Unchanged);
    EXPECT_EQ(sheet.Edit(0, FieldSheet::NumberColumn, "9", host), CellEdit::Unchanged);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FieldSheetTest, EditingAStartResizesTheFieldAboveAndMovesTheOnesBelow) {
    typeFields({{"a", "3"}, {"b", "4"}, {"c", "5"}});
    ASSERT_EQ(sheet.Edit(1, FieldSheet::StartColumn, "6", host), CellEdit::Taken);
    EXPECT_EQ(column(FieldSheet::LengthColumn), (std::vector<std::string>{"5", "4", "5", ""}));
    EXPECT_EQ(column(FieldSheet::StartColumn), (std::vector<std::string>{"1", "6", "10", "15"}));

    const Rows before = sheet.Rows();
    for (const auto& [row, text, message] :
         {std::tuple{1, "abc", "不正なデータが入力されました"},
          std::tuple{1, "0", "開始位置は、1以上の数値で入力してください"},
          std::tuple{0, "2", "最初の開始位置は、1でなければいけません"},
          std::tuple{2, "6", "開始位置は、前の値より大きくなければなりません"}}) {
        EXPECT_EQ(sheet.Edit(row, FieldSheet::StartColumn, text, host), CellEdit::Refused);
        EXPECT_EQ(host.messageTexts().back(), message);
    }
    EXPECT_EQ(sheet.Rows(), before);
}

TEST_F(FieldSheetTest, LengthsMustBePositiveNumbers) {
    typeFields({{"a", "3"}});
    EXPECT_EQ(sheet.Edit(0, FieldSheet::LengthColumn, "abc", host), CellEdit::Refused);
    EXPECT_EQ(host.messageTexts().back(), "不正なデータが入力されました");
    EXPECT_EQ(sheet.Edit(0, FieldSheet::LengthColumn, "0", host), CellEdit::Refused);
    EXPECT_EQ(host.messageTexts().back(), "フィールドサイズは、1以上の数値で入力してください");
    EXPECT_EQ(sheet.Cell(0, FieldSheet::LengthColumn), "3");
    EXPECT_EQ(sheet.Edit(0, FieldSheet::LengthColumn, "12", host), CellEdit::Taken);
    EXPECT_EQ(sheet.Cell(1, FieldSheet::StartColumn), "13");
}

TEST_F(FieldSheetTest, FieldsEndAtTheFirstRowWithoutANumericStartOrLength) {
    sheet.Fill({{"a", "1", "2", "0"}, {"b", "5", "3", "255"}, {"c", "x", "1", "0"}, {"d", "9", "1", "0"}});
    EXPECT_EQ(sheet.Cell(1, FieldSheet::StartColumn), "5") << "filling keeps the definition's starts";
    EXPECT_EQ(sheet.Fields(), (Rows{{"a", "1", "2", "0"}, {"b", "5", "3", "255"}}));
    sheet.Csv = true;
    EXPECT_EQ(sheet.Fields().size(), 4U);
}

TEST_F(FieldSheetTest, CopiedRowsArePastedOverInsertedAndRepeatedWithSerialNumbers) {
    typeFields({{"x", "2"}, {"y", "3"}});
    const Rows copied = sheet.CopyRows(0, 5);
    ASSERT_EQ(copied.size(), 2U) << "the empty row has no length";
    EXPECT_EQ(sheet.RowsText(0, 1), "1\tx\t1\t2\t\r\n2\ty\t3\t3\t");

    sheet.InsertRows(copied, 1, 3, 1);
    std::vector<std::string> names;
    for (const FieldSheetRow& row : sheet.Fields()) {
        names.push_back(row.Name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"x", "x-1", "y-1", "x-2", "y-2", "x-3", "y-3", "y"}));
    EXPECT_EQ(sheet.Rows().back().Start, "21");

    sheet.PasteRows(copied, 7);
    EXPECT_EQ(sheet.FieldRowCount(), 9);
    EXPECT_EQ(sheet.Rows()[8].Name, "y");
    EXPECT_TRUE(sheet.Rows().back().Name.empty());
}

TEST_F(FieldSheetTest, DeletingAsksAndKeepsOneEmptyRow) {
    typeFields({{"a", "2"}, {"b", "3"}, {"c", "4"}});
    EXPECT_FALSE(sheet.DeleteRows(1, 3, host));
    EXPECT_EQ(host.messageTexts().back(), "3件のレコードを削除します\r\n削除した情報を元に戻すことはできません"
                                          "\r\n削除してもよろしいですか？");
    host.answers.push_back(Answer::Yes);
    EXPECT_TRUE(sheet.DeleteRows(1, 3, host));
    EXPECT_EQ(sheet.Rows(), (Rows{{"a", "1", "2", ""}, {"", "3", "", ""}}));
}

TEST_F(FieldSheetTest, InsertedRowsStayEmptyAndHoldNoFieldUntilFilledIn) {
    typeFields({{"a", "2"}, {"b", "3"}, {"c", "4"}});
    sheet.InsertEmptyRows(1, 2);
    EXPECT_EQ(sheet.Rows(), (Rows{{"a", "1", "2", ""},
                                  {},
                                  {},
                                  {"b", "3", "3", ""},
                                  {"c", "6", "4", ""},
                                  {"", "10", "", ""}}));
    EXPECT_EQ(column(FieldSheet::NumberColumn),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(sheet.Fields(), (Rows{{"a", "1", "2", ""}, {"b", "3", "3", ""}, {"c", "6", "4", ""}}))
        << "the fields below an empty row are kept";
    sheet.Csv = true;
    EXPECT_EQ(sheet.Fields().size(), 5U) << "a CSV column without a name keeps its place";
    sheet.Csv = false;

    ASSERT_EQ(sheet.Edit(1, FieldSheet::NameColumn, "new", host), CellEdit::Taken);
    EXPECT_EQ(column(FieldSheet::LengthColumn),
              (std::vector<std::string>{"2", "1", "1", "3", "4", ""}));
    EXPECT_EQ(column(FieldSheet::StartColumn),
              (std::vector<std::string>{"1", "3", "4", "5", "8", "12"}));
}

TEST_F(FieldSheetTest, NamesAndColoursTakeOnlyWhatTheFileCanHold) {
    typeFields({{"a", "2"}});
    for (const auto& [text, message] :
         {std::pair{"x,y", "フィールド名に「,」を含むことはできません"},
          std::pair{"x\r\ny", "フィールド名に改行などの制御文字を含むことはできません"},
          std::pair{"x\ny", "フィールド名に改行などの制御文字を含むことはできません"}}) {
        EXPECT_EQ(sheet.Edit(0, FieldSheet::NameColumn, text, host), CellEdit::Refused) << text;
        EXPECT_EQ(host.messageTexts().back(), message);
    }
    EXPECT_EQ(sheet.Edit(0, FieldSheet::NameColumn, std::string("x\0y", 3), host),
              CellEdit::Refused);
    EXPECT_EQ(sheet.Edit(0, FieldSheet::NameColumn, "\x83\x5C \"q\" \t", host), CellEdit::Taken)
        << "a trail byte that looks like a backslash, quotes and tabs are held as they are";

    for (const char* text : {"red", "1,2", "99999999999", "1 2"}) {
        EXPECT_EQ(sheet.Edit(0, FieldSheet::ColorColumn, text, host), CellEdit::Refused) << text;
        EXPECT_EQ(host.messageTexts().back(), "不正なデータが入力されました");
    }
    EXPECT_EQ(sheet.Edit(0, FieldSheet::ColorColumn, "$FF", host), CellEdit::Taken);
    EXPECT_EQ(sheet.Cell(0, FieldSheet::ColorColumn), "255");
    EXPECT_EQ(sheet.Edit(0, FieldSheet::ColorColumn, "-2147483633", host), CellEdit::Taken)
        << "a system colour";
    EXPECT_EQ(sheet.Edit(0, FieldSheet::ColorColumn, "", host), CellEdit::Taken);
    EXPECT_EQ(sheet.Rows().front(), (FieldSheetRow{"\x83\x5C \"q\" \t", "1", "2", ""}));
}

TEST_F(FieldSheetTest, PastedCellsTakeNamesAndNumbersButNoStarts) {
    sheet.PasteCells("name1\t99\tabc\t255\r\nname2\t5\t4\tred", 0, FieldSheet::NameColumn);
    EXPECT_EQ(sheet.Rows(), (Rows{{"name1", "1", "1", "255"}, {"name2", "2", "4", "0"},
                                  {"", "6", "", ""}}));
    EXPECT_EQ(sheet.CellsText({0, 1, 1, 3}), "name1\t1\t1\r\nname2\t2\t4");

    sheet.ReadCsv("\"a,b\",1,2,3\r\n\r\nc,,x\r\n");
    EXPECT_EQ(sheet.Rows(), (Rows{{"a,b", "1", "2", "3"}, {"c", "3", "1", ""}, {"", "4", "", ""}}));
}

TEST_F(FieldSheetTest, CsvFieldsAreOneColumnEach) {
    sheet.Csv = true;
    sheet.PasteCells("a\t\t7\r\nb", 0, FieldSheet::NameColumn);
    EXPECT_EQ(column(FieldSheet::LengthColumn), (std::vector<std::string>{"1", "1", ""}));
    EXPECT_EQ(column(FieldSheet::StartColumn), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(sheet.Edit(0, FieldSheet::LengthColumn, "5", host), CellEdit::Unchanged);
    EXPECT_EQ(sheet.RowsText(0, 1), "1\ta\r\n2\tb");
}

} // namespace
} // namespace ranvo
