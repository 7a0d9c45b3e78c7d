// Holds each manual page in step with its program's --help. Read from the help, generically:
//   usage forms      "usage: FORM" and the indented forms under it: the page's SYNOPSIS lines
//   entries          lines indented by two spaces under a header such as "Commands:": the .TP
//                    items of the page's section of that name (COMMANDS), in the same order, and
//                    each with an example ("PROGRAM WORD" in EXAMPLES, WORD the entry's first)
//   listed values    "CODE is one of a (note), b and c.": each a .TP item of the page
//   exit codes       "Exit codes: 0 success, 1 failure.": the .TP items of EXIT STATUS
// The page writes its items on one line with inline fonts, as the help prints them.

#include "support/byte_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <sstream>

#include <sys/wait.h>

namespace ranvo {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The words of `text` with single spaces between them.
std::string collapsed(const std::string& text) {
    std::istringstream words(text);
    std::string result;
    for (std::string word; words >> word;) {
        result += (result.empty() ? "" : " ") + word;
    }
    return result;
}

std::string replacedAll(std::string text, std::string_view from, std::string_view to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// `text` without its remarks in parentheses.
std::string withoutRemarks(std::string text) {
    for (auto open = text.find('('); open != std::string::npos; open = text.find('(')) {
        text.erase(open, text.find(')', open) - open + 1);
    }
    return text;
}

// The text a roff line shows: font changes dropped, escaped characters as they print.
std::string rendered(std::string line) {
    if (line.starts_with(".B ") || line.starts_with(".I ")) {
        line.erase(0, 3);
    }
    for (const auto& [escape, shown] : {std::pair{"\\fB", ""},
                                        {"\\fI", ""},
                                        {"\\fR", ""},
                                        {"\\fP", ""},
                                        {"\\-", "-"},
                                        {"\\(aq", "'"},
                                        {"\\&", ""},
                                        {"\\e", "\\"}}) {
        line = replacedAll(line, escape, shown);
    }
    return collapsed(line);
}

// A manual page's sections, each as its source lines.
class ManPage {
public:
    explicit ManPage(const std::string& source) {
        std::string section;
        for (const std::string& line : linesOf(source)) {
            if (line.starts_with(".SH ")) {
                section = line.substr(4);
                std::erase(section, '"');
            } else if (!section.empty()) {
                m_sections[section].push_back(line);
            }
        }
    }

    [[nodiscard]] bool has(const std::string& section) const {
        return m_sections.contains(section);
    }

    // The shown lines of a section: its text lines and font requests, not its other requests.
    [[nodiscard]] std::vector<std::string> text(const std::string& section) const {
        std::vector<std::string> shown;
        for (const std::string& line : lines(section)) {
            if (!line.starts_with('.') || line.starts_with(".B ") || line.starts_with(".I ")) {
                shown.push_back(rendered(line));
            }
        }
        return shown;
    }

    // The heads of the section's .TP items; of every section's for an empty name.
    [[nodiscard]] std::vector<std::string> items(const std::string& section) const {
        std::vector<std::string> heads;
        for (const auto& [name, sectionLines] : m_sections) {
            if (section.empty() || name == section) {
                for (std::size_t i = 0; i + 1 < sectionLines.size(); ++i) {
                    if (sectionLines[i] == ".TP") {
                        heads.push_back(rendered(sectionLines[i + 1]));
                    }
                }
            }
        }
        return heads;
    }

private:
    [[nodiscard]] const std::vector<std::string>& lines(const std::string& section) const {
        static const std::vector<std::string> none;
        const auto found = m_sections.find(section);
        return found == m_sections.end() ? none : found->second;
    }

    std::map<std::string, std::vector<std::string>> m_sections;
};

// What a program's --help says, read by the rules at the top of this file.
struct Help {
    std::vector<std::string> usageForms;
    std::map<std::string, std::vector<std::string>> entries; // by header, without the colon
    std::vector<std::string> listedValues;
    std::vector<std::string> exitCodes;

    explicit Help(const std::string& text) {
        std::string section;
        bool inUsage = false;
        for (const std::string& line : linesOf(text)) {
            inUsage = inUsage && line.starts_with(' ');
            if (line.starts_with("usage: ") || inUsage) {
                usageForms.push_back(collapsed(line.substr(line.starts_with("usage: ") ? 7 : 0)));
                inUsage = true;
            } else if (isHeader(line)) {
                section = line.substr(0, line.size() - 1);
            } else if (!section.empty() && line.starts_with("  ") && line[2] != ' ') {
                entries[section].push_back(collapsed(line));
            } else if (!line.empty() && line[0] != ' ') {
                section.clear();
            }
            if (const auto values = line.find(" is one of ");
                values != std::string::npos && line.ends_with('.')) {
                listedValues = listed(line.substr(values + 11, line.size() - values - 12));
            } else if (line.starts_with("Exit codes: ") && line.ends_with('.')) {
                for (const std::string& item : listed(line.substr(12, line.size() - 13))) {
                    exitCodes.push_back(item.substr(0, item.find(' ')));
                }
            }
        }
    }

private:
    // "Commands:": a capital, then letters and spaces, then the colon.
    static bool isHeader(const std::string& line) {
        return line.size() > 1 && std::isupper(static_cast<unsigned char>(line[0])) &&
               line.ends_with(':') && std::all_of(line.begin(), line.end() - 1, [](char c) {
                   return std::isalpha(static_cast<unsigned char>(c)) || c == ' ';
               });
    }

    // "a (remark), b and c" as its items.
    static std::vector<std::string> listed(const std::string& text) {
        std::vector<std::string> items;
        std::istringstream stream(replacedAll(withoutRemarks(text), " and ", ", "));
        for (std::string item; std::getline(stream, item, ',');) {
            items.push_back(collapsed(item));
        }
        return items;
    }
};

std::string standardOutputOf(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr) << command;
    if (pipe == nullptr) {
        return output;
    }
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, read);
    }
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    return output;
}

std::string upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

struct Program {
    std::string name;
    std::string executable;
    std::string manPage;
};

void PrintTo(const Program& program, std::ostream* out) {
    *out << program.name;
}

class ManPageOf : public ::testing::TestWithParam<Program> {
protected:
    Help help{standardOutputOf(GetParam().executable + " --help")};
    ManPage page{test::ReadBytes(GetParam().manPage)};
};

TEST_P(ManPageOf, SynopsisShowsEveryUsageForm) {
    ASSERT_FALSE(help.usageForms.empty());
    EXPECT_EQ(page.text("SYNOPSIS"), help.usageForms);
}

TEST_P(ManPageOf, EachHelpSectionHasTheSameItemsInTheSameOrder) {
    ASSERT_FALSE(help.entries.empty());
    for (const auto& [section, entries] : help.entries) {
        ASSERT_TRUE(page.has(upper(section))) << section;
        EXPECT_EQ(page.items(upper(section)), entries) << section;
    }
}

TEST_P(ManPageOf, EveryHelpEntryHasAnExample) {
    const std::vector<std::string> examples = page.text("EXAMPLES");
    for (const auto& [section, entries] : help.entries) {
        for (const std::string& entry : entries) {
            const std::string call = GetParam().name + " " + entry.substr(0, entry.find(' ')) + " ";
            const bool shown =
                std::any_of(examples.begin(), examples.end(), [&call](const std::string& line) {
                    return (line + " ").starts_with(call);
                });
            EXPECT_TRUE(shown) << "no example of " << entry;
        }
    }
}

TEST_P(ManPageOf, ListsEveryValueAndExitCodeOfTheHelp) {
    const std::vector<std::string> items = page.items("");
    for (const std::string& value : help.listedValues) {
        EXPECT_TRUE(std::ranges::find(items, value) != items.end()) << "no item for " << value;
    }
    if (!help.exitCodes.empty()) {
        EXPECT_EQ(page.items("EXIT STATUS"), help.exitCodes);
    }
}

std::vector<Program> programs() {
    std::vector<Program> list{{"ranvo-cli", RANVO_CLI, RANVO_MAN_DIR "/ranvo-cli.1"}};
#ifdef RANVO_GUI
    list.push_back({"ranvo", RANVO_GUI, RANVO_MAN_DIR "/ranvo.1"});
#endif
    return list;
}

INSTANTIATE_TEST_SUITE_P(Programs, ManPageOf, ::testing::ValuesIn(programs()),
                         [](const auto& program) {
                             return program.param.name == "ranvo" ? "Window" : "Tool";
                         });

// The reading rules themselves, on a help text that has every kind of line.
TEST(HelpReading, FindsFormsEntriesValuesAndExitCodes) {
    const Help help(
        "usage: tool COMMAND ...\n"
        "       tool --help\n"
        "\n"
        "Commands:\n"
        "  run IN [--fast]\n"
        "      Runs IN.\n"
        "\n"
        "  stop\n"
        "\n"
        "MODE is one of quick (the default), slow and   careful.\n"
        "  not an entry\n"
        "Exit codes: 0 success, 1 failure (the reason on standard error), 2 usage error.\n");
    EXPECT_EQ(help.usageForms, (std::vector<std::string>{"tool COMMAND ...", "tool --help"}));
    EXPECT_EQ(help.entries.size(), std::size_t{1});
    EXPECT_EQ(help.entries.at("Commands"), (std::vector<std::string>{"run IN [--fast]", "stop"}));
    EXPECT_EQ(help.listedValues, (std::vector<std::string>{"quick", "slow", "careful"}));
    EXPECT_EQ(help.exitCodes, (std::vector<std::string>{"0", "1", "2"}));
}

TEST(ManPageReading, ReadsItemsAndTextAsTheyShow) {
    const ManPage page(".TH T 1\n"
                       ".SH SYNOPSIS\n"
                       "\\fBtool\\fR \\fB\\-\\-help\\fR\n"
                       ".br\n"
                       ".SH \"EXIT STATUS\"\n"
                       ".TP\n"
                       ".B 0\n"
                       "Success.\n"
                       ".TP\n"
                       "\\fB1\\fR\n"
                       "Failure; it\\(aqs \\ewritten.\n");
    EXPECT_EQ(page.text("SYNOPSIS"), std::vector<std::string>{"tool --help"});
    EXPECT_EQ(page.items("EXIT STATUS"), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(page.text("EXIT STATUS"),
              (std::vector<std::string>{"0", "Success.", "1", "Failure; it's \\written."}));
    EXPECT_FALSE(page.has("EXAMPLES"));
}

} // namespace
} // namespace ranvo
