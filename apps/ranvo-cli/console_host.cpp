#include "console_host.h"

#include <iostream>

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

bool ConsoleHost::takeError() {
    const bool error = m_error;
    m_error = false;
    return error;
}

} // namespace ranvo::cli
