#include "core/platform/background_work.h"

#include <utility>

namespace ranvo {

BackgroundWork::BackgroundWork(const std::function<void()>& work)
    : m_thread([this, work] {
          try {
              work();
          } catch (...) {
              m_failure = std::current_exception();
          }
          m_finished = true;
      }) {}

BackgroundWork::~BackgroundWork() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void BackgroundWork::Join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
    if (m_failure) {
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    }
}

} // namespace ranvo
