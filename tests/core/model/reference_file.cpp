#include "core/model/reference_file.h"

#include "core/loading/definition_builder.h"

#include <algorithm>

namespace ranvo::test {
namespace reference {

std::size_t CharBytes(std::string_view text, std::size_t pos) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    return lead && pos + 1 < text.size() ? 2 : 1;
}

std::string FitBytes(std::string_view value, std::size_t length) {
    std::size_t kept = 0;
    while (kept < value.size() && kept + CharBytes(value, kept) <= length) {
        kept += CharBytes(value, kept);
    }
    std::string fitted(value.substr(0, kept));
    fitted.append(length - kept, ' ');
    return fitted;
}

std::string ChangeCase(std::string_view text, bool upper) {
    std::string changed(text);
    for (std::size_t pos = 0; pos < changed.size(); pos += CharBytes(changed, pos)) {
        char& c = changed[pos];
        if (upper && c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (!upper && c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return changed;
}

std::size_t FindKey(std::string_view text, std::string_view key, bool matchCase) {
    if (key.empty()) {
        return std::string_view::npos;
    }
    const std::string foldedKey = matchCase ? std::string(key) : ChangeCase(key, true);
    for (std::size_t pos = 0; pos < text.size(); pos += CharBytes(text, pos)) {
        std::string_view here = text.substr(pos, key.size());
        // A match ends on a character's end: the key's last character is whole in the text too.
        std::size_t end = pos;
        while (end < pos + here.size()) {
            end += CharBytes(text, end);
        }
        if (end != pos + key.size()) {
            continue;
        }
        if ((matchCase ? std::string(here) : ChangeCase(here, true)) == foldedKey) {
            return pos;
        }
    }
    return std::string_view::npos;
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] == '\r' || text[pos] == '\n') {
            lines.emplace_back(text.substr(start, pos - start));
            if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
                ++pos;
            }
            start = pos + 1;
        }
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

namespace {

bool containsCharacterWise(std::string_view text, std::string_view part) {
    for (std::size_t pos = 0; pos < text.size() && !part.empty(); pos += CharBytes(text, pos)) {
        if (text.substr(pos, part.size()) == part) {
            return true;
        }
    }
    return false;
}

std::string undoubled(std::string_view text, char quote) {
    std::string plain;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        plain += text[pos];
        if (text[pos] == quote && pos + 1 < text.size() && text[pos + 1] == quote) {
            ++pos;
        }
    }
    return plain;
}

// A plain split at every separator found on a character.
std::vector<std::string> splitFields(std::string_view text, std::string_view separator) {
    std::vector<std::string> values;
    std::size_t start = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text.substr(pos, separator.size()) == separator) {
            values.emplace_back(text.substr(start, pos - start));
            pos += separator.size();
            start = pos;
        } else {
            pos += CharBytes(text, pos);
        }
    }
    values.emplace_back(text.substr(start));
    return values;
}

// A quote-aware split: a quoted value ends at a quote that ends the text or stands before the
// separator, and its doubled quotes are single ones; a trailing separator gives no empty value
// and a quoted value never closed ends the split.
std::vector<std::string> splitQuoted(std::string_view text, char separator, char quote) {
    std::vector<std::string> values;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == quote) {
            std::size_t end = pos + 1;
            while (end < text.size()) {
                if (text[end] == quote && (end + 1 == text.size() || text[end + 1] == separator)) {
                    break;
                }
                end +=
                    text[end] == quote && end + 1 < text.size() && text[end + 1] == quote ? 2 : 1;
            }
            if (end >= text.size()) {
                return values;
            }
            values.push_back(undoubled(text.substr(pos + 1, end - pos - 1), quote));
            pos = end + 2;
            continue;
        }
        std::size_t end = pos;
        while (end < text.size() && text[end] != separator) {
            end += CharBytes(text, end);
        }
        values.push_back(end < text.size() ? std::string(text.substr(pos, end - pos))
                                           : undoubled(text.substr(pos), quote));
        pos = end + 1;
    }
    return values;
}

} // namespace
} // namespace reference

std::string Shown(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
        } else {
            shown += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
        }
    }
    return shown + '"';
}

std::string Shown(const RefRecord& record) {
    return std::to_string(record.condition) + ":" + Shown(record.text);
}

TDefineClass FileScheme::Definition() const {
    static constexpr std::string_view kFormats[] = {"FL", "FB", "CS", "CT"};
    DefinitionBuilder builder(std::string(kFormats[static_cast<int>(kind)]), recordLength);
    for (const RecordType& type : types) {
        std::vector<FieldSpec> fields;
        for (std::size_t i = 0; i < type.fieldLengths.size(); ++i) {
            fields.push_back({"f" + std::to_string(i + 1), type.fieldLengths[i]});
        }
        builder.condition(type.checkWord, type.checkStart, fields);
    }
    TDefineClass definition = builder.build();
    definition.Separate = separator;
    definition.Quote = quote;
    definition.QuoteAlways = quoteAlways;
    definition.TopTitle = topTitle;
    return definition;
}

std::vector<std::string> ReferenceFile::splitCsv(std::string_view text) const {
    if (m_scheme.kind == FileKind::CS) {
        return reference::splitFields(text, m_scheme.separator);
    }
    return reference::splitQuoted(text, m_scheme.separator[0], m_scheme.quote[0]);
}

std::size_t ReferenceFile::RecordLength(int condition) const {
    const auto& lengths = m_scheme.types[static_cast<std::size_t>(condition)].fieldLengths;
    std::size_t length = 0;
    for (const int field : lengths) {
        length += static_cast<std::size_t>(field);
    }
    return length;
}

std::vector<std::string> ReferenceFile::Cells(const RefRecord& record) const {
    if (!m_scheme.fixed()) {
        return splitCsv(record.text);
    }
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (const int length :
         m_scheme.types[static_cast<std::size_t>(record.condition)].fieldLengths) {
        cells.emplace_back(start < record.text.size()
                               ? record.text.substr(start, static_cast<std::size_t>(length))
                               : std::string());
        start += static_cast<std::size_t>(length);
    }
    return cells;
}

std::string ReferenceFile::Cell(const RefRecord& record, std::size_t index) const {
    const std::vector<std::string> cells = Cells(record);
    return index < cells.size() ? cells[index] : std::string();
}

std::string ReferenceFile::FitValue(int condition, std::size_t index,
                                    std::string_view value) const {
    if (!m_scheme.fixed()) {
        return std::string(value);
    }
    const auto& lengths = m_scheme.types[static_cast<std::size_t>(condition)].fieldLengths;
    return reference::FitBytes(
        value, index < lengths.size() ? static_cast<std::size_t>(lengths[index]) : 0);
}

RefRecord ReferenceFile::WithCell(const RefRecord& record, std::size_t index,
                                  std::string_view value) const {
    std::vector<std::string> cells = Cells(record);
    if (m_scheme.fixed()) {
        if (index >= cells.size()) {
            return record;
        }
        cells[index] = FitValue(record.condition, index, value);
        std::string text;
        for (const std::string& cell : cells) {
            text += cell;
        }
        return {record.condition, text};
    }
    if (cells.size() <= index) {
        cells.resize(index + 1);
    }
    cells[index] = value;
    return {record.condition, BuildCsv(std::move(cells))};
}

std::string ReferenceFile::BuildCsv(std::vector<std::string> values) const {
    while (!values.empty() && values.back().empty()) {
        values.pop_back();
    }
    const std::string& separator = m_scheme.separator;
    const std::string& quote = m_scheme.quote;
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        line += i > 0 ? separator : "";
        const std::string& value = values[i];
        if (m_scheme.kind == FileKind::CS) {
            // Read back by a plain split: nothing but the separator between the values.
            line += value;
        } else if (m_scheme.quoteAlways || reference::containsCharacterWise(value, quote)) {
            line += quote;
            for (std::size_t pos = 0; pos < value.size(); pos += reference::CharBytes(value, pos)) {
                const std::string_view character =
                    std::string_view(value).substr(pos, reference::CharBytes(value, pos));
                line += character;
                line += character == quote ? quote : "";
            }
            line += quote;
        } else if (reference::containsCharacterWise(value, separator)) {
            line += quote + value + quote;
        } else {
            line += value;
        }
    }
    // An empty line has no value to read back: a quoted row of empty values keeps one.
    if (line.empty() && m_scheme.kind == FileKind::CT) {
        line = quote + quote;
    }
    return line;
}

int ReferenceFile::FindCondition(std::string_view text) const {
    const std::vector<std::string> columns =
        m_scheme.fixed() ? std::vector<std::string>{} : splitCsv(text);
    for (std::size_t i = 1; i < m_scheme.types.size(); ++i) {
        const RecordType& type = m_scheme.types[i];
        const auto start = static_cast<std::size_t>(type.checkStart);
        if (m_scheme.fixed()) {
            if (text.size() >= start &&
                text.substr(start - 1, type.checkWord.size()) == type.checkWord) {
                return static_cast<int>(i);
            }
        } else if (columns.size() >= start && columns[start - 1] == type.checkWord) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

RefRecord ReferenceFile::Typed(std::string_view text) const {
    const int condition = FindCondition(text);
    if (m_scheme.kind == FileKind::CT && splitCsv(text).empty()) {
        return {condition, BuildCsv({})}; // no value: no line a file could be read back with
    }
    if (!m_scheme.fixed()) {
        return {condition, std::string(text)};
    }
    return {condition, reference::FitBytes(text, RecordLength(condition))};
}

std::string ReferenceFile::FileText(const std::vector<RefRecord>& records,
                                    std::string_view titleLine) const {
    std::string text;
    if (m_scheme.kind == FileKind::FB) {
        for (const RefRecord& record : records) {
            text += record.text;
        }
        return text + "\r\n";
    }
    if (m_scheme.topTitle) {
        text += std::string(titleLine) + "\r\n";
    }
    for (const RefRecord& record : records) {
        text += record.text + "\r\n";
    }
    return text;
}

std::vector<RefRecord> ReferenceFile::Load(std::string_view text) const {
    std::vector<std::string> pieces;
    if (m_scheme.kind == FileKind::FB) {
        // Back to back, without the one line end the file ends with.
        if (text.ends_with("\r\n")) {
            text.remove_suffix(2);
        } else if (text.ends_with('\r') || text.ends_with('\n')) {
            text.remove_suffix(1);
        }
        const auto length = static_cast<std::size_t>(m_scheme.recordLength);
        for (std::size_t pos = 0; pos < text.size(); pos += length) {
            pieces.emplace_back(text.substr(pos, length));
        }
    } else {
        pieces = reference::Lines(text);
        if (m_scheme.topTitle && !pieces.empty()) {
            pieces.erase(pieces.begin());
        }
    }
    std::vector<RefRecord> records;
    for (std::string& piece : pieces) {
        const int condition = FindCondition(piece);
        if (m_scheme.fixed()) {
            // Loading pads or cuts a record to its type's length byte by byte.
            piece.resize(RecordLength(condition), ' ');
        }
        records.push_back({condition, std::move(piece)});
    }
    return records;
}

} // namespace ranvo::test
