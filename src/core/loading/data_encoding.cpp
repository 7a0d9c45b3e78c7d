#include "core/loading/data_encoding.h"

#include "core/platform/cp932_chars.h"
#include "core/text/sjis.h"

#include <algorithm>

namespace ranvo {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

std::string_view markOf(KanjiCode code, bool utf8Bom) {
    if (code == KanjiCode::Unicode) {
        return kUtf16LeBom;
    }
    return code == KanjiCode::Utf8 && utf8Bom ? kUtf8Bom : std::string_view{};
}

// Shift_JIS output: text as it is, except that a code the map gave to a character becomes the
// CP932 code of that character, or "?" where CP932 has none.
std::size_t appendForShiftJis(std::string_view text, bool last, const CharacterMap& characters,
                              ConvertedText& out) {
    if (!characters.RedefinesAny()) {
        out.bytes += text;
        return text.size();
    }
    const Cp932Chars& chars = Cp932Chars::Get();
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (IsLeadByte(text[pos]) && pos + 1 == text.size() && !last) {
            break;
        }
        const std::size_t length = CharLength(text, pos);
        const auto code =
            static_cast<std::uint16_t>(static_cast<unsigned char>(text[pos]) << 8 |
                                       static_cast<unsigned char>(text[pos + length - 1]));
        const std::optional<std::size_t> userArea =
            length == 2 ? UserAreaIndex(code) : std::nullopt;
        if (!userArea || !characters.IsRedefined(*userArea)) {
            out.bytes.append(text, pos, length);
        } else if (const std::uint16_t own = chars.CodeOf(characters.CharacterOf(*userArea));
                   own != kNoCode) {
            if (own >= 0x100) {
                out.bytes += static_cast<char>(own >> 8);
            }
            out.bytes += static_cast<char>(own);
        } else {
            out.bytes += '?';
            ++out.replaced;
        }
        pos += length;
    }
    return pos;
}

} // namespace

std::size_t DataFileDecoder::Decode(std::string_view bytes, bool last, DecodedText& out) {
    std::size_t taken = 0;
    if (!m_started) {
        m_started = true;
        const std::string_view mark = markOf(m_code, true);
        m_marked = !mark.empty() && bytes.starts_with(mark);
        if (m_marked) {
            taken = mark.size();
            bytes.remove_prefix(mark.size());
        }
        out.Utf8Bom = m_code == KanjiCode::Utf8 && m_marked;
    }
    ConvertedText converted{std::move(out.text), 0};
    switch (m_code) {
    case KanjiCode::ShiftJis:
        converted.bytes += bytes;
        taken += bytes.size();
        break;
    case KanjiCode::Euc:
        taken += AppendEucAsCp932(bytes, last, &m_characters, converted);
        break;
    case KanjiCode::Jis:
        taken += AppendJisAsCp932(bytes, last, m_mode, &m_characters, converted);
        break;
    case KanjiCode::Unicode:
        if (m_marked) {
            taken +=
                AppendUnicodeAsCp932(bytes, UnicodeForm::Utf16Le, last, &m_characters, converted);
        } else {
            // Without its mark the file is taken for Shift_JIS text with blanks for the zero
            // bytes, which makes the ASCII of an unmarked UTF-16 file readable.
            const std::size_t start = converted.bytes.size();
            converted.bytes += bytes;
            std::replace(converted.bytes.begin() + static_cast<std::ptrdiff_t>(start),
                         converted.bytes.end(), '\0', ' ');
            taken += bytes.size();
        }
        break;
    case KanjiCode::Utf8:
        taken += AppendUnicodeAsCp932(bytes, UnicodeForm::Utf8, last, &m_characters, converted);
        break;
    }
    out.text = std::move(converted.bytes);
    out.LostCharacters += converted.replaced;
    return taken;
}

std::size_t DataFileEncoder::Encode(std::string_view text, bool last, EncodedText& out) {
    if (!m_started) {
        m_started = true;
        out.bytes += markOf(m_code, m_utf8Bom);
    }
    ConvertedText converted{std::move(out.bytes), 0};
    std::size_t taken = 0;
    switch (m_code) {
    case KanjiCode::ShiftJis:
        taken = appendForShiftJis(text, last, m_characters, converted);
        break;
    case KanjiCode::Euc:
        taken = AppendCp932AsEuc(text, last, &m_characters, converted);
        break;
    case KanjiCode::Jis:
        taken = AppendCp932AsJis(text, last, m_mode, &m_characters, converted);
        break;
    case KanjiCode::Unicode:
        taken = AppendCp932AsUnicode(text, UnicodeForm::Utf16Le, last, &m_characters, converted);
        break;
    case KanjiCode::Utf8:
        taken = AppendCp932AsUnicode(text, UnicodeForm::Utf8, last, &m_characters, converted);
        break;
    }
    out.bytes = std::move(converted.bytes);
    out.LostCharacters += converted.replaced;
    return taken;
}

DecodedText DecodeDataView(std::string_view bytes, KanjiCode code, CharacterMap& characters) {
    DecodedText decoded;
    DataFileDecoder(code, characters).Decode(bytes, true, decoded);
    if (code == KanjiCode::Unicode) {
        characters.ReserveCodesIn(decoded.text);
    }
    return decoded;
}

DecodedText DecodeDataFile(std::string bytes, KanjiCode code, CharacterMap& characters) {
    if (code != KanjiCode::ShiftJis) {
        return DecodeDataView(bytes, code, characters);
    }
    DecodedText decoded;
    decoded.text = std::move(bytes);
    characters.ReserveCodesIn(decoded.text);
    return decoded;
}

EncodedText EncodeDataFile(std::string_view text, KanjiCode code, bool utf8Bom,
                           const CharacterMap& characters) {
    EncodedText encoded;
    DataFileEncoder(code, utf8Bom, characters).Encode(text, true, encoded);
    return encoded;
}

} // namespace ranvo
