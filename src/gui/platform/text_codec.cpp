#include "gui/platform/text_codec.h"

#include "core/platform/code_page.h"
#include "core/text/sjis.h"


#include <algorithm>
#include <array>
#include <memory>

namespace ranvo::gui {
namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Every CP932 character as one UTF-16 unit, so that the texts of the cells on screen (painted
// again at every scroll step) are decoded by lookup instead of by a conversion call each. Built
// once, through the code page, from all single bytes and all lead/trail pairs.
class Cp932Table {
public:
    Cp932Table() : m_pair(std::make_unique<char16_t[]>(kPairCount)) {
        for (int byte = 0; byte < 256; ++byte) {
            m_single[static_cast<std::size_t>(byte)] = decode(std::string(1, static_cast<char>(byte)));
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const char bytes[] = {static_cast<char>(lead), static_cast<char>(trail)};
                m_pair[index(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail))] =
                    decode(std::string(bytes, 2));
            }
        }
    }

    [[nodiscard]] char16_t single(unsigned char byte) const { return m_single[byte]; }
    [[nodiscard]] char16_t pair(unsigned char lead, unsigned char trail) const {
        if (lead < 0x81 || trail < 0x40 || trail > 0xFC) {
            return u'?';
        }
        return m_pair[index(lead, trail)];
    }

private:
    static constexpr std::size_t kTrails = 0xFC - 0x40 + 1;
    static constexpr std::size_t kPairCount = (0xFC - 0x81 + 1) * kTrails;

    static std::size_t index(unsigned char lead, unsigned char trail) {
        return static_cast<std::size_t>(lead - 0x81) * kTrails + (trail - 0x40);
    }

    // One character; what does not come out as one UTF-16 unit is shown as "?".
    static char16_t decode(const std::string& character) {
        const ConvertedText utf8 = Cp932ToUtf8(character);
        const QString text =
            QString::fromUtf8(utf8.bytes.data(), static_cast<qsizetype>(utf8.bytes.size()));
        return utf8.replaced == 0 && text.size() == 1 ? text[0].unicode() : u'?';
    }

    std::array<char16_t, 256> m_single{};
    std::unique_ptr<char16_t[]> m_pair;
};

const Cp932Table& cp932Table() {
    static const Cp932Table table;
    return table;
}

} // namespace

QString toQString(std::string_view cp932) {
    if (isAscii(cp932)) {
        return QString::fromLatin1(cp932.data(), static_cast<qsizetype>(cp932.size()));
    }
    const Cp932Table& table = cp932Table();
    QString text(static_cast<qsizetype>(cp932.size()), Qt::Uninitialized);
    QChar* out = text.data();
    qsizetype length = 0;
    for (std::size_t pos = 0; pos < cp932.size();) {
        const auto byte = static_cast<unsigned char>(cp932[pos]);
        if (CharLength(cp932, pos) == 2) {
            out[length++] = QChar(table.pair(byte, static_cast<unsigned char>(cp932[pos + 1])));
            pos += 2;
        } else {
            out[length++] = QChar(table.single(byte));
            ++pos;
        }
    }
    text.truncate(length);
    return text;
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
