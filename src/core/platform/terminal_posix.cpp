#include "core/platform/terminal.h"

#include <unistd.h>

namespace ranvo {

bool StandardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

} // namespace ranvo
