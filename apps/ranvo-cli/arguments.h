#pragma once

// The command line of ranvo-cli after the command name: positional words and "--name value"
// options. A usage error is thrown as UsageError and ends the program with exit code 2.

#include "core/state/load_options.h"

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace ranvo::cli {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Arguments {
public:
    // `valued` names the options that take a value and `flags` those that stand alone; every
    // other "--word" is refused.
    Arguments(const std::vector<std::string>& words, const std::vector<std::string>& valued,
              const std::vector<std::string>& flags = {});

    [[nodiscard]] const std::vector<std::string>& positional() const { return m_positional; }
    [[nodiscard]] std::optional<std::string> option(const std::string& name) const;
    [[nodiscard]] bool flag(const std::string& name) const { return m_flags.contains(name); }
    // The words as paths: they are UTF-8, which a narrow string is not taken for everywhere.
    [[nodiscard]] std::filesystem::path positionalPath(std::size_t index) const;
    [[nodiscard]] std::optional<std::filesystem::path> optionPath(const std::string& name) const;
    // The positional words must number exactly `count`.
    void expectPositional(std::size_t count) const;

private:
    std::vector<std::string> m_positional;
    std::map<std::string, std::string> m_options;
    std::set<std::string> m_flags;
};

// "sjis", "euc", "jis", "unicode" or "utf8".
[[nodiscard]] KanjiCode parseCode(const std::string& name);

} // namespace ranvo::cli
