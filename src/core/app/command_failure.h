#pragma once

// A command stopped by an exception (memory ran out, a text grew past what a string can hold,
// anything else) is reported to the user, and the window goes on with the data it had: nothing
// is lost that the command had not yet changed.

#include <exception>
#include <string>
#include <string_view>

namespace ranvo {

// The words with which commands report their own failure, where they have them.
inline constexpr std::string_view OpenFailureWords = "データの取り込みに失敗しました";
inline constexpr std::string_view SaveInPlaceFailureWords = "ファイルの保存に失敗しました";
inline constexpr std::string_view SaveFailureWords = "保存に失敗しました";

// The message (UTF-8) for `failure`: the command's own `failureWords` when it has them, then why
// it stopped.
[[nodiscard]] std::string CommandFailureMessage(const std::exception_ptr& failure,
                                                std::string_view failureWords = {});

} // namespace ranvo
