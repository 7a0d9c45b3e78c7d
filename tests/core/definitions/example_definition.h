#pragma once

// The sample definition of a fixed-length file with one record per line: the fallback condition
// with two fields and a header condition recognised by the letter H in byte 1, as CP932 bytes.

#include "support/byte_files.h"

#include <string>
#include <string_view>

namespace ranvo::test {

// 適用定義なしレコード
inline constexpr std::string_view fallbackName =
    "\x93\x4B\x97\x70\x92\xE8\x8B\x60\x82\xC8\x82\xB5\x83\x8C\x83\x52\x81\x5B\x83\x68";

inline std::string exampleDefinitionText() {
    return CrLfLines({
        "rvDefine ver1.0",
        "define",
        "header,Sales,0,FL,,\",\",0",
        "conditions",
        "head,\x93\x4B\x97\x70\x92\xE8\x8B\x60\x82\xC8\x82\xB5\x83\x8C\x83\x52\x81\x5B\x83\x68"
        ",,1,0,10,16777215,0,0,0,-1",
        "length,4,6",
        "name,Code,Rest",
        "color,0,0",
        "start,1,5",
        "head,Header,H,1,1,12,65535,0,0,0,-1",
        "length,1,8,3",
        "name,Kind,Date,Count",
        "color,0,255,0",
        "start,1,2,10",
    });
}

} // namespace ranvo::test
