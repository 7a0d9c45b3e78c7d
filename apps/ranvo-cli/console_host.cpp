#include "console_host.h"

#include "core/platform/background_work.h"

#include <chrono>
#include <iostream>
#include <string>
#include <thread>

namespace ranvo::cli {

Answer ConsoleHost::Message(std::string_view text, MessageIcon icon, MessageButtons buttons) {
    if (icon == MessageIcon::Error) {
        m_error = true;
    }
    std::cerr << text << '\n';
    switch (buttons) {
    case MessageButtons::Ok: return Answer::Ok;
    case MessageButtons::Yes: return Answer::Yes;
    default: return Answer::No;
    }
}

bool ConsoleHost::RunWithProgress(std::string_view caption, TaskProgress& progress,
                                  const std::function<void()>& work) {
    if (!m_showProgress) {
        work();
        return !progress.Cancelled();
    }
    BackgroundWork background(work);
    while (!background.Finished()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const std::uint64_t total = progress.Total.load(std::memory_order_relaxed);
        if (total > 0) {
            std::cerr << '\r' << caption << ' ' << progress.Done.load(std::memory_order_relaxed) * 100 / total
                      << '%' << std::flush;
        }
    }
    std::cerr << '\r' << std::string(caption.size() + 6, ' ') << '\r' << std::flush;
    background.Join();
    return !progress.Cancelled();
}

bool ConsoleHost::takeError() {
    const bool error = m_error;
    m_error = false;
    return error;
}

} // namespace ranvo::cli
