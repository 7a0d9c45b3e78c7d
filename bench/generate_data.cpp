// ranvo-bench-data: writes the benchmark data set that scripts/bench measures.

#include "bench/bench_data.h"
#include "core/platform/paths.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::string_view kUsage = R"(usage: ranvo-bench-data [--records N] FOLDER

Writes into FOLDER (created when missing) N slip records (default 1000000) of header, detail and
trailer types as fixed-length lines in five character codes (fl-sjis.txt, fl-euc.txt,
fl-jis.txt, fl-unicode.txt, fl-utf8.txt), as fixed-length blocks (fb-sjis.dat) and as CSV with
a title line (csv-sjis.csv), with the definitions fl.def, fb.def and csv.def. The same N always
gives the same bytes.
)";

std::optional<std::size_t> parseCount(std::string_view text) {
    std::size_t count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size() || count == 0) {
        return std::nullopt;
    }
    return count;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    std::size_t count = 1000000;
    std::optional<std::filesystem::path> folder;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "--help" || words[i] == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (words[i] == "--records" && i + 1 < words.size()) {
            const std::optional<std::size_t> parsed = parseCount(words[++i]);
            if (!parsed) {
                std::cerr << "ranvo-bench-data: --records takes a positive number\n";
                return 2;
            }
            count = *parsed;
        } else if (!folder && !words[i].starts_with("-")) {
            folder = words[i];
        } else {
            std::cerr << "ranvo-bench-data: unexpected " << words[i] << "\n\n" << kUsage;
            return 2;
        }
    }
    if (!folder) {
        std::cerr << kUsage;
        return 2;
    }

    std::error_code created;
    std::filesystem::create_directories(*folder, created);
    if (created) {
        std::cerr << "ranvo-bench-data: cannot create " << folder->string() << '\n';
        return 1;
    }
    const auto started = std::chrono::steady_clock::now();
    std::string error;
    if (!ranvo::bench::GenerateBenchData(*folder, count, error)) {
        std::cerr << "ranvo-bench-data: " << error << '\n';
        return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    std::printf("wrote %zu records into %s in %.2f s\n", count, ranvo::GenericUtf8(*folder).c_str(),
                took.count());
    return 0;
}
