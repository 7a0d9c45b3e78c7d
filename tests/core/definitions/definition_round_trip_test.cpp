// Definitions built at random through the editor's rules, as a user builds them (typing fields,
// adding, updating, moving and deleting conditions), save to a file that reads back to the same
// definition; a name or word the file cannot hold is refused and leaves the file as it was.

#include "core/definitions/definition_editor.h"
#include "core/definitions/item_text.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <array>
#include <gtest/gtest.h>
#include <random>

namespace ranvo {
namespace {

namespace fs = std::filesystem;

// What a user types, as CP932: ASCII with quotes, blanks and tabs, kana and kanji (ソ and 表 end
// in the byte of a backslash, ー in that of "["), a full-width comma and half-width katakana.
constexpr std::array<std::string_view, 18> kPieces{
    "A",        "z",        "0",        " ",        "\"",       "'",
    "\t",       ";",        "\\",       "\x83\x5C", "\x95\x5C", "\x82\xA0",
    "\x8A\xBF", "\x81\x5B", "\x81\x43", "\xB1",     "\x81\x40", "-"};
// What the file cannot hold in a name or word.
constexpr std::array<std::string_view, 5> kUnstorable{",", "\r", "\n", "\r\n", {"\0", 1}};

class Builder {
public:
    Builder(std::uint32_t seed, const fs::path& folder)
        : m_random(seed), m_editor(folder, m_host), m_folder(folder) {}

    std::size_t below(std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(m_random);
    }
    bool chance(std::size_t oneIn) { return below(oneIn) == 0; }
    std::string number(int low, int high) {
        return std::to_string(std::uniform_int_distribution<int>(low, high)(m_random));
    }
    std::string text(std::size_t least) {
        std::string result;
        for (std::size_t n = least + below(6); n > 0; --n) {
            result += kPieces[below(kPieces.size())];
        }
        return result;
    }

    // The file area: every format, and separators and quotes from the whole printable range of
    // single bytes, chosen by the iteration so that all of them come round.
    void describeFile(std::size_t iteration) {
        DefinitionFileControls& file = m_editor.File;
        file.FileName = "d";
        file.Folder = m_folder.string();
        file.DefineName = text(0);
        const std::size_t format = below(4);
        m_editor.ChooseFormat(format < 2, format == 0);
        file.UseQuote = format == 3;
        file.RecordLength = format == 0 || chance(2) ? number(1, 99999) : "";
        file.QuoteAlways = chance(2);
        file.TopTitle = chance(2);
        file.TabSeparator = chance(8);
        file.Separate = printable(iteration);
        if (file.QuoteAlways && chance(4)) {
            file.Separate = "\x81\x5B"; // a double-byte separator needs quoting
        }
        file.Quote = printable(iteration * 7 + 3);
        if (file.Quote == ",") {
            file.Quote = "'";
        }
    }

    // Types the fields of the condition area into an emptied sheet; some rows are inserted in
    // between and left empty, some starts retyped.
    void typeFields(std::size_t count) {
        m_editor.Reset();
        FieldSheet& sheet = m_editor.Fields;
        for (std::size_t n = 0; n < count; ++n) {
            const int row = sheet.FieldRowCount();
            (void)sheet.Edit(row, FieldSheet::NameColumn, text(0), m_host);
            if (!sheet.Csv) {
                (void)sheet.Edit(row, FieldSheet::LengthColumn, number(1, 40), m_host);
            }
            (void)sheet.Edit(row, FieldSheet::ColorColumn, number(INT32_MIN, INT32_MAX), m_host);
            if (!sheet.Csv && row > 0 && chance(6)) {
                (void)sheet.Edit(row, FieldSheet::StartColumn, number(2, 200), m_host);
            }
        }
        if (sheet.FieldRowCount() > 1 && chance(5)) {
            const int row =
                static_cast<int>(below(static_cast<std::size_t>(sheet.FieldRowCount())));
            sheet.InsertEmptyRows(row, row + static_cast<int>(below(2)));
        }
        m_host.messages.clear(); // retyped starts may be refused: that is the sheet's business
    }

    void describeCondition() {
        ConditionControls& condition = m_editor.Condition;
        condition.Name = text(0);
        condition.Word = text(1);
        condition.Start = number(1, 60);
        condition.ULWord = chance(2);
        condition.Color = static_cast<std::int32_t>(m_random());
        condition.UseWord = condition.UseWordLocked || chance(3) != 0;
        condition.UseLength = !condition.UseLengthLocked && (!condition.UseWord || chance(3));
        condition.CheckLength = condition.UseLength ? number(1, 9999) : number(0, 50);
        typeFields(1 + below(chance(4) ? 40 : 8));
    }

    // The fallback condition takes the area when the check position is 0.
    void updateFallback() {
        ASSERT_TRUE(m_editor.SelectCondition(0));
        describeCondition();
        m_editor.Condition.UseWord = true;
        m_editor.Condition.Start = "0";
        m_host.answers = {Answer::Yes};
        ASSERT_TRUE(m_editor.Update()) << messages();
    }

    void addConditions(std::size_t count) {
        for (std::size_t n = 0; n < count; ++n) {
            describeCondition();
            ASSERT_TRUE(m_editor.Add()) << messages();
        }
    }

    // Updates, moves and deletions among the conditions after the fallback.
    void rework(std::size_t steps) {
        for (std::size_t n = 0; n < steps; ++n) {
            const int conditions = static_cast<int>(m_editor.ConditionNames().size());
            if (conditions < 2) {
                return;
            }
            ASSERT_TRUE(m_editor.SelectCondition(1 + static_cast<int>(below(conditions - 1))));
            switch (below(4)) {
            case 0:
                describeCondition();
                ASSERT_TRUE(m_editor.Update()) << messages();
                break;
            case 1:
                m_editor.MoveUp();
                break;
            case 2:
                m_editor.MoveDown();
                break;
            default:
                m_host.answers = {Answer::Yes};
                ASSERT_TRUE(m_editor.Delete());
            }
        }
    }

    // Puts one text the file cannot hold where the user could type it, and answers the message
    // that refuses it. A condition area so changed is applied by the save first.
    std::string poison() {
        if (m_editor.Fields.FieldRowCount() == 0) { // a sheet emptied by a change of format
            typeFields(1);
        }
        const std::string bad = text(0) + std::string(kUnstorable[below(kUnstorable.size())]);
        const auto refusal = [this, &bad](std::string_view item) {
            m_editor.ConditionChanged = item != "定義名";
            return *ItemTextRefusal(item, bad);
        };
        switch (below(5)) {
        case 0:
            m_editor.File.DefineName = bad;
            return refusal("定義名");
        case 1:
            m_editor.Condition.Name = bad;
            return refusal("条件名");
        case 2:
            m_editor.Condition.Word = bad;
            return refusal("チェック文字");
        case 3: {
            const int row =
                static_cast<int>(below(static_cast<std::size_t>(m_editor.Fields.RowCount())));
            EXPECT_EQ(m_editor.Fields.Edit(row, FieldSheet::NameColumn, bad, m_host),
                      CellEdit::Refused);
            m_editor.Fields.PasteCells(bad, row, FieldSheet::NameColumn);
            m_editor.ConditionChanged = true;
            // Pasting cuts at line ends: what is left may hold only a comma, or nothing bad.
            for (int r = 0; r < m_editor.Fields.FieldRowCount(); ++r) {
                if (auto message =
                        ItemTextRefusal(std::to_string(r + 1) + "行目のフィールド名",
                                        m_editor.Fields.Cell(r, FieldSheet::NameColumn))) {
                    return *message;
                }
            }
            return {};
        }
        default:
            m_editor.File.Quote = ",";
            return "引用符に「,」を指定することはできません";
        }
    }

    [[nodiscard]] std::string messages() const {
        std::string all;
        for (const std::string& text : m_host.messageTexts()) {
            all += text + " | ";
        }
        return all;
    }

    test::FakeUiHost& host() { return m_host; }
    DefinitionEditor& editor() { return m_editor; }

private:
    // The printable single bytes: ASCII and half-width katakana.
    static std::string printable(std::size_t n) {
        constexpr std::size_t ascii = 0x7F - 0x20;
        constexpr std::size_t kana = 0xE0 - 0xA1;
        n %= ascii + kana;
        return std::string(1, static_cast<char>(n < ascii ? 0x20 + n : 0xA1 + n - ascii));
    }

    std::mt19937 m_random;
    test::FakeUiHost m_host;
    DefinitionEditor m_editor;
    fs::path m_folder;
};

void expectSameCondition(const TCondition& written, const TCondition& read) {
    EXPECT_EQ(written.ConditionName, read.ConditionName);
    EXPECT_EQ(written.CheckWord, read.CheckWord);
    EXPECT_EQ(written.CheckStart, read.CheckStart);
    EXPECT_EQ(written.ConditionLength, read.ConditionLength);
    EXPECT_EQ(written.ConditionColor, read.ConditionColor);
    EXPECT_EQ(written.MaxLength, read.MaxLength);
    EXPECT_EQ(written.ULWord, read.ULWord);
    EXPECT_EQ(written.CheckLength, read.CheckLength);
    EXPECT_EQ(written.UseLength, read.UseLength);
    EXPECT_EQ(written.UseWord, read.UseWord);
    EXPECT_EQ(written.FieldName, read.FieldName);
    EXPECT_EQ(written.FieldStart, read.FieldStart);
    EXPECT_EQ(written.FieldLength, read.FieldLength);
    EXPECT_EQ(written.FieldColor, read.FieldColor);
}

void expectSameDefinition(const TDefineClass& written, const TDefineClass& read) {
    EXPECT_EQ(written.DefineName, read.DefineName);
    EXPECT_EQ(written.RecordLength, read.RecordLength);
    EXPECT_EQ(written.FileFormat, read.FileFormat);
    // The editor keeps a comma separator as nothing, which the file reads as a comma.
    EXPECT_EQ(written.Separate.empty() ? std::string(",") : written.Separate, read.Separate);
    EXPECT_EQ(written.Quote, read.Quote);
    EXPECT_EQ(written.QuoteAlways, read.QuoteAlways);
    EXPECT_EQ(written.TopTitle, read.TopTitle);
    ASSERT_EQ(written.Conditions.size(), read.Conditions.size());
    for (std::size_t i = 0; i < written.Conditions.size(); ++i) {
        SCOPED_TRACE("condition " + std::to_string(i));
        expectSameCondition(written.Conditions[i], read.Conditions[i]);
    }
}

// The working definition never holds a text its file could not hold.
void expectOnlyStorableTexts(const TDefineClass& definition) {
    EXPECT_FALSE(ItemTextRefusal("", definition.DefineName));
    for (const TCondition& condition : definition.Conditions) {
        EXPECT_FALSE(ItemTextRefusal("", condition.ConditionName));
        EXPECT_FALSE(ItemTextRefusal("", condition.CheckWord));
        for (const std::string& name : condition.FieldName) {
            EXPECT_FALSE(ItemTextRefusal("", name));
        }
    }
}

TEST(DefinitionRoundTrip, WhatTheEditorAcceptsReadsBackAsSavedAndWhatItRefusesWritesNothing) {
    const DefineLoadedKeeper keeper;
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const test::TempDir dir;
        Builder builder(seed, dir.path());
        builder.describeFile(seed);
        if (builder.chance(2)) {
            builder.updateFallback();
        }
        builder.addConditions(seed % 50 == 7 ? 150 : builder.below(12));
        builder.rework(builder.below(6));
        ASSERT_FALSE(testing::Test::HasFatalFailure());

        DefinitionEditor& editor = builder.editor();
        builder.host().messages.clear();
        ASSERT_TRUE(editor.Save()) << builder.messages();
        const fs::path file = dir / "d.def";
        TDefineClass read;
        ASSERT_TRUE(read.LoadFromFile(file));
        expectSameDefinition(editor.Definition(), read);

        if (builder.chance(2)) {
            const std::string saved = test::ReadBytes(file);
            const std::string refusal = builder.poison();
            builder.host().messages.clear();
            builder.host().answers = {Answer::Yes, Answer::Yes}; // apply the area, overwrite
            if (!refusal.empty()) {
                EXPECT_FALSE(editor.Save());
                EXPECT_NE(builder.messages().find(refusal), std::string::npos)
                    << builder.messages();
                EXPECT_EQ(test::ReadBytes(file), saved);
            }
            expectOnlyStorableTexts(editor.Definition());
        }
    }
}

} // namespace
} // namespace ranvo
