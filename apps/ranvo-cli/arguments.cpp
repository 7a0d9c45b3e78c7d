#include "arguments.h"

#include "core/platform/paths.h"

#include <algorithm>

namespace ranvo::cli {

Arguments::Arguments(const std::vector<std::string>& words, const std::vector<std::string>& valued,
                     const std::vector<std::string>& flags) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!word.starts_with("--")) {
            m_positional.push_back(word);
            continue;
        }
        const std::string name = word.substr(2);
        if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
            m_flags.insert(name);
            continue;
        }
        if (std::find(valued.begin(), valued.end(), name) == valued.end()) {
            throw UsageError("unknown option " + word);
        }
        if (i + 1 == words.size()) {
            throw UsageError("option " + word + " needs a value");
        }
        m_options[name] = words[++i];
    }
}

std::optional<std::string> Arguments::option(const std::string& name) const {
    const auto found = m_options.find(name);
    return found == m_options.end() ? std::nullopt : std::optional(found->second);
}

std::filesystem::path Arguments::positionalPath(std::size_t index) const {
    return PathFromUtf8(m_positional.at(index));
}

std::optional<std::filesystem::path> Arguments::optionPath(const std::string& name) const {
    const std::optional<std::string> word = option(name);
    return word ? std::optional(PathFromUtf8(*word)) : std::nullopt;
}

void Arguments::expectPositional(std::size_t count) const {
    if (m_positional.size() != count) {
        throw UsageError("expected " + std::to_string(count) + " file argument(s), got " +
                         std::to_string(m_positional.size()));
    }
}

KanjiCode parseCode(const std::string& name) {
    static const std::pair<const char*, KanjiCode> codes[] = {
        {"sjis", KanjiCode::ShiftJis},   {"euc", KanjiCode::Euc},   {"jis", KanjiCode::Jis},
        {"unicode", KanjiCode::Unicode}, {"utf8", KanjiCode::Utf8},
    };
    for (const auto& [word, code] : codes) {
        if (name == word) {
            return code;
        }
    }
    throw UsageError("unknown character code " + name + " (sjis, euc, jis, unicode, utf8)");
}

} // namespace ranvo::cli
