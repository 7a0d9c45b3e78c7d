#include "core/definitions/definition_layout.h"

#include <algorithm>

namespace ranvo {

RecordLayout LayoutOf(const TDefineClass& definition) {
    if (definition.IsFixedFormat()) {
        std::vector<std::vector<std::uint32_t>> lengths(definition.Conditions.size());
        for (std::size_t i = 0; i < lengths.size(); ++i) {
            const std::size_t names = definition.Conditions[i].FieldName.size();
            for (std::size_t j = 0; j < names; ++j) {
                const std::int32_t length = definition.GetFieldLength(static_cast<int>(i), static_cast<int>(j));
                lengths[i].push_back(static_cast<std::uint32_t>(std::max(length, 0)));
            }
        }
        return RecordLayout::Fixed(std::move(lengths));
    }
    if (definition.FileFormat == "CS" || definition.FileFormat == "CT") {
        return RecordLayout::Csv(definition.FileFormat == "CT", definition.Separate, definition.Quote,
                                 definition.QuoteAlways);
    }
    return {};
}

} // namespace ranvo
