#pragma once

// The rules of the options dialog's controls: which list entry stands for which setting value,
// how the bold box changes a font's style, and which folders the definition folder list takes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ranvo {

// The entries of the history-size list and of the history-load list, as setting values.
inline const std::vector<std::int32_t> kMaxHistoryChoices{0, 10, 30, 50, 100, 200};
inline const std::vector<std::int32_t> kHistoryLoadChoices{0, 8, 16, 32, 64, 128, 256};
inline constexpr std::int32_t kSmallestFontSize = 6;
inline constexpr std::int32_t kLargestFontSize = 24;

// The list entry of a setting value; nothing for a value the list does not hold (the list then
// shows no selection and applying leaves the setting as it is).
[[nodiscard]] std::optional<int> ChoiceIndex(const std::vector<std::int32_t>& choices, std::int32_t value);
[[nodiscard]] std::optional<int> FontSizeIndex(std::int32_t size);

// The bold box: checked makes the style bold only; unchecked takes the bold bit away and keeps the
// other style bits. It shows checked only for a style that is exactly bold.
[[nodiscard]] std::int32_t StyleWithBold(std::int32_t style, bool bold);
[[nodiscard]] bool ShowsBold(std::int32_t style);

enum class FolderAddition { Added, NotAFolder, AlreadyListed };

// ">>": a folder joins the definition folder list when it exists and is not listed yet (CP932).
FolderAddition AddDefineFolder(std::vector<std::string>& folders, const std::string& folder);

// Whether an entry of the definition folder list (CP932) can be opened in the folder chooser:
// false when it, or the drive or share it is on, cannot be reached now.
[[nodiscard]] bool FolderReachable(const std::string& folder);

} // namespace ranvo
