// ranvo-cli: Ranvo's core without a window, for batch work and scripts.

#include "arguments.h"
#include "commands.h"
#include "core/platform/program_start.h"

#include <exception>
#include <iostream>
#include <string_view>

namespace {

constexpr std::string_view kUsage = R"(usage: ranvo-cli COMMAND ...

Commands:
  dump DATA [--def DEF] [--code CODE] [--range FROM-TO] [--home DIR] [--quiet]
      Reads DEF (without --def: the definition the detect command picks) and loads DATA
      through it as the open dialog does, then writes one line per record to standard
      output: the record's three-character condition number, a TAB, its fields joined by
      TAB, and LF, as raw Shift_JIS bytes. --range keeps records FROM to TO (1-based).
      --home names the application folder whose config.ini supplies the settings and whose
      definitions and history.dat detection uses; without it the first-run settings apply
      and detection looks only beside DATA. history.dat is read, never written. On a
      terminal the load shows its progress on standard error; --quiet keeps it silent.
  convert DATA [--def DEF] [--code CODE] [--range FROM-TO] --to same|csv|fixed [--out-code CODE] OUT
      Loads DATA as dump does (--home and --quiet too) and writes OUT as the window saves:
      --to same in the file's own layout (the records as they are, with the rest of the file
      around a --range), --to csv a fixed-length file as CSV, --to fixed a CSV file as
      fixed-length lines. OUT is in the code of DATA unless --out-code names another.
      Characters the code cannot hold are written as "?" and counted on standard error.
  xml DATA [--def DEF] [--code CODE] [--range FROM-TO] OUT
      Loads DATA as dump does (--home and --quiet too) and writes its records to OUT as the
      window's XML export does, in the code of DATA.
  detect DATA --home DIR [--code CODE]
      Prints the definition file that automatic detection picks for DATA, read in CODE, with
      DIR as the application folder: a definition beside DATA, else the one DATA was last
      opened with, else the definition of DIR, DIR/define or the extra folders of config.ini
      that recognises the most records. Paths under the current folder are printed relative
      to it.
  recode --from CODE --to CODE IN OUT
      Converts the whole file IN to OUT from one character code to another, as loading reads
      and saving writes them; line ends are left as they are. Characters that are lost on the
      way are counted on standard error.
  def-save IN OUT
      Reads the definition IN and writes it to OUT as the definition editor saves it.
  def-xml IN OUT
      Reads the definition IN and writes it to OUT as an XML document (Shift_JIS).

CODE is one of sjis (the default), euc, jis, unicode (UTF-16LE) and utf8.
Exit codes: 0 success, 1 failure (the reason on standard error), 2 usage error.
)";

} // namespace

int main(int argc, char** argv) {
    // A batch run converts and loads in large pieces: memory got for one piece serves the next.
    ranvo::KeepFreedMemoryForReuse();
    ranvo::UseBinaryStandardStreams();
    const std::vector<std::string> words = ranvo::CommandLineArguments(argc, argv);
    if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        std::cout << kUsage;
        return words.empty() ? 2 : 0;
    }
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    try {
        if (words[0] == "dump") {
            return ranvo::cli::runDump(rest);
        }
        if (words[0] == "convert") {
            return ranvo::cli::runConvert(rest);
        }
        if (words[0] == "xml") {
            return ranvo::cli::runXml(rest);
        }
        if (words[0] == "detect") {
            return ranvo::cli::runDetect(rest);
        }
        if (words[0] == "recode") {
            return ranvo::cli::runRecode(rest);
        }
        if (words[0] == "def-save") {
            return ranvo::cli::runDefSave(rest);
        }
        if (words[0] == "def-xml") {
            return ranvo::cli::runDefXml(rest);
        }
        throw ranvo::cli::UsageError("unknown command " + words[0]);
    } catch (const ranvo::cli::UsageError& error) {
        std::cerr << "ranvo-cli: " << error.what() << "\n\n" << kUsage;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "ranvo-cli: " << error.what() << '\n';
        return 1;
    }
}
