// The character conversions against a reference that converts one character at a time: for
// stateless encodings the whole text must convert as its characters do one by one. Texts that
// are characters the target can hold convert back as they were. Decoders take any bytes.

#include "core/loading/kela_conv.h"
#include "core/platform/code_page.h"
#include "core/text/sjis.h"
#include "fuzz_support.h"

using namespace ranvo;

namespace {

// The CP932 characters of `text`, one by one.
template <class Visit>
void eachCharacter(std::string_view text, Visit visit) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = CharLength(text, pos);
        visit(text.substr(pos, length));
        pos += length;
    }
}

// UTF-8 characters of valid UTF-8 (as a conversion writes it), one by one.
template <class Visit>
void eachUtf8Character(std::string_view text, Visit visit) {
    for (std::size_t pos = 0; pos < text.size();) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        visit(text.substr(pos, length));
        pos += length;
    }
}

template <class Convert>
void checkCharacterWise(std::string_view text, Convert convert, std::string_view what) {
    const ConvertedText whole = convert(text, nullptr);
    ConvertedText pieces;
    eachCharacter(text, [&](std::string_view character) {
        const ConvertedText one = convert(character, nullptr);
        pieces.bytes += one.bytes;
        pieces.replaced += one.replaced;
    });
    fuzz::Check(whole.bytes == pieces.bytes && whole.replaced == pieces.replaced, what);
}

// Shift_JIS as EUC-JP without a character map, as a data file is written.
std::string sjisToEuc(std::string_view sjis) {
    ConvertedText euc;
    AppendCp932AsEuc(sjis, true, nullptr, euc);
    return euc.bytes;
}

// A double-byte character of JIS X 0208's rows, which JIS and EUC-JP can hold. The rows of lead
// bytes EB, EC and EF hold the NEC-selected kanji elsewhere, so those codes have no place.
bool isJisCharacter(std::string_view character) {
    if (character.size() != 2) {
        return false;
    }
    const auto second = static_cast<unsigned char>(character[1]);
    const auto lead = static_cast<unsigned char>(character[0]);
    if (second < 0x40 || second == 0x7F || second > 0xFC || lead > 0xEE || lead == 0xEB ||
        lead == 0xEC) {
        return false;
    }
    const CharBytes jis = TKelaConv::SjisCharToJis(lead, second);
    return jis[0] >= 0x21 && jis[0] <= 0x7E && jis[1] >= 0x21 && jis[1] <= 0x7E;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::Bytes(data, size);

    // CP932 to Unicode, character by character; and back from what that gave.
    checkCharacterWise(text, Cp932ToUtf8, "CP932 to UTF-8 as its characters convert");
    checkCharacterWise(text, Cp932ToUtf16Le, "CP932 to UTF-16 as its characters convert");
    const std::string utf8 = Cp932ToUtf8(text).bytes;
    const ConvertedText back = Utf8ToCp932(utf8);
    std::string pieces;
    eachUtf8Character(utf8, [&](std::string_view character) { pieces += Utf8ToCp932(character).bytes; });
    fuzz::Check(back.bytes == pieces, "UTF-8 to CP932 as its characters convert");
    const std::string utf16 = Cp932ToUtf16Le(text).bytes;
    fuzz::Check(Utf16LeToCp932(utf16).bytes == back.bytes, "UTF-16 gives what UTF-8 gives");
    (void)Utf8ToCp932(text);
    (void)Utf16LeToCp932(text);

    // EUC-JP for data files keeps every character's bytes apart.
    std::string euc;
    bool holdable = true;
    bool jisHoldable = true;
    eachCharacter(text, [&](std::string_view character) {
        euc += sjisToEuc(character);
        const auto byte = static_cast<unsigned char>(character[0]);
        const bool single = character.size() == 1 && (byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF));
        holdable = holdable && (single || isJisCharacter(character));
        // The escape and shift bytes would be taken for JIS's own.
        jisHoldable = jisHoldable && ((character.size() == 1 && byte < 0x80 && byte != 0x1B &&
                                       byte != 0x0E && byte != 0x0F) ||
                                      isJisCharacter(character));
    });
    fuzz::Check(sjisToEuc(text) == euc, "Shift_JIS to EUC-JP as its characters convert");
    const TKelaConv converter;
    if (holdable) {
        fuzz::Check(converter.EucToSjis(euc) == text, "EUC-JP converts back as it was");
    }
    if (jisHoldable) {
        fuzz::Check(converter.JisToSjis(converter.SjisToJis(text)) == text,
                    "JIS converts back as it was");
    }
    (void)converter.JisToSjis(text);
    (void)converter.EucToSjis(text);
    (void)converter.SjisToEuc(text);
    (void)TKelaConv::HanKanaToZenSepaDaku(text);
    return 0;
}
