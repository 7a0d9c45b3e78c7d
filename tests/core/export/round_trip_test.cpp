// Open a file and save it unchanged: the same bytes come back, in every character code (UTF-8 with
// and without its mark), every layout (FL, FB, CS, CT with and without a title line), with and
// without a read range, for text that holds what host files hold and what CP932 cannot hold
// exactly: half-width katakana, IBM extension kanji, JIS X 0212 kanji, WAVE DASH, characters
// outside the Basic Multilingual Plane.

#include "core/export/save_commands.h"
#include "core/loading/data_encoding.h"
#include "core/loading/open_command.h"
#include "support/byte_files.h"
#include "support/fake_ui_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ranvo {
namespace {

struct Code {
    const char* name;
    KanjiCode code;
    bool bom;
};

constexpr Code kCodes[] = {
    {"sjis", KanjiCode::ShiftJis, false}, {"euc", KanjiCode::Euc, false},
    {"jis", KanjiCode::Jis, false},       {"unicode", KanjiCode::Unicode, false},
    {"utf8", KanjiCode::Utf8, false},     {"utf8-bom", KanjiCode::Utf8, true},
};

// Pieces of text as UTF-8, each two CP932 bytes wide once read (with a code of the open file's
// own where CP932 has none), or one for ASCII and half-width katakana.
struct Piece {
    std::string_view utf8;
    bool inShiftJis; // Shift_JIS can hold it
    bool inEucAndJis;
};

constexpr Piece kPieces[] = {
    {"A", true, true},     {"7", true, true},     {"ｶ", true, true},   {"ﾅ", true, true},
    {"日", true, true},    {"本", true, true},    {"髙", true, true},  {"ⅰ", true, true},
    {"丂", false, true},   {"〜", false, false},  {"𠮷", false, false}, {"😀", false, false},
};

std::size_t widthOf(const Piece& piece) {
    return piece.utf8.size() == 1 || piece.utf8 == "ｶ" || piece.utf8 == "ﾅ" ? 1 : 2;
}

// A record of exactly `width` CP932 bytes made of the pieces the code holds, starting at `seed`.
std::string recordOf(std::size_t width, std::size_t seed, const Code& code) {
    std::string record;
    std::size_t used = 0;
    for (std::size_t k = seed; used < width; ++k) {
        const Piece& piece = kPieces[k % std::size(kPieces)];
        const bool held = code.code == KanjiCode::ShiftJis ? piece.inShiftJis
                          : code.code == KanjiCode::Euc || code.code == KanjiCode::Jis ? piece.inEucAndJis
                                                                                         : true;
        if (!held || used + widthOf(piece) > width) {
            continue;
        }
        record += piece.utf8;
        used += widthOf(piece);
    }
    return record;
}

struct Layout {
    const char* name;
    std::string definition;
    std::vector<std::string> lines; // UTF-8
    bool blocks;                    // FB: records back to back
};

std::string definitionText(const std::string& header, const std::vector<std::string>& conditions) {
    std::string text = test::CrLfLines({"rvDefine ver1.0", "define", header, "conditions"});
    for (const std::string& line : conditions) {
        text += line + "\r\n";
    }
    return text;
}

std::vector<Layout> layoutsFor(const Code& code) {
    const std::vector<std::string> fixedConditions{"head,x,,1,0,10,16777215,0,0,0,-1", "length,4,6",
                                                   "name,a,b",   "color,0,0", "start,1,5",
                                                   "head,H,H,1,1,10,65535,0,0,0,-1", "length,1,9",
                                                   "name,k,v",   "color,0,0", "start,1,2"};
    const std::vector<std::string> csvConditions{"head,x,,1,0,0,16777215,0,0,0,-1", "length", "name", "color",
                                                 "start"};
    std::vector<std::string> fixed;
    for (std::size_t k = 0; k < 5; ++k) {
        fixed.push_back((k % 2 == 0 ? "H" : "") + recordOf(k % 2 == 0 ? 9 : 10, 3 * k, code));
    }
    std::vector<std::string> csv;
    for (std::size_t k = 0; k < 5; ++k) {
        csv.push_back(recordOf(3, k, code) + ",\"" + recordOf(4, k + 5, code) + ",\"\"q\"\"\"," +
                      recordOf(2, k + 7, code));
    }
    std::vector<std::string> titled{"No," + recordOf(4, 4, code) + ",memo"};
    titled.insert(titled.end(), csv.begin(), csv.end());
    return {
        {"FL", definitionText("header,T,0,FL,,\",\",0", fixedConditions), fixed, false},
        {"FB", definitionText("header,T,10,FB,,\",\",0", fixedConditions), fixed, true},
        {"CS", definitionText("header,T,0,CS,,\",\",0", csvConditions), csv, false},
        {"CT", definitionText("header,T,0,CT,,\",\",0", csvConditions), csv, false},
        {"CT-title", definitionText("header,T,0,CT,,\",\",-1", csvConditions), titled, false},
    };
}

// The file's bytes: the UTF-8 text decoded (CP932 with the codes of a map) and written in the code.
std::string fileBytes(const Layout& layout, const Code& code) {
    std::string utf8 = code.bom ? "\xEF\xBB\xBF" : "";
    for (const std::string& line : layout.lines) {
        utf8 += line + (layout.blocks ? "" : "\r\n");
    }
    utf8 += layout.blocks ? "\r\n" : "";
    CharacterMap characters;
    const DecodedText decoded = DecodeDataFile(utf8, KanjiCode::Utf8, characters);
    const EncodedText encoded = EncodeDataFile(decoded.text, code.code, code.bom, characters);
    EXPECT_EQ(decoded.LostCharacters + encoded.LostCharacters, 0u) << code.name << " " << layout.name;
    return encoded.bytes;
}

TEST(RoundTrip, AnUnchangedFileSavesAsTheSameBytesInEveryCodeLayoutAndRange) {
    int files = 0;
    for (const Code& code : kCodes) {
        for (const Layout& layout : layoutsFor(code)) {
            for (const bool ranged : {false, true}) {
                SCOPED_TRACE(std::string(code.name) + " " + layout.name + (ranged ? " range 2-3" : ""));
                test::TempDir dir;
                const std::string bytes = fileBytes(layout, code);
                test::WriteBytes(dir / "data", bytes);
                test::WriteBytes(dir / "data.def", layout.definition);
                MainState state(AppHome(), TRanvoSetting::Defaults());
                test::FakeUiHost host;
                OpenChoice choice;
                choice.DataPath = dir / "data";
                choice.DefinitionPath = dir / "data.def";
                choice.Options = {code.code, {ranged, ranged ? 2 : 0, ranged ? 3 : 0}};
                ASSERT_EQ(OpenDataFile(state, choice, host).Outcome, OpenOutcome::Opened);
                ASSERT_TRUE(SaveInPlace(state, host));
                EXPECT_EQ(test::ReadBytes(dir / "data"), bytes);
                EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
                ++files;
            }
        }
    }
    EXPECT_EQ(files, 60);
}

} // namespace
} // namespace ranvo
