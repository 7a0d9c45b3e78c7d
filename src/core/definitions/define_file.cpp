// The `.def` file: CP932 text, one attribute set per line, items separated by commas without
// quoting. Lines 1 to 4 are the magic line, "define", the define line and "conditions"; then
// each condition is a block of a head line and the four field lines length, name, color and
// start. The reader is lenient wherever a value can be defaulted and strict only where a wrong
// value would change which records a condition recognises.

#include "core/definitions/define_class.h"
#include "core/platform/file_io.h"
#include "core/text/number_text.h"
#include "core/text/sjis.h"
#include "core/text/text_helpers.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace ranvo {
namespace {

constexpr std::string_view magicLine = "rvDefine ver1.0";

const std::string& itemAt(const std::vector<std::string>& items, std::size_t index) {
    static const std::string missing;
    return index < items.size() ? items[index] : missing;
}

// MaxLength is 32 bits; a hand-made file may give lengths whose sum is not.
std::int32_t saturated(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t sumOfLengths(const std::vector<std::string>& lengths) {
    std::int64_t sum = 0;
    for (const std::string& length : lengths) {
        sum += IntegerOr(length, 0);
    }
    return saturated(sum);
}

// Starts for a condition that gave its lengths only: each field begins where the one before it
// ends, and a condition without lengths gets the single start 1.
void computeStarts(TCondition& condition) {
    condition.FieldStart.clear();
    std::int64_t start = 1;
    condition.FieldStart.push_back("1");
    for (std::size_t j = 0; j + 1 < condition.FieldLength.size(); ++j) {
        start += IntegerOr(condition.FieldLength[j], 0);
        condition.FieldStart.push_back(std::to_string(start));
    }
}

void readDefineLine(TDefineClass& definition, const std::vector<std::string>& items) {
    definition.DefineName = itemAt(items, 1);
    definition.RecordLength = IntegerOr(itemAt(items, 2), 0);
    // Settings are cut between characters: one cut to a lead byte would swallow the comma
    // written after it when the file is read again.
    definition.FileFormat = LeadingCharacters(itemAt(items, 3), 3);
    // The comma cannot be written inside a comma-separated line, so it is written empty.
    const std::string_view separator = LeadingCharacters(itemAt(items, 4), 1);
    definition.Separate = separator.empty() ? "," : separator;
    definition.Quote = LeadingCharacters(itemAt(items, 5), 1);
    definition.QuoteAlways = !itemAt(items, 6).empty();
    definition.TopTitle = ToBoolean(itemAt(items, 7)).value_or(false);
}

// A head line; nothing when a value that decides which records match is unreadable. Older
// files end after the colour (7 items) or after ULWord (8 items); what they lack gets the
// meaning it had then: the word alone decides.
std::optional<TCondition> readHeadLine(const std::vector<std::string>& items) {
    TCondition condition;
    condition.ConditionName = itemAt(items, 1);
    condition.CheckWord = itemAt(items, 2);
    const std::optional<std::int32_t> checkStart = ToInteger(itemAt(items, 3));
    const std::optional<std::int32_t> conditionLength = ToInteger(itemAt(items, 4));
    if (!checkStart || !conditionLength) {
        return std::nullopt;
    }
    condition.CheckStart = *checkStart;
    condition.ConditionLength = *conditionLength;
    condition.ConditionColor = IntegerOr(itemAt(items, 6), TDefineClass::UnreadableConditionColor);
    if (items.size() >= 8) {
        const std::optional<bool> ulWord = ToBoolean(items[7]);
        if (!ulWord) {
            return std::nullopt;
        }
        condition.ULWord = *ulWord;
    }
    condition.UseWord = true;
    if (items.size() >= 11) {
        const std::optional<bool> useLength = ToBoolean(items[9]);
        const std::optional<bool> useWord = ToBoolean(items[10]);
        if (!useLength || !useWord) {
            return std::nullopt;
        }
        condition.CheckLength = IntegerOr(items[8], 0);
        condition.UseLength = *useLength;
        condition.UseWord = *useWord;
    }
    return condition;
}

// The field list a field line fills; null for a line of any other kind.
std::vector<std::string> TCondition::*fieldList(std::string_view key) {
    if (key == "length") {
        return &TCondition::FieldLength;
    }
    if (key == "name") {
        return &TCondition::FieldName;
    }
    if (key == "color") {
        return &TCondition::FieldColor;
    }
    if (key == "start") {
        return &TCondition::FieldStart;
    }
    return nullptr;
}

// Fills the definition from the text of a `.def` file; false when the text is rejected.
bool readDefinition(TDefineClass& definition, std::string_view text) {
    definition.DefineName.clear();
    definition.RecordLength = 0;
    definition.FileFormat.clear();
    definition.Separate.clear();
    definition.Quote.clear();
    definition.QuoteAlways = false;
    definition.TopTitle = false;
    definition.Conditions.clear();

    std::vector<std::string_view> lines;
    SplitLines(text, lines);
    if (lines.size() < 4 || !lines[0].starts_with(magicLine) || lines[1] != "define" ||
        lines[3] != "conditions") {
        return false;
    }
    std::vector<std::string> items;
    SplitFields(lines[2], items, ",");
    readDefineLine(definition, items);

    auto& conditions = definition.Conditions;
    // A length line without a start line after it leaves the starts to be computed.
    bool startsPending = false;
    for (std::size_t n = 4; n < lines.size(); ++n) {
        SplitFields(lines[n], items, ",");
        const std::string& key = items.front();
        if (key == "head") {
            if (startsPending) {
                computeStarts(conditions.back());
                startsPending = false;
            }
            std::optional<TCondition> condition = readHeadLine(items);
            if (!condition || conditions.size() == TDefineClass::MaxConditionCount) {
                return false;
            }
            conditions.push_back(std::move(*condition));
            continue;
        }
        const auto list = fieldList(key);
        if (list == nullptr) {
            continue; // empty lines and unknown keys
        }
        if (conditions.empty()) {
            return false;
        }
        TCondition& condition = conditions.back();
        (condition.*list).assign(items.begin() + 1, items.end());
        if (key == "length") {
            condition.MaxLength = sumOfLengths(condition.FieldLength);
            startsPending = true;
        } else if (key == "start") {
            startsPending = false;
        }
    }
    if (conditions.empty()) {
        return false;
    }
    if (startsPending) {
        computeStarts(conditions.back());
    }
    conditions.front().ConditionName = TDefineClass::FallbackConditionName;
    return true;
}

void appendLine(std::string& text, std::string_view line) {
    text += line;
    text += "\r\n";
}

std::string_view flag(bool value) {
    return value ? "-1" : "0";
}

} // namespace

bool TDefineClass::LoadFromFile(const std::filesystem::path& path) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        DefineLoaded = false;
        return false;
    }
    FilePath = path;
    const bool accepted = readDefinition(*this, TextBeforeNul(*bytes));
    SourcePath = FilePath;
    DefineLoaded = accepted;
    return accepted;
}

bool TDefineClass::SaveToFile(const std::filesystem::path& path) {
    // Checked before anything is changed or written: a field must have all four attributes.
    for (const TCondition& condition : Conditions) {
        const std::size_t fields = condition.FieldName.size();
        if (condition.FieldLength.size() < fields || condition.FieldColor.size() < fields ||
            condition.FieldStart.size() < fields) {
            return false;
        }
    }
    // A fixed-format field without a numeric start or length cannot be cut from a record, so it
    // is not written; a CSV field keeps whatever the loader or the editor put there.
    const bool checkPositions = !IsCsvFormat();

    std::string text;
    appendLine(text, magicLine);
    appendLine(text, "define");
    text += "header,";
    text += DefineName;
    text += ',';
    text += std::to_string(RecordLength);
    text += ',';
    text += FileFormat;
    text += ',';
    if (Separate != ",") {
        text += Separate;
    }
    text += ',';
    text += Quote;
    text += ',';
    text += QuoteAlways ? "\"," : ",";
    appendLine(text, flag(TopTitle));
    appendLine(text, "conditions");

    for (TCondition& condition : Conditions) {
        std::string lengths = "length,";
        std::string names = "name,";
        std::string colors = "color,";
        std::string starts = "start,";
        std::int64_t maxLength = 0;
        for (std::size_t j = 0; j < condition.FieldName.size(); ++j) {
            if (checkPositions &&
                (!IsDigits(condition.FieldStart[j]) || !IsDigits(condition.FieldLength[j]))) {
                continue;
            }
            if (condition.FieldColor[j].empty()) {
                condition.FieldColor[j] = "0";
            }
            (lengths += condition.FieldLength[j]) += ',';
            (names += condition.FieldName[j]) += ',';
            (colors += condition.FieldColor[j]) += ',';
            (starts += condition.FieldStart[j]) += ',';
            maxLength += IntegerOr(condition.FieldLength[j], 0);
        }
        condition.MaxLength = saturated(maxLength);

        text += "head,";
        text += condition.ConditionName;
        text += ',';
        text += condition.CheckWord;
        for (const std::int32_t number : {condition.CheckStart, condition.ConditionLength,
                                          condition.MaxLength, condition.ConditionColor}) {
            text += ',';
            text += std::to_string(number);
        }
        text += ',';
        text += flag(condition.ULWord);
        text += ',';
        text += std::to_string(condition.CheckLength);
        text += ',';
        text += flag(condition.UseLength);
        text += ',';
        appendLine(text, flag(condition.UseWord));

        for (std::string* line : {&lengths, &names, &colors, &starts}) {
            line->pop_back(); // the comma after the last field, or after the key word
            appendLine(text, *line);
        }
    }
    return WriteFileReplacing(path, text);
}

} // namespace ranvo
