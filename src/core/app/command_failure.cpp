#include "core/app/command_failure.h"

#include <new>
#include <stdexcept>

namespace ranvo {
namespace {

std::string_view reasonOf(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return "メモリが不足したため、処理を中止しました";
    } catch (const std::length_error&) {
        return "扱える大きさを超えるデータがあるため、処理を中止しました";
    } catch (...) {
        return "予期しないエラーが発生したため、処理を中止しました";
    }
}

} // namespace

std::string CommandFailureMessage(const std::exception_ptr& failure,
                                  std::string_view failureWords) {
    std::string message(failureWords);
    if (!message.empty()) {
        message += "\r\n";
    }
    return message.append(reasonOf(failure));
}

} // namespace ranvo
