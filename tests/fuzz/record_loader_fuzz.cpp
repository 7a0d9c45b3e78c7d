// The data loader in every character code and layout, with and without a read range. The first
// input byte chooses them; the rest is the file. A file that opens is saved unchanged in its own
// layout and code: read in Shift_JIS without records brought to length, that gives back the same
// bytes, but for line ends, which are written as CR LF (a file that is one FB line gets exactly one
// at its end); in every case where no character was lost to the code, opening the saved file
// gives the same records.

#include "core/export/data_writer.h"
#include "core/loading/kela_conv.h"
#include "core/loading/open_command.h"
#include "core/loading/record_loader.h"
#include "core/platform/code_page.h"
#include "core/text/sjis.h"
#include "core/text/text_lines.h"
#include "fuzz_support.h"

#include <array>

using namespace ranvo;

namespace {

// One definition a layout: a fallback condition and two recognised by a check word, of fields
// of several lengths (fixed-length) or named columns (CSV).
constexpr std::array<std::string_view, 5> kDefinitions{
    "rvDefine ver1.0\r\ndefine\r\nheader,fl,0,FL,,\",\",0\r\nconditions\r\n"
    "head,none,,1,0,0,16777215,0,0,0,0\r\nlength,4\r\nname,a\r\ncolor,0\r\nstart,1\r\n"
    "head,H,H,1,1,0,255,0,0,0,-1\r\nlength,1,3,2\r\nname,k,b,c\r\ncolor,0,0,0\r\nstart,1,2,5\r\n"
    "head,D,D,1,1,0,255,0,0,0,-1\r\nlength,1,1\r\nname,k,x\r\ncolor,0,0\r\nstart,1,2\r\n",
    "rvDefine ver1.0\r\ndefine\r\nheader,fb,6,FB,,\",\",0\r\nconditions\r\n"
    "head,none,,1,0,0,16777215,0,0,0,0\r\nlength,6\r\nname,a\r\ncolor,0\r\nstart,1\r\n"
    "head,H,H,1,1,0,255,0,0,0,-1\r\nlength,1,3,2\r\nname,k,b,c\r\ncolor,0,0,0\r\nstart,1,2,5\r\n",
    "rvDefine ver1.0\r\ndefine\r\nheader,cs,0,CS,,\",\",0\r\nconditions\r\n"
    "head,none,,1,0,0,16777215,0,0,0,0\r\nlength\r\nname\r\ncolor\r\nstart\r\n"
    "head,H,H,1,1,0,255,0,0,0,-1\r\nlength,1,1,1\r\nname,k,b,c\r\ncolor,0,0,0\r\nstart,1,2,3\r\n",
    "rvDefine ver1.0\r\ndefine\r\nheader,ct,0,CT,,\",,0\r\nconditions\r\n"
    "head,none,,1,0,0,16777215,0,0,0,0\r\nlength\r\nname\r\ncolor\r\nstart\r\n"
    "head,H,H,1,1,0,255,0,0,0,-1\r\nlength,1,1,1\r\nname,k,b,c\r\ncolor,0,0,0\r\nstart,1,2,3\r\n",
    "rvDefine ver1.0\r\ndefine\r\nheader,ctt,0,CT,,\",\",-1\r\nconditions\r\n"
    "head,none,,1,0,0,16777215,0,0,0,0\r\nlength\r\nname\r\ncolor\r\nstart\r\n"
    "head,H,H,1,1,0,255,0,0,0,-1\r\nlength,1,1,1\r\nname,k,b,c\r\ncolor,0,0,0\r\nstart,1,2,3\r\n",
};

// The file as a save writes it back unchanged: every line ended by CR LF.
std::string withCrLfLineEnds(std::string_view file, bool fixedBlocks) {
    std::string text;
    if (fixedBlocks) {
        std::string_view data = file;
        if (data.ends_with("\r\n")) {
            data.remove_suffix(2);
        } else if (data.ends_with('\r') || data.ends_with('\n')) {
            data.remove_suffix(1);
        }
        return std::string(data) + "\r\n";
    }
    LineCutter lines(file);
    for (std::string_view line; lines.Next(line);) {
        text.append(line).append("\r\n");
    }
    return text;
}

// Whether every character of `text` is one EUC-JP and JIS hold in JIS X 0208 or as half-width
// katakana: other codes may be read back as other characters.
bool holdable(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        if (CharLength(text, pos) == 1) {
            if (lead >= 0x80 && !(lead >= 0xA1 && lead <= 0xDF)) {
                return false;
            }
            continue;
        }
        const auto trail = static_cast<unsigned char>(text[pos + 1]);
        const CharBytes jis = TKelaConv::SjisCharToJis(lead, trail);
        if (trail < 0x40 || trail == 0x7F || lead > 0xEF || jis[0] < 0x21 || jis[0] > 0x7E ||
            jis[1] < 0x21 || jis[1] > 0x7E) {
            return false;
        }
    }
    return true;
}

// The same for everything a save writes: the records and the rest of a read-range file.
bool holdable(const MainState& state) {
    const RecordList& records = state.Grid.Records();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!holdable(records.Text(i))) {
            return false;
        }
    }
    return holdable(state.Outside.Before) && holdable(state.Outside.After) &&
           holdable(state.TitleLine);
}

struct Opened {
    MainState state{AppHome(fuzz::ScratchFolder()), TRanvoSetting::Defaults()};
    bool ok = false;
};

void open(Opened& opened, const std::filesystem::path& data, const std::filesystem::path& definition,
          const LoadOptions& options) {
    fuzz::SilentHost host;
    OpenChoice choice;
    choice.DataPath = data;
    choice.DefinitionPath = definition;
    choice.Options = options;
    choice.RecordHistory = false;
    opened.ok = OpenDataFile(opened.state, choice, host).Outcome == OpenOutcome::Opened;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader input(fuzz::Bytes(data, size));
    const std::uint8_t choice = input.byte();
    const std::size_t layout = (choice & 7) % kDefinitions.size();
    LoadOptions options;
    options.Code = static_cast<KanjiCode>((choice >> 3) % 5);
    if ((choice & 0x80) != 0) {
        const std::uint8_t range = input.byte();
        options.Range = {true, 1 + (range & 7), 1 + (range & 7) + (range >> 3 & 7)};
    }
    const std::string_view file = input.rest();
    static std::array<std::filesystem::path, kDefinitions.size()> definitions;
    if (definitions[layout].empty()) {
        definitions[layout] = fuzz::WriteScratch("layout" + std::to_string(layout) + ".def",
                                                 kDefinitions[layout]);
    }
    const auto path = fuzz::WriteScratch("data.txt", file);

    TDefineClass definition;
    fuzz::Check(definition.LoadFromFile(definitions[layout]), "the layout's definition reads");
    RecordList records;
    LoadReport report;
    const bool read = ReadRecords(path, options, definition, records, report);

    Opened first;
    open(first, path, definitions[layout], options);
    // A file the loader reads may still not open: a record that gives no cell cannot be shown.
    if (!read || !first.ok) {
        return 0;
    }
    const auto saved = fuzz::ScratchFolder() / "saved.txt";
    // Characters the file's code cannot hold would be written as "?": those records cannot come
    // back as they were, so such a save is declined.
    const WriteOutcome written = WriteDataFile(first.state, saved, TargetLayout::Own,
                                               [](std::size_t) { return false; });
    if (written == WriteOutcome::Declined) {
        return 0;
    }
    fuzz::Check(written == WriteOutcome::Written, "an opened file is saved");
    if (options.Code == KanjiCode::ShiftJis && !report.LengthMismatch) {
        fuzz::Check(fuzz::ReadScratch(saved) == withCrLfLineEnds(file, layout == 1),
                    "an unchanged Shift_JIS file saves as it was");
    }
    // Neither JIS nor EUC-JP has a place for every code outside JIS X 0208.
    if ((options.Code == KanjiCode::Jis || options.Code == KanjiCode::Euc) &&
        !holdable(first.state)) {
        return 0;
    }
    Opened second;
    open(second, saved, definitions[layout], options);
    fuzz::Check(second.ok, "a saved file opens again");
    const RecordList& before = first.state.Grid.Records();
    const RecordList& after = second.state.Grid.Records();
    fuzz::Check(before.size() == after.size(), "the saved file has as many records");
    // A "UniCode" file without its mark is read as Shift_JIS and saved as UTF-16. A character
    // CP932 has at two codes (the NEC-selected and the IBM kanji, NEC's row 13 and JIS X 0208)
    // comes back at the one CP932 writes for it, and records of fixed length that cut characters
    // in two cut the converted ones elsewhere; what must hold is that the saved file, opened and
    // saved again, stays as it is.
    if (options.Code == KanjiCode::Unicode && !(file.size() > 2 && file.starts_with("\xFF\xFE"))) {
        const auto again = fuzz::ScratchFolder() / "saved-again.txt";
        fuzz::Check(WriteDataFile(second.state, again, TargetLayout::Own,
                                  [](std::size_t) { return false; }) == WriteOutcome::Written,
                    "a saved file saves again");
        fuzz::Check(fuzz::ReadScratch(again) == fuzz::ReadScratch(saved),
                    "a saved file saves again as it is");
        return 0;
    }
    // The same records hold the same characters. Their bytes may differ: each open gives the
    // characters CP932 lacks codes of its own, and a record cut to length may have held others
    // before them.
    const auto sameRecord = [&](std::size_t i) {
        return before.Condition(i) == after.Condition(i) &&
               Cp932ToUtf8(before.Text(i), &first.state.Characters).bytes ==
                   Cp932ToUtf8(after.Text(i), &second.state.Characters).bytes;
    };
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (!sameRecord(i)) {
            fuzz::Fail("the saved file has the same records: record " + std::to_string(i) + " was \"" +
                       before.Entry(i) + "\", is \"" + after.Entry(i) + "\"");
        }
    }
    return 0;
}
