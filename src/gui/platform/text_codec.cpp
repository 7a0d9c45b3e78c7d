#include "gui/platform/text_codec.h"

#include "core/platform/code_page.h"
#include "core/platform/cp932_chars.h"
#include "core/text/sjis.h"

#include <algorithm>

namespace ranvo::gui {
namespace {

CharacterMap* g_characters = nullptr;

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

void useCharacterMap(CharacterMap* characters) {
    g_characters = characters;
}

// Cells on screen are decoded again at every scroll step, so each character is looked up in the
// code page's table instead of going through a conversion call.
QString toQString(std::string_view cp932) {
    if (isAscii(cp932)) {
        return QString::fromLatin1(cp932.data(), static_cast<qsizetype>(cp932.size()));
    }
    const Cp932Chars& chars = Cp932Chars::Get();
    // A character is at most two units: a code of the map may stand for one beyond U+FFFF.
    QString text(static_cast<qsizetype>(cp932.size()), Qt::Uninitialized);
    QChar* out = text.data();
    qsizetype length = 0;
    for (std::size_t pos = 0; pos < cp932.size();) {
        const auto byte = static_cast<unsigned char>(cp932[pos]);
        char32_t character = kNoCharacter;
        if (CharLength(cp932, pos) == 2) {
            const auto code =
                static_cast<std::uint16_t>(byte << 8 | static_cast<unsigned char>(cp932[pos + 1]));
            const std::optional<std::size_t> userArea = UserAreaIndex(code);
            character = g_characters != nullptr && userArea ? g_characters->CharacterOf(*userArea)
                                                            : chars.CharacterOf(code);
            pos += 2;
        } else {
            character = chars.CharacterOf(byte);
            ++pos;
        }
        if (character == kNoCharacter) {
            character = u'?';
        }
        if (character >= 0x10000) {
            out[length++] = QChar(QChar::highSurrogate(character));
            out[length++] = QChar(QChar::lowSurrogate(character));
        } else {
            out[length++] = QChar(static_cast<char16_t>(character));
        }
    }
    text.truncate(length);
    return text;
}

std::string fromQString(const QString& text) {
    static_assert(QSysInfo::ByteOrder == QSysInfo::LittleEndian, "QString's units as UTF-16LE");
    const std::string_view utf16le(reinterpret_cast<const char*>(text.utf16()),
                                   static_cast<std::size_t>(text.size()) * 2);
    return Utf16LeToCp932(utf16le, g_characters).bytes;
}

QString fromUtf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString pathToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

std::filesystem::path pathFromQString(const QString& text) {
    return std::filesystem::path(text.toStdString());
}

} // namespace ranvo::gui
