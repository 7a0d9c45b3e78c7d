#include "core/definitions/define_class.h"

#include "core/text/number_text.h"
#include "core/text/sjis.h"
#include "core/text/text_helpers.h"

namespace ranvo {
namespace {

// The first byte of a one-character setting, NUL standing for "none" when it is empty: an empty
// separator leaves a line whole and an empty quote quotes nothing (a text line holds no NUL).
char firstByte(std::string_view text) {
    return text.empty() ? '\0' : text[0];
}

// `length` bytes of `text` from the 1-based byte `start`, cut at the end of the text; empty when
// the start lies past the end. A start before byte 1 counts from byte 1.
std::string_view bytesAt(std::string_view text, std::int32_t start, std::int32_t length) {
    const std::size_t from = start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
    if (from >= text.size() || length <= 0) {
        return {};
    }
    return text.substr(from, static_cast<std::size_t>(length));
}

// Compares record text with the condition's check word, in upper case when ULWord is set.
bool isCheckWord(const TCondition& condition, std::string_view text) {
    if (text.size() != condition.CheckWord.size()) {
        return false; // upper-casing keeps the length, so this settles most records cheaply
    }
    if (condition.ULWord) {
        return AnsiUpperCase(text) == AnsiUpperCase(condition.CheckWord);
    }
    return text == condition.CheckWord;
}

int findFixedCondition(const std::vector<TCondition>& conditions, std::string_view record) {
    for (std::size_t i = 1; i < conditions.size(); ++i) {
        const TCondition& condition = conditions[i];
        if (condition.CheckStart > 0 &&
            record.size() < static_cast<std::size_t>(condition.CheckStart)) {
            continue;
        }
        if (condition.UseLength &&
            (condition.CheckLength < 0 ||
             record.size() != static_cast<std::size_t>(condition.CheckLength))) {
            continue;
        }
        if (condition.UseWord && !isCheckWord(condition, bytesAt(record, condition.CheckStart,
                                                                 condition.ConditionLength))) {
            continue;
        }
        return static_cast<int>(i);
    }
    return 0;
}

bool columnMatches(const TCondition& condition, const std::vector<std::string>& columns) {
    // Column 0 does not exist: a condition that names it can recognise no record.
    if (condition.CheckStart < 1 ||
        columns.size() < static_cast<std::size_t>(condition.CheckStart)) {
        return false;
    }
    return isCheckWord(condition, columns[static_cast<std::size_t>(condition.CheckStart) - 1]);
}

// The CSV test splits by the last character of the format code: S plainly, T quote-aware.
bool isSplittableCsv(std::string_view format) {
    return format.starts_with('C') && (format.ends_with('S') || format.ends_with('T'));
}

bool hasEntry(const std::vector<std::string>& list, int j) {
    return j >= 0 && static_cast<std::size_t>(j) < list.size();
}

const std::string& entry(const std::vector<std::string>& list, int j) {
    return list[static_cast<std::size_t>(j)];
}

} // namespace

int TDefineClass::FindCondition(std::string_view record) const {
    if (!DefineLoaded) {
        return 0;
    }
    if (IsFixedFormat()) {
        return findFixedCondition(Conditions, record);
    }
    if (!isSplittableCsv(FileFormat)) {
        return 0;
    }
    if (FileFormat.ends_with('S')) {
        SplitFields(record, m_columns, Separate);
    } else {
        SplitQuoted(record, m_columns, firstByte(Separate), firstByte(Quote));
    }
    return FindCondition(m_columns);
}

int TDefineClass::FindCondition(const std::vector<std::string>& columns) const {
    if (!DefineLoaded || !isSplittableCsv(FileFormat)) {
        return 0;
    }
    for (std::size_t i = 1; i < Conditions.size(); ++i) {
        if (columnMatches(Conditions[i], columns)) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

int TDefineClass::SplitRecord(std::string_view record, std::vector<std::string>& list) const {
    if (IsFixedFormat()) {
        const auto index = static_cast<std::size_t>(FindCondition(record));
        if (index >= Conditions.size()) {
            list.clear();
            return 0;
        }
        const TCondition& condition = Conditions[index];
        // The start list sets the number of values; a start without a length gives an empty one.
        list.resize(condition.FieldStart.size());
        for (std::size_t j = 0; j < list.size(); ++j) {
            const std::int32_t start = IntegerOr(condition.FieldStart[j], 0);
            const std::int32_t length =
                j < condition.FieldLength.size() ? IntegerOr(condition.FieldLength[j], 0) : 0;
            list[j].assign(bytesAt(record, start, length));
        }
        return static_cast<int>(list.size());
    }
    if (FileFormat == "CS") {
        return SplitFields(record, list, Separate);
    }
    if (FileFormat == "CT") {
        return SplitQuoted(record, list, firstByte(Separate), firstByte(Quote));
    }
    list.clear();
    return 0;
}

const TCondition* TDefineClass::loadedCondition(int i) const {
    if (!DefineLoaded || i < 0 || static_cast<std::size_t>(i) >= Conditions.size()) {
        return nullptr;
    }
    return &Conditions[static_cast<std::size_t>(i)];
}

std::int32_t TDefineClass::GetFieldColor(int i, int j, std::int32_t defaultColor) const {
    const TCondition* condition = loadedCondition(i);
    if (condition == nullptr || !hasEntry(condition->FieldColor, j)) {
        return defaultColor;
    }
    return IntegerOr(entry(condition->FieldColor, j), UnreadableFieldColor);
}

std::int32_t TDefineClass::GetFieldLength(int i, int j) const {
    const TCondition* condition = loadedCondition(i);
    if (condition == nullptr || !hasEntry(condition->FieldLength, j)) {
        return 0;
    }
    return IntegerOr(entry(condition->FieldLength, j), 0);
}

std::int32_t TDefineClass::GetFieldStart(int i, int j) const {
    const TCondition* condition = loadedCondition(i);
    if (condition == nullptr || !hasEntry(condition->FieldStart, j)) {
        return 1;
    }
    return IntegerOr(entry(condition->FieldStart, j), 0);
}

const std::string& TDefineClass::GetFieldName(int i, int j) const {
    static const std::string none;
    const TCondition* condition = loadedCondition(i);
    if (condition == nullptr || !hasEntry(condition->FieldLength, j) ||
        !hasEntry(condition->FieldName, j)) {
        return none;
    }
    return entry(condition->FieldName, j);
}

int TDefineClass::FieldIndexAt(int i, int position) const {
    if (i < 0 || static_cast<std::size_t>(i) >= Conditions.size()) {
        return 0;
    }
    const std::vector<std::string>& lengths = Conditions[static_cast<std::size_t>(i)].FieldLength;
    // 64 bits: a hand-made file may hold lengths whose sum overflows 32 bits.
    std::int64_t end = 0;
    for (std::size_t j = 0; j < lengths.size(); ++j) {
        const std::optional<std::int32_t> length = ToInteger(lengths[j]);
        if (!length) {
            return 0;
        }
        end += *length;
        if (end >= position) {
            return static_cast<int>(j);
        }
    }
    return 0;
}

} // namespace ranvo
