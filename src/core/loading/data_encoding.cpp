#include "core/loading/data_encoding.h"

#include "core/loading/kela_conv.h"
#include "core/platform/code_page.h"

#include <algorithm>

namespace ranvo {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

} // namespace

DecodedText DecodeDataFile(std::string bytes, KanjiCode code) {
    DecodedText decoded;
    switch (code) {
    case KanjiCode::ShiftJis: decoded.text = std::move(bytes); break;
    case KanjiCode::Euc: decoded.text = TKelaConv().EucToSjis(bytes); break;
    case KanjiCode::Jis: decoded.text = TKelaConv().JisToSjis(bytes); break;
    case KanjiCode::Unicode:
        if (bytes.starts_with(kUtf16LeBom)) {
            ConvertedText converted = Utf16LeToCp932(std::string_view(bytes).substr(2));
            decoded.text = std::move(converted.bytes);
            decoded.LostCharacters = converted.replaced;
        } else {
            // Without its mark the file is taken for Shift_JIS text with blanks for the zero
            // bytes, which makes the ASCII of an unmarked UTF-16 file readable.
            std::replace(bytes.begin(), bytes.end(), '\0', ' ');
            decoded.text = std::move(bytes);
        }
        break;
    case KanjiCode::Utf8: {
        std::string_view text = bytes;
        decoded.Utf8Bom = text.starts_with(kUtf8Bom);
        if (decoded.Utf8Bom) {
            text.remove_prefix(kUtf8Bom.size());
        }
        ConvertedText converted = Utf8ToCp932(text);
        decoded.text = std::move(converted.bytes);
        decoded.LostCharacters = converted.replaced;
        break;
    }
    }
    return decoded;
}

EncodedText EncodeDataFile(std::string_view text, KanjiCode code, bool utf8Bom) {
    EncodedText encoded;
    switch (code) {
    case KanjiCode::ShiftJis: encoded.bytes = text; break;
    case KanjiCode::Euc: encoded.bytes = SjisToEucKeepingKana(text); break;
    case KanjiCode::Jis: encoded.bytes = TKelaConv().SjisToJis(text); break;
    case KanjiCode::Unicode: {
        ConvertedText converted = Cp932ToUtf16Le(text);
        encoded.bytes.reserve(kUtf16LeBom.size() + converted.bytes.size());
        encoded.bytes = kUtf16LeBom;
        encoded.bytes += converted.bytes;
        encoded.LostCharacters = converted.replaced;
        break;
    }
    case KanjiCode::Utf8: {
        ConvertedText converted = Cp932ToUtf8(text);
        if (utf8Bom) {
            converted.bytes.insert(0, kUtf8Bom);
        }
        encoded.bytes = std::move(converted.bytes);
        encoded.LostCharacters = converted.replaced;
        break;
    }
    }
    return encoded;
}

} // namespace ranvo
