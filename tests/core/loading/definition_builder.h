#pragma once

// Definitions made in code for loader tests: a format, then conditions with their fields.

#include "core/definitions/define_class.h"

#include <string>
#include <vector>

namespace ranvo::test {

struct FieldSpec {
    std::string name;
    int length;
};

class DefinitionBuilder {
public:
    explicit DefinitionBuilder(std::string format, int recordLength = 0) {
        m_definition.FileFormat = std::move(format);
        m_definition.RecordLength = recordLength;
        m_definition.Separate = ",";
        m_definition.Quote = "\"";
        m_definition.FilePath = "/defs/test.def";
        TDefineClass::DefineLoaded = true;
    }

    // A condition recognised by `word` at byte (or column) `start`; the first one added is the
    // fallback condition.
    DefinitionBuilder& condition(const std::string& word, int start, std::vector<FieldSpec> fields) {
        TCondition condition;
        condition.ConditionName = word.empty() ? "fallback" : word;
        condition.CheckWord = word;
        condition.CheckStart = start;
        condition.ConditionLength = static_cast<int>(word.size());
        condition.UseWord = true;
        int position = 1;
        for (const FieldSpec& field : fields) {
            condition.FieldName.push_back(field.name);
            condition.FieldLength.push_back(std::to_string(field.length));
            condition.FieldStart.push_back(std::to_string(position));
            condition.FieldColor.emplace_back("0");
            position += field.length;
            condition.MaxLength += field.length;
        }
        m_definition.Conditions.push_back(std::move(condition));
        return *this;
    }

    DefinitionBuilder& topTitle() {
        m_definition.TopTitle = true;
        return *this;
    }

    [[nodiscard]] TDefineClass build() const { return m_definition; }

private:
    TDefineClass m_definition;
};

} // namespace ranvo::test
