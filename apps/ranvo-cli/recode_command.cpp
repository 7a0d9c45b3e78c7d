// ranvo-cli recode: converts a whole file from one character code to another, as loading
// decodes it and saving encodes it; line ends are left as they are.

#include "arguments.h"
#include "commands.h"
#include "core/loading/recode.h"
#include "core/platform/paths.h"

#include <iostream>

namespace ranvo::cli {

int runRecode(const std::vector<std::string>& words) {
    const Arguments arguments(words, {"from", "to"});
    arguments.expectPositional(2);
    const auto from = arguments.option("from");
    const auto to = arguments.option("to");
    if (!from || !to) {
        throw UsageError("recode needs --from CODE and --to CODE");
    }
    const KanjiCode fromCode = parseCode(*from);
    const KanjiCode toCode = parseCode(*to);
    const std::filesystem::path input = arguments.positionalPath(0);
    const std::filesystem::path output = arguments.positionalPath(1);

    const RecodeResult result = RecodeFile(input, output, fromCode, toCode);
    if (!result.Read) {
        std::cerr << "ファイル\"" << GenericUtf8(input) << "\"の読込に失敗しました\n";
        return 1;
    }
    if (!result.Written) {
        std::cerr << "ファイル\"" << GenericUtf8(output) << "\"の書込に失敗しました\n";
        return 1;
    }
    if (result.LostCharacters > 0) {
        std::cerr << "変換できない文字が" << result.LostCharacters
                  << "文字あり、「?」に置き換えました\n";
    }
    return 0;
}

} // namespace ranvo::cli
