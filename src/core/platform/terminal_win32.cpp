#include "core/platform/terminal.h"

#include <io.h>
#include <stdio.h>

namespace ranvo {

bool StandardErrorIsTerminal() {
    return ::_isatty(::_fileno(stderr)) != 0;
}

} // namespace ranvo
