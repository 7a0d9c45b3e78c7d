#include "core/export/encoded_file.h"

#include "core/loading/data_encoding.h"
#include "core/platform/file_io.h"

#include <string>

namespace ranvo {

bool AskToWriteLostCharacters(UiHost& host, std::size_t lost) {
    return host.AskYesNo("保存する文字コードで表せない文字が" + std::to_string(lost) +
                         "文字あります。\r\n「?」に置き換えて保存しますか？");
}

WriteOutcome WriteEncodedFile(const std::filesystem::path& target, std::string_view text,
                              KanjiCode code, bool utf8Bom, const CharacterMap& characters,
                              const AcceptLoss& accept) {
    const EncodedText encoded = EncodeDataFile(text, code, utf8Bom, characters);
    if (encoded.LostCharacters > 0 && !accept(encoded.LostCharacters)) {
        return WriteOutcome::Declined;
    }
    return WriteFileReplacing(target, encoded.bytes) ? WriteOutcome::Written : WriteOutcome::Failed;
}

} // namespace ranvo
