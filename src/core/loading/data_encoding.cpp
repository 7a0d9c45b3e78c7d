#include "core/loading/data_encoding.h"

#include "core/loading/kela_conv.h"
#include "core/platform/code_page.h"

#include <algorithm>

namespace ranvo {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

} // namespace

std::string_view DataFileMark(KanjiCode code, bool utf8Bom) {
    if (code == KanjiCode::Unicode) {
        return kUtf16LeBom;
    }
    return code == KanjiCode::Utf8 && utf8Bom ? kUtf8Bom : std::string_view{};
}

DecodedText DecodeDataText(std::string_view bytes, KanjiCode code, bool marked) {
    DecodedText decoded;
    switch (code) {
    case KanjiCode::ShiftJis: decoded.text = bytes; break;
    case KanjiCode::Euc: decoded.text = TKelaConv().EucToSjis(bytes); break;
    case KanjiCode::Jis: decoded.text = TKelaConv().JisToSjis(bytes); break;
    case KanjiCode::Unicode:
        if (marked) {
            ConvertedText converted = Utf16LeToCp932(bytes);
            decoded.text = std::move(converted.bytes);
            decoded.LostCharacters = converted.replaced;
        } else {
            // Without its mark the file is taken for Shift_JIS text with blanks for the zero
            // bytes, which makes the ASCII of an unmarked UTF-16 file readable.
            decoded.text = bytes;
            std::replace(decoded.text.begin(), decoded.text.end(), '\0', ' ');
        }
        break;
    case KanjiCode::Utf8: {
        ConvertedText converted = Utf8ToCp932(bytes);
        decoded.text = std::move(converted.bytes);
        decoded.LostCharacters = converted.replaced;
        break;
    }
    }
    return decoded;
}

DecodedText DecodeDataFile(std::string bytes, KanjiCode code) {
    if (code == KanjiCode::ShiftJis) {
        return {std::move(bytes), 0, false};
    }
    std::string_view text = bytes;
    bool marked = false;
    if (code == KanjiCode::Unicode || code == KanjiCode::Utf8) {
        const std::string_view mark = DataFileMark(code, true);
        marked = text.starts_with(mark);
        if (marked) {
            text.remove_prefix(mark.size());
        }
    }
    DecodedText decoded = DecodeDataText(text, code, marked);
    decoded.Utf8Bom = code == KanjiCode::Utf8 && marked;
    return decoded;
}

EncodedText EncodeDataText(std::string_view text, KanjiCode code) {
    EncodedText encoded;
    switch (code) {
    case KanjiCode::ShiftJis: encoded.bytes = text; break;
    case KanjiCode::Euc: encoded.bytes = SjisToEucKeepingKana(text); break;
    case KanjiCode::Jis: encoded.bytes = TKelaConv().SjisToJis(text); break;
    case KanjiCode::Unicode: {
        ConvertedText converted = Cp932ToUtf16Le(text);
        encoded.bytes = std::move(converted.bytes);
        encoded.LostCharacters = converted.replaced;
        break;
    }
    case KanjiCode::Utf8: {
        ConvertedText converted = Cp932ToUtf8(text);
        encoded.bytes = std::move(converted.bytes);
        encoded.LostCharacters = converted.replaced;
        break;
    }
    }
    return encoded;
}

EncodedText EncodeDataFile(std::string_view text, KanjiCode code, bool utf8Bom) {
    EncodedText encoded = EncodeDataText(text, code);
    const std::string_view mark = DataFileMark(code, utf8Bom);
    if (!mark.empty()) {
        encoded.bytes.insert(0, mark);
    }
    return encoded;
}

} // namespace ranvo
