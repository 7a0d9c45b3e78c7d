#pragma once

// A page addition: a header or footer printed on every page (the date, the page number, a file
// name or a free text), at one of six places: left, centre and right header, left, centre and
// right footer.

#include "core/settings/ranvo_setting.h"

#include <array>
#include <string>

namespace ranvo {

enum class AdditionKind : int {
    PrintedAt = 0,
    PageNumber = 1,
    DataFileName = 2,
    DataFilePath = 3,
    DefineFileName = 4,
    DefineFilePath = 5,
    FreeText = 6,
};

struct TPageAddition {
    bool Enabled = false;
    AdditionKind Kind = AdditionKind::PrintedAt;
    std::string FreeText; // CP932
    // ＭＳ　ゴシック with an ideographic space, as the additions start out.
    FontSetting Font{"\x82\x6C\x82\x72\x81\x40\x83\x53\x83\x56\x83\x62\x83\x4E", 9, 0, 0};

    bool operator==(const TPageAddition&) const = default;
};

constexpr int PageAdditionCount = 6;
using PageAdditions = std::array<TPageAddition, PageAdditionCount>;

} // namespace ranvo
