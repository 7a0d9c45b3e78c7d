#include "core/editing/find_replace.h"

#include "core/app/app_fixture.h"
#include "core/editing/undo.h"
#include "core/text/sjis.h"

#include <random>

namespace ranvo {
namespace {

using test::DefinitionBuilder;

TEST(FindKey, CharacterBoundariesAndCase) {
    EXPECT_EQ(FindKey("xxABC", "abc", true), std::string_view::npos);
    EXPECT_EQ(FindKey("xxABC", "abc", false), 2u);
    EXPECT_EQ(FindKey("\x95\x5C\\", "\\", true), 2u); // 表's trail byte 5C is not a match
    EXPECT_EQ(FindKey("\x83\x61", "a", false), std::string_view::npos); // nor is チ's 61
    EXPECT_EQ(FindKey("abab", "ab", true, 1), 2u);
    // A key that ends in a lead byte (the first half of a character cut by a field's end) matches
    // that half only, never the first half of a whole character, whatever the case flag.
    for (const bool matchCase : {true, false}) {
        EXPECT_EQ(FindKey(" \x81\x7C\x81", "\x81", matchCase), 3u);
    }
}

// A plain walk over every character boundary, the rule FindKey keeps while searching faster.
std::size_t naiveFind(std::string_view text, std::string_view key, bool matchCase, std::size_t from) {
    const auto folded = [&](std::string_view piece) {
        std::string out(piece);
        for (std::size_t i = 0; i < out.size(); i += CharLength(out, i)) {
            if (!matchCase && out[i] >= 'a' && out[i] <= 'z' && CharLength(out, i) == 1) {
                out[i] = static_cast<char>(out[i] - 'a' + 'A');
            }
        }
        return out;
    };
    const std::string foldedKey = folded(key);
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (pos >= from && pos + key.size() <= text.size() && folded(text.substr(pos, key.size())) == foldedKey) {
            return pos;
        }
    }
    return std::string_view::npos;
}

TEST(FindKey, AgreesWithAPlainWalkOnTextFullOfTrailBytes) {
    std::mt19937 random(7);
    const std::string pieces[] = {"a", "A", "\x83\x61", "\x83\x41", "\x95\x5C", "\\", "n", "\x88\x9F"};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int k = static_cast<int>(random() % 12); k > 0; --k) {
            text += pieces[random() % std::size(pieces)];
        }
        std::string key;
        for (int k = 1 + static_cast<int>(random() % 2); k > 0; --k) {
            key += pieces[random() % std::size(pieces)];
        }
        const bool matchCase = random() % 2 == 0;
        const std::size_t from = text.empty() ? 0 : random() % text.size();
        ASSERT_EQ(FindKey(text, key, matchCase, from), naiveFind(text, key, matchCase, from))
            << text << " / " << key << " case " << matchCase << " from " << from;
    }
}

class FindReplaceTest : public test::AppFixture {
protected:
    // Fields of 4 and 4 bytes.
    void loadRecords() {
        load(DefinitionBuilder("FL").condition("", 1, {{"a", 4}, {"b", 4}}).build(),
             {"  0AB  cdef", "  0abx AB  ", "  0xyzwABAB"});
        state.DataFileName = "/data/file.txt";
    }

    FindOptions options(std::string key, bool matchCase = true) {
        FindOptions found;
        found.Key = std::move(key);
        found.MatchCase = matchCase;
        return found;
    }
};

TEST_F(FindReplaceTest, CellSearchMovesToMatchesAndNeverWraps) {
    loadRecords();
    const FindOptions caseless = options("ab", false);
    ASSERT_TRUE(FindFirst(state, caseless));
    EXPECT_EQ(state.Grid.Col(), 1);
    EXPECT_EQ(state.Grid.Row(), 1);
    ASSERT_TRUE(FindNext(state, caseless));
    EXPECT_EQ(state.Grid.Row(), 2);
    ASSERT_TRUE(FindNext(state, caseless));
    EXPECT_EQ(state.Grid.Col(), 2); // "AB  " in the second field of row 2
    state.Grid.SetRowHeight(3, 0);  // the last match is in a hidden row
    EXPECT_FALSE(FindNext(state, caseless));
    EXPECT_EQ(state.SearchRow, 0);
    EXPECT_EQ(state.Grid.Row(), 2);

    EXPECT_FALSE(FindFirst(state, options("xyzw", true))); // hidden
    ShowNotFound(host, "xyzw");
    EXPECT_EQ(host.messages.back().text, "「xyzw」はみつかりませんでした");
}

TEST_F(FindReplaceTest, DirectionsKeepToTheirRowOrColumn) {
    loadRecords();
    FindOptions down = options("AB");
    down.Direction = FindDirection::Column;
    state.Grid.SetCurrent(2, 1);
    ASSERT_TRUE(FindFirst(state, down));
    EXPECT_EQ(state.Grid.Row(), 2);
    EXPECT_EQ(state.Grid.Col(), 2);
    FindOptions along = options("AB");
    along.Direction = FindDirection::Row;
    state.Grid.SetCurrent(1, 2);
    ASSERT_TRUE(FindNext(state, along));
    EXPECT_EQ(state.Grid.Col(), 2);
    EXPECT_FALSE(FindNext(state, along)); // the rest of the row has none; row 3 is not searched
}

TEST_F(FindReplaceTest, RecordSearchFindsTextAcrossFields) {
    loadRecords();
    FindOptions across = options("  cd");
    across.IgnoreFields = true;
    ASSERT_TRUE(FindFirst(state, across));
    EXPECT_EQ(state.Grid.Row(), 1);
    EXPECT_EQ(state.Grid.Col(), 1); // the match starts in the first field
    across.Key = "wAB";
    ASSERT_TRUE(FindNext(state, across));
    EXPECT_EQ(state.Grid.Row(), 3);
    EXPECT_EQ(state.Grid.Col(), 1);
}

// In a plain CSV file a replacement that holds the separator makes more values, the last holding
// the key again: replace all goes on after them instead of chasing the key along the row forever.
TEST_F(FindReplaceTest, ReplaceAllEndsWhenReplacementsSplitPlainCsvValues) {
    load(DefinitionBuilder("CS").condition("", 1, {}).build(), {"  0a,x,b", "  0x"});
    state.DataFileName = "/data/file.csv";
    for (const FindDirection direction : {FindDirection::Whole, FindDirection::Row}) {
        FindOptions key = options("x");
        key.Direction = direction;
        state.Grid.SetCurrent(1, 1);
        ReplaceAll(state, host, key, "y,x", false);
        EXPECT_EQ(state.Grid.RecordText(1), "a,y,x,b");
        EXPECT_EQ(state.Grid.RecordText(2), direction == FindDirection::Whole ? "y,x" : "x");
        while (UndoLast(state) > 0) {
        }
    }
}

TEST_F(FindReplaceTest, ReplacingFitsTheFieldAndTouchesTheFirstMatchPerCell) {
    loadRecords();
    ReplaceOnce(state, host, options("AB"), "ABCD", false);
    EXPECT_EQ(state.Grid.Cell(1, 1), "ABCD"); // "ABCD  " cut to the field's 4 bytes
    EXPECT_TRUE(state.Modified);

    host.messages.clear();
    ReplaceAll(state, host, options("AB"), "x", false);
    EXPECT_EQ(state.Grid.Cell(1, 1), "xCD ");
    EXPECT_EQ(state.Grid.Cell(2, 3), "xAB "); // "ABAB": only the first one
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"「AB」はみつかりませんでした"});

    host.messages.clear();
    host.answers = {Answer::No, Answer::Cancel};
    ReplaceAll(state, host, options("x"), "y", true);
    EXPECT_EQ(host.messages.size(), 2u); // two questions, no not-found message
    EXPECT_EQ(state.Grid.Cell(1, 1), "xCD ");
}

} // namespace
} // namespace ranvo
