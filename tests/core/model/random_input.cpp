#include "core/model/random_input.h"

#include <algorithm>
#include <string_view>

namespace ranvo::test {
namespace {

constexpr std::string_view kCharacters[] = {
    "a",        "b",        "x",        "Z",        "A",        "0",        "7",        " ",
    "-",        "\"",       ",",        "|",        "\t",       "\xB1",     "\xDD",     "\x82\xA0",
    "\x83\x41", "\x83\x62", "\x83\x5C", "\x95\x5C", "\x81\x7C", "\x8A\xBF", "\x81\x40", "\x82\x60",
};
// Bytes only an FB record holds: it has no line ends of its own.
constexpr std::string_view kRecordBytes[] = {"\r", "\n", "\r\n", std::string_view("\0", 1)};

bool isCharacterStart(std::string_view text, std::size_t pos) {
    std::size_t at = 0;
    while (at < pos) {
        at += reference::CharBytes(text, at);
    }
    return at == pos;
}

} // namespace

int RandomInput::Below(int bound) {
    return bound <= 1 ? 0 : std::uniform_int_distribution<int>(0, bound - 1)(m_random);
}

std::string RandomInput::Value(int maxCharacters, ValueUse use) {
    std::string text;
    const int count = Below(maxCharacters + 1);
    for (int i = 0; i < count; ++i) {
        std::string_view character = kCharacters[Below(std::size(kCharacters))];
        if (m_file.scheme().kind == FileKind::FB && use == ValueUse::Cell && Chance(8)) {
            character = kRecordBytes[Below(std::size(kRecordBytes))];
        }
        if (use == ValueUse::BlockCell && character == "\t") {
            continue;
        }
        text += character;
    }
    return text;
}

std::string RandomInput::RecordText(int condition) {
    const FileScheme& scheme = m_file.scheme();
    const RecordType& type = scheme.types[static_cast<std::size_t>(condition)];
    if (scheme.fixed()) {
        std::string text;
        for (const int length : type.fieldLengths) {
            text += reference::FitBytes(Value(length), static_cast<std::size_t>(length));
        }
        if (condition > 0) {
            text.replace(static_cast<std::size_t>(type.checkStart) - 1, type.checkWord.size(),
                         type.checkWord);
        }
        if (scheme.kind == FileKind::FL && Chance(10)) {
            text = Chance(50) ? reference::FitBytes(text, text.size() / 2) : text + Value(4);
        }
        return text;
    }
    std::vector<std::string> values;
    const int count = std::max(1, static_cast<int>(type.fieldLengths.size()) + Below(4) - 1);
    for (int i = 0; i < count; ++i) {
        values.push_back(Value(4));
    }
    if (condition > 0 && count >= type.checkStart) {
        values[static_cast<std::size_t>(type.checkStart) - 1] = type.checkWord;
    }
    if (scheme.kind == FileKind::CT && Chance(20)) {
        FileScheme quoting = scheme;
        quoting.quoteAlways = !quoting.quoteAlways;
        return ReferenceFile(quoting).BuildCsv(values);
    }
    return m_file.BuildCsv(values);
}

std::string RandomInput::TypedRecord() {
    if (Chance(15)) {
        return {};
    }
    if (Chance(25)) {
        return Value(12, ValueUse::BlockCell);
    }
    return RecordText(Below(static_cast<int>(m_file.scheme().types.size())));
}

std::string RandomInput::SearchKey(const std::vector<RefRecord>& records, int cols) {
    if (records.empty() || Chance(25)) {
        return Value(2) + "a";
    }
    const std::string cell =
        m_file.Cell(records[static_cast<std::size_t>(Below(static_cast<int>(records.size())))],
                    static_cast<std::size_t>(Below(cols)));
    if (cell.empty()) {
        return "x";
    }
    auto start = static_cast<std::size_t>(Below(static_cast<int>(cell.size())));
    while (start > 0 && !isCharacterStart(cell, start)) {
        --start;
    }
    std::size_t end = start;
    for (int n = 1 + Below(3); n > 0 && end < cell.size(); --n) {
        end += reference::CharBytes(cell, end);
    }
    std::string key = cell.substr(start, end - start);
    return Chance(30) ? reference::ChangeCase(key, Chance(50)) : key;
}

} // namespace ranvo::test
