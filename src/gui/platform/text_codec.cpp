#include "gui/platform/text_codec.h"

#include "core/platform/code_page.h"

#include <algorithm>

namespace ranvo::gui {
namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

QString toQString(std::string_view cp932) {
    if (isAscii(cp932)) {
        return QString::fromLatin1(cp932.data(), static_cast<qsizetype>(cp932.size()));
    }
    const ConvertedText utf8 = Cp932ToUtf8(cp932);
    return QString::fromUtf8(utf8.bytes.data(), static_cast<qsizetype>(utf8.bytes.size()));
}

std::string fromQString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const std::string_view bytes(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    if (isAscii(bytes)) {
        return std::string(bytes);
    }
    return Utf8ToCp932(bytes).bytes;
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
