// Runs ranvo-cli once per folder of tests/cases and compares what it does with what the folder
// expects. A case folder holds:
//   args             the arguments, one per line; "{out}" stands for a fresh output file
//   expected-stdout  the exact bytes of standard output (optional; default empty)
//   expected-exit    the exit code (optional; default 0)
//   expected-stderr  text that standard error must contain (optional)
//   expected-out     the exact bytes of the {out} file (optional)
// and the data and definition files the arguments name, relative to the folder.
//
// RANVO_CLI_COMMAND in the environment, when set, is the command that runs the tool instead of
// the one built beside this program: scripts/test-windows runs the Windows build through wine.

#include "support/byte_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>

namespace ranvo {
namespace {

namespace fs = std::filesystem;

std::string readOr(const fs::path& path, const std::string& fallback) {
    return fs::exists(path) ? test::ReadBytes(path) : fallback;
}

std::string shellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs the tool in `folder` with `args`, its standard output and error going to files of
// `scratch`; answers its exit code, or -1 when it did not exit.
int runTool(const fs::path& folder, const std::vector<std::string>& args,
            const test::TempDir& scratch) {
    const char* const replacement = std::getenv("RANVO_CLI_COMMAND");
    std::string command = "cd " + shellQuoted(folder.string()) + " && " +
                          (replacement != nullptr ? replacement : shellQuoted(RANVO_CLI));
    for (const std::string& arg : args) {
        command += " " + shellQuoted(arg);
    }
    command += " >" + shellQuoted((scratch / "stdout").string());
    command += " 2>" + shellQuoted((scratch / "stderr").string());
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class CliCase : public ::testing::TestWithParam<std::string> {};

TEST_P(CliCase, BehavesAsExpected) {
    const fs::path folder = fs::path(RANVO_CASES) / GetParam();
    test::TempDir scratch;
    const fs::path out = scratch / "out";

    std::vector<std::string> words;
    std::istringstream args(test::ReadBytes(folder / "args"));
    for (std::string arg; std::getline(args, arg);) {
        words.push_back(arg == "{out}" ? out.string() : arg);
    }
    EXPECT_EQ(runTool(folder, words, scratch), std::stoi(readOr(folder / "expected-exit", "0")));
    EXPECT_EQ(test::ReadBytes(scratch / "stdout"), readOr(folder / "expected-stdout", ""));
    const std::string stderrText = test::ReadBytes(scratch / "stderr");
    if (fs::exists(folder / "expected-stderr")) {
        std::string expected = test::ReadBytes(folder / "expected-stderr");
        while (!expected.empty() && expected.back() == '\n') {
            expected.pop_back();
        }
        EXPECT_NE(stderrText.find(expected), std::string::npos) << stderrText;
    }
    if (fs::exists(folder / "expected-out")) {
        EXPECT_EQ(readOr(out, "(no output file)"), test::ReadBytes(folder / "expected-out"));
    }
}

// The tool only reads a home: one without config.ini gets the first-run settings and is left
// without the file.
TEST(CliHome, ReadingCommandsWriteNothingIntoTheHome) {
    test::TempDir scratch;
    const fs::path cases(RANVO_CASES);
    fs::create_directories(scratch / "home" / "define");
    fs::copy_file(cases / "detect-by-scoring" / "home" / "define" / "sales.def",
                  scratch / "home" / "define" / "sales.def");
    fs::copy_file(cases / "detect-by-scoring" / "sales.txt", scratch / "sales.txt");
    EXPECT_EQ(runTool(scratch.path(), {"detect", "sales.txt", "--home", "home"}, scratch), 0);
    EXPECT_EQ(test::ReadBytes(scratch / "stdout"), "home/define/sales.def\n");
    EXPECT_EQ(runTool(scratch.path(), {"dump", "sales.txt", "--home", "home", "--quiet"}, scratch),
              0);
    EXPECT_FALSE(fs::exists(scratch / "home" / "config.ini"));
}

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(RANVO_CASES)) {
        if (entry.is_directory()) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Cases, CliCase, ::testing::ValuesIn(caseNames()), [](const auto& param) {
    std::string name = param.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

} // namespace
} // namespace ranvo
