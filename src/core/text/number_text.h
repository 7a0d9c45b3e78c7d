#pragma once

// Text to number conversions. Every reader of user-made files (definitions, settings, filters)
// converts through these, so they all accept and refuse the same notations.

#include <cstdint>
#include <optional>
#include <string_view>

namespace ranvo {

// The standard string-to-integer conversion: optional leading blanks, an optional sign, then
// decimal digits or a hexadecimal number after "$" or "0x". Nothing may follow. Decimal values must
// fit in 32 signed bits; hexadecimal ones in 32 bits, read as two's complement ("$FFFFFFFF" is -1).
[[nodiscard]] std::optional<std::int32_t> ToInteger(std::string_view text);

// ToInteger, or `fallback` when the text does not convert.
[[nodiscard]] std::int32_t IntegerOr(std::string_view text, std::int32_t fallback);

// A boolean: any integer other than 0 and the word "True" are true; 0 and "False" are false (the
// words in any case). Anything else does not convert.
[[nodiscard]] std::optional<bool> ToBoolean(std::string_view text);

} // namespace ranvo
