#include "core/app/command_failure.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace ranvo {
namespace {

template <class Exception>
std::exception_ptr failureOf(Exception exception) {
    return std::make_exception_ptr(exception);
}

TEST(CommandFailure, SaysWhyInTheCommandsOwnWords) {
    EXPECT_EQ(CommandFailureMessage(failureOf(std::bad_alloc())),
              "メモリが不足したため、処理を中止しました");
    EXPECT_EQ(CommandFailureMessage(failureOf(std::bad_alloc()), SaveFailureWords),
              "保存に失敗しました\r\nメモリが不足したため、処理を中止しました");
    EXPECT_EQ(CommandFailureMessage(failureOf(std::length_error("basic_string::_M_create")),
                                    OpenFailureWords),
              "データの取り込みに失敗しました\r\n"
              "扱える大きさを超えるデータがあるため、処理を中止しました");
    EXPECT_EQ(CommandFailureMessage(failureOf(std::runtime_error("x"))),
              "予期しないエラーが発生したため、処理を中止しました");
    EXPECT_EQ(CommandFailureMessage(failureOf(42)),
              "予期しないエラーが発生したため、処理を中止しました");
}

} // namespace
} // namespace ranvo
