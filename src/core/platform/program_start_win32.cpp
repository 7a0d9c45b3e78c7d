#include "core/platform/program_start.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
// shellapi.h needs the types of windows.h before it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace ranvo {

std::vector<std::string> CommandLineArguments(int, char**) {
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words != nullptr && i < count; ++i) {
        const int bytes =
            ::WideCharToMultiByte(CP_UTF8, 0, words[i], -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 1), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, words[i], -1, utf8.data(), bytes, nullptr, nullptr);
        utf8.pop_back(); // the terminating NUL
        arguments.push_back(std::move(utf8));
    }
    ::LocalFree(words);
    return arguments;
}

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

void KeepFreedMemoryForReuse() {}

} // namespace ranvo
