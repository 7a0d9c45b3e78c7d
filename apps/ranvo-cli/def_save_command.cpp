// ranvo-cli def-save: reads a definition and writes it again, as the definition editor saves it.

#include "arguments.h"
#include "commands.h"

#include "core/definitions/define_class.h"

#include <iostream>

namespace ranvo::cli {

int runDefSave(const std::vector<std::string>& words) {
    const Arguments arguments(words, {});
    arguments.expectPositional(2);
    const std::filesystem::path input = arguments.positional()[0];
    TDefineClass definition;
    if (!definition.LoadFromFile(input)) {
        std::cerr << "定義ファイル\"" << input.string() << "\"の読込に失敗しました\n";
        return 1;
    }
    if (!definition.SaveToFile(arguments.positional()[1])) {
        std::cerr << "定義ファイルの保存に失敗しました\n";
        return 1;
    }
    return 0;
}

} // namespace ranvo::cli
