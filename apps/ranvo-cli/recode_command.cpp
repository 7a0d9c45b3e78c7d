// ranvo-cli recode: converts a whole file from one character code to another, as loading
// decodes it and saving encodes it; line ends are left as they are.

#include "arguments.h"
#include "commands.h"

#include "core/loading/data_encoding.h"
#include "core/platform/file_io.h"

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
    const std::filesystem::path input = arguments.positional()[0];
    const std::filesystem::path output = arguments.positional()[1];

    std::optional<std::string> bytes = ReadFileBytes(input);
    if (!bytes) {
        std::cerr << "ファイル\"" << input.string() << "\"の読込に失敗しました\n";
        return 1;
    }
    DecodedText decoded = DecodeDataFile(std::move(*bytes), fromCode);
    const EncodedText encoded = EncodeDataFile(decoded.text, toCode, decoded.Utf8Bom);
    decoded.text.clear();
    decoded.text.shrink_to_fit();
    if (!WriteFileReplacing(output, encoded.bytes)) {
        std::cerr << "ファイル\"" << output.string() << "\"の書込に失敗しました\n";
        return 1;
    }
    const std::size_t lost = decoded.LostCharacters + encoded.LostCharacters;
    if (lost > 0) {
        std::cerr << "変換できない文字が" << lost << "文字あり、「?」に置き換えました\n";
    }
    return 0;
}

} // namespace ranvo::cli
