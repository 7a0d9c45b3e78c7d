#pragma once

// Work run on a thread of its own while the caller keeps its own loop going (a window painting, a
// terminal showing progress). What the work throws is handed back to the caller by Join.

#include <atomic>
#include <exception>
#include <functional>
#include <thread>

namespace ranvo {

class BackgroundWork {
public:
    explicit BackgroundWork(const std::function<void()>& work);
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    [[nodiscard]] bool Finished() const { return m_finished.load(); }
    // Waits for the work to end; rethrows what it threw.
    void Join();

private:
    std::atomic<bool> m_finished{false};
    std::exception_ptr m_failure;
    std::thread m_thread;
};

} // namespace ranvo
