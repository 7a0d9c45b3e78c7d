#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#include <unistd.h>

namespace ranvo::fuzz {
namespace {

struct Scratch {
    Scratch() {
        const char* base = std::getenv("TMPDIR");
        path = std::filesystem::path(base != nullptr && *base != '\0' ? base : "/tmp") /
               ("ranvo-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

} // namespace

const std::filesystem::path& ScratchFolder() {
    static const Scratch scratch;
    return scratch.path;
}

std::filesystem::path WriteScratch(const std::string& name, std::string_view bytes) {
    const std::filesystem::path path = ScratchFolder() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string ReadScratch(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Fail(std::string_view what) {
    std::fprintf(stderr, "property failed: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

} // namespace ranvo::fuzz
