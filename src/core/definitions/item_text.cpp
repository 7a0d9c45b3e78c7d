#include "core/definitions/item_text.h"

namespace ranvo {

std::optional<std::string> ItemTextRefusal(std::string_view item, std::string_view text) {
    if (text.find(',') != std::string_view::npos) {
        return std::string(item) + "に「,」を含むことはできません";
    }
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
        return std::string(item) + "に改行などの制御文字を含むことはできません";
    }
    return std::nullopt;
}

} // namespace ranvo
