// ranvo-cli def-save and def-xml: read a definition and write it again, as the definition editor
// saves it, or as the XML document its export writes.

#include "arguments.h"
#include "commands.h"
#include "core/definitions/define_class.h"
#include "core/platform/paths.h"

#include <iostream>

namespace ranvo::cli {
namespace {

// Reads IN of the two positional arguments IN OUT, writes OUT with `save`.
template <typename Save>
int convertDefinition(const std::vector<std::string>& words, Save save) {
    const Arguments arguments(words, {});
    arguments.expectPositional(2);
    const std::filesystem::path input = arguments.positionalPath(0);
    TDefineClass definition;
    if (!definition.LoadFromFile(input)) {
        std::cerr << "定義ファイル\"" << GenericUtf8(input) << "\"の読込に失敗しました\n";
        return 1;
    }
    if (!save(definition, arguments.positionalPath(1))) {
        std::cerr << "定義ファイルの保存に失敗しました\n";
        return 1;
    }
    return 0;
}

} // namespace

int runDefSave(const std::vector<std::string>& words) {
    return convertDefinition(words, [](TDefineClass& definition, const std::filesystem::path& out) {
        return definition.SaveToFile(out);
    });
}

int runDefXml(const std::vector<std::string>& words) {
    return convertDefinition(words, [](TDefineClass& definition, const std::filesystem::path& out) {
        return definition.SaveToXml(out);
    });
}

} // namespace ranvo::cli
