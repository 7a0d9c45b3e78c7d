#pragma once

// The boundary between the core's CP932 bytes and Qt's strings. Data text is converted here and
// nowhere else; most cells are ASCII and take a fast path.

#include "core/platform/character_map.h"

#include <filesystem>
#include <string>
#include <string_view>

#include <QString>

namespace ranvo::gui {

// The open file's character map: codes it gave out are shown as their characters, and a typed
// character CP932 cannot hold gets a code of its own instead of becoming "?". The main window
// hands in its state's map for as long as it lives; null (the default) uses CP932 alone.
void useCharacterMap(CharacterMap* characters);

[[nodiscard]] QString toQString(std::string_view cp932);
[[nodiscard]] std::string fromQString(const QString& text);

// The system's own messages and captions are UTF-8 literals in the core.
[[nodiscard]] QString fromUtf8(std::string_view utf8);

[[nodiscard]] QString pathToQString(const std::filesystem::path& path);
[[nodiscard]] std::filesystem::path pathFromQString(const QString& text);

} // namespace ranvo::gui
