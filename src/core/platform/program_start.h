#pragma once

// What a command-line program sets up before its first command, so that it reads its arguments
// and writes its output the same way on every system.

#include <string>
#include <vector>

namespace ranvo {

// The words after the program's name, as UTF-8: Windows hands them over as UTF-16, other systems
// as the bytes typed, which are UTF-8 there.
[[nodiscard]] std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Standard input, output and error carry bytes unchanged: no CR is added before an LF.
void UseBinaryStandardStreams();

// Memory freed after one large piece of work stays with the program for the next, instead of
// being handed back to the system and faulted in again.
void KeepFreedMemoryForReuse();

} // namespace ranvo
