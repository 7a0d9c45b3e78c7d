#pragma once

// A definition with a given number of fields per condition, for the filter manager's tests.

#include "core/definitions/define_class.h"

#include <initializer_list>
#include <string>

namespace ranvo::test {

inline TDefineClass definitionWithFields(std::initializer_list<int> fieldCounts) {
    TDefineClass definition;
    definition.DefineName = "Sales";
    for (const int count : fieldCounts) {
        TCondition& condition = definition.Conditions.emplace_back();
        for (int j = 0; j < count; ++j) {
            condition.FieldLength.push_back("2");
            condition.FieldName.push_back("f" + std::to_string(j));
        }
    }
    return definition;
}

} // namespace ranvo::test
