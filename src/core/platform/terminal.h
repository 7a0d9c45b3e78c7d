#pragma once

// Whether the standard error stream goes to a terminal, where a command-line run may show how
// far long work has come without spoiling a log file.

namespace ranvo {

[[nodiscard]] bool StandardErrorIsTerminal();

} // namespace ranvo
