// ranvo-cli convert and xml: load a data file as dump does, then write it with the window's own
// writers: saved in its layout, saved converted between fixed-length and CSV, or exported as XML.

#include "commands.h"
#include "data_load.h"
#include "core/export/data_writer.h"
#include "core/export/xml_export.h"
#include "core/platform/paths.h"

#include <iostream>

namespace ranvo::cli {
namespace {

// The layout `--to` names, refused when the definition's format does not allow it: the window
// converts fixed-length files to CSV and CSV files to fixed-length, nothing else.
TargetLayout targetLayout(const std::string& to, const TDefineClass& definition) {
    if (to == "same") {
        return TargetLayout::Own;
    }
    if (to == "csv" && definition.IsFixedFormat()) {
        return TargetLayout::CsvCopy;
    }
    if (to == "fixed" && definition.IsCsvFormat()) {
        return TargetLayout::Fixed;
    }
    if (to == "csv" || to == "fixed") {
        throw UsageError("--to " + to + " needs a " + (to == "csv" ? "fixed-length" : "CSV") + " definition");
    }
    throw UsageError("--to takes same, csv or fixed");
}

// A batch run writes what it can and says how many characters became "?".
AcceptLoss countLost(std::size_t& lost) {
    return [&lost](std::size_t count) {
        lost = count;
        return true;
    };
}

void reportLost(std::size_t lost) {
    if (lost > 0) {
        std::cerr << "変換できない文字が" << lost << "文字あり、「?」に置き換えました\n";
    }
}

} // namespace

int runConvert(const std::vector<std::string>& words) {
    const Arguments arguments(words, loadOptions({"to", "out-code"}), loadFlags());
    arguments.expectPositional(2);
    const std::optional<std::string> to = arguments.option("to");
    if (!to) {
        throw UsageError("convert needs --to same|csv|fixed");
    }
    ConsoleHost host = loadingHost(arguments);
    const std::unique_ptr<MainState> state = loadData(arguments, host);
    if (!state) {
        return 1;
    }
    const TargetLayout layout = targetLayout(*to, state->Definition);
    FileCode code{state->Loaded.Code, state->Utf8Bom};
    if (const auto outCode = arguments.option("out-code")) {
        code = {parseCode(*outCode), false};
    }
    std::size_t lost = 0;
    const WriteOutcome outcome = WriteDataFile(*state, arguments.positionalPath(1), layout, code, countLost(lost));
    if (outcome != WriteOutcome::Written) {
        std::cerr << (layout == TargetLayout::Own ? "ファイルの保存に失敗しました" : "保存に失敗しました") << '\n';
        return 1;
    }
    reportLost(lost);
    return 0;
}

int runXml(const std::vector<std::string>& words) {
    const Arguments arguments(words, loadOptions(), loadFlags());
    arguments.expectPositional(2);
    ConsoleHost host = loadingHost(arguments);
    const std::unique_ptr<MainState> state = loadData(arguments, host);
    if (!state) {
        return 1;
    }
    std::size_t lost = 0;
    if (WriteXmlFile(*state, arguments.positionalPath(1), countLost(lost)) != WriteOutcome::Written) {
        std::cerr << "保存に失敗しました\n";
        return 1;
    }
    reportLost(lost);
    return 0;
}

} // namespace ranvo::cli
