#include "core/settings/ini_file.h"

#include "core/platform/file_io.h"
#include "core/text/number_text.h"
#include "core/text/sjis.h"
#include "core/text/text_lines.h"

#include <string>
#include <utility>

namespace ranvo {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t skipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    return pos;
}

// End of [begin, end) without its trailing blanks. Blanks are below 0x40, so they are never the
// trail byte of a double-byte character and can be cut byte by byte.
std::size_t trimEnd(std::string_view text, std::size_t begin, std::size_t end) {
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return end;
}

char foldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Equal names apart from the case of single-byte letters. Walking `a` alone is enough: where
// `a` has a single-byte letter and `b` a lead byte, the bytes differ whatever the case.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t pos = 0; pos < a.size();) {
        const std::size_t length = CharLength(a, pos);
        if (length == 2) {
            if (a[pos] != b[pos] || a[pos + 1] != b[pos + 1]) {
                return false;
            }
        } else if (foldAscii(a[pos]) != foldAscii(b[pos])) {
            return false;
        }
        pos += length;
    }
    return true;
}

std::string_view cutAtLineBreak(std::string_view value) {
    return value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
}

} // namespace

IniFile::IniFile(std::filesystem::path fileName) : m_fileName(std::move(fileName)) {
    if (const auto bytes = ReadFileBytes(m_fileName)) {
        loadText(*bytes);
    }
}

void IniFile::loadText(std::string_view bytes) {
    std::vector<std::string_view> lines;
    SplitLines(TextBeforeNul(bytes), lines);
    m_lines.clear();
    m_lines.reserve(lines.size());
    for (const std::string_view line : lines) {
        m_lines.push_back(parseLine(std::string(line)));
    }
}

IniFile::Line IniFile::parseLine(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string_view view(line.text);
    const std::size_t first = skipBlanks(view, 0);
    if (first == view.size() || view[first] == ';') {
        return line;
    }
    if (view[first] == '[') {
        // "]" can be the trail byte of a double-byte character, so look for it character-wise.
        for (std::size_t pos = first + 1; pos < view.size(); pos += CharLength(view, pos)) {
            if (view[pos] == ']') {
                line.kind = LineKind::Section;
                line.nameBegin = skipBlanks(view, first + 1);
                line.nameLength = trimEnd(view, line.nameBegin, pos) - line.nameBegin;
                return line;
            }
        }
        return line;
    }
    // "=" is below 0x40 and never a trail byte: a byte search finds only a real "=".
    const std::size_t equals = view.find('=');
    if (equals == std::string_view::npos) {
        return line;
    }
    const std::size_t nameEnd = trimEnd(view, first, equals);
    if (nameEnd == first) {
        return line;
    }
    line.kind = LineKind::Key;
    line.nameBegin = first;
    line.nameLength = nameEnd - first;
    line.valueBegin = skipBlanks(view, equals + 1);
    line.valueLength = trimEnd(view, line.valueBegin, view.size()) - line.valueBegin;
    return line;
}

std::size_t IniFile::findSection(std::string_view section) const {
    for (std::size_t index = 0; index < m_lines.size(); ++index) {
        const Line& line = m_lines[index];
        if (line.kind == LineKind::Section && sameName(line.name(), section)) {
            return index;
        }
    }
    return npos;
}

std::size_t IniFile::findKey(std::size_t sectionLine, std::string_view key) const {
    for (std::size_t index = sectionLine + 1; index < m_lines.size(); ++index) {
        const Line& line = m_lines[index];
        if (line.kind == LineKind::Section) {
            break;
        }
        if (line.kind == LineKind::Key && sameName(line.name(), key)) {
            return index;
        }
    }
    return npos;
}

const IniFile::Line* IniFile::findValue(std::string_view section, std::string_view key) const {
    const std::size_t sectionLine = findSection(section);
    if (sectionLine == npos) {
        return nullptr;
    }
    const std::size_t keyLine = findKey(sectionLine, key);
    return keyLine == npos ? nullptr : &m_lines[keyLine];
}

bool IniFile::valueExists(std::string_view section, std::string_view key) const {
    return findValue(section, key) != nullptr;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    const Line* line = findValue(section, key);
    return std::string(line != nullptr ? line->value() : fallback);
}

std::int32_t IniFile::readInteger(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
    const Line* line = findValue(section, key);
    return line != nullptr ? IntegerOr(line->value(), fallback) : fallback;
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const {
    const Line* line = findValue(section, key);
    return line != nullptr ? ToBoolean(line->value()).value_or(fallback) : fallback;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    value = cutAtLineBreak(value);
    std::size_t sectionLine = findSection(section);
    if (sectionLine == npos) {
        if (!m_lines.empty() && m_lines.back().text.find_first_not_of(" \t") != std::string::npos) {
            m_lines.push_back(Line{});
        }
        m_lines.push_back(parseLine("[" + std::string(section) + "]"));
        sectionLine = m_lines.size() - 1;
    }
    const std::size_t keyLine = findKey(sectionLine, key);
    if (keyLine != npos) {
        Line& line = m_lines[keyLine];
        if (line.value() != value) {
            std::string text = line.text.substr(0, line.valueBegin);
            text += value;
            line = parseLine(std::move(text));
        }
        return;
    }
    std::size_t insertAt = sectionLine + 1;
    for (std::size_t index = sectionLine + 1;
         index < m_lines.size() && m_lines[index].kind != LineKind::Section; ++index) {
        if (m_lines[index].kind == LineKind::Key) {
            insertAt = index + 1;
        }
    }
    std::string text(key);
    text += '=';
    text += value;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   parseLine(std::move(text)));
}

void IniFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

std::string IniFile::text() const {
    std::size_t size = 0;
    for (const Line& line : m_lines) {
        size += line.text.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    for (const Line& line : m_lines) {
        bytes += line.text;
        bytes += "\r\n";
    }
    return bytes;
}

bool IniFile::updateFile() const {
    return !m_fileName.empty() && WriteFileReplacing(m_fileName, text());
}

} // namespace ranvo
