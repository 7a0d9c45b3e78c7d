#include "core/loading/recode.h"

#include "core/loading/data_encoding.h"
#include "core/platform/file_io.h"

#include <string>
#include <string_view>

namespace ranvo {
namespace {

constexpr std::size_t kPieceSize = std::size_t{1} << 20;

// How many leading bytes of `bytes` form whole lines that can be converted on their own.
std::size_t wholeLines(std::string_view bytes, KanjiCode code, bool marked) {
    if (code == KanjiCode::Jis) {
        return 0;
    }
    if (code == KanjiCode::Unicode && marked) {
        // UTF-16LE: a line end is the pair 0A 00 on an even offset (pieces start on one).
        for (std::size_t pos = bytes.rfind('\n'); pos != std::string_view::npos && pos > 0;
             pos = bytes.rfind('\n', pos - 1)) {
            if (pos % 2 == 0 && pos + 1 < bytes.size() && bytes[pos + 1] == '\0') {
                return pos + 2;
            }
        }
        return 0;
    }
    const std::size_t lineEnd = bytes.rfind('\n');
    return lineEnd == std::string_view::npos ? 0 : lineEnd + 1;
}

} // namespace

RecodeResult RecodeFile(const std::filesystem::path& input, const std::filesystem::path& output,
                        KanjiCode from, KanjiCode to) {
    RecodeResult result;
    FileReader reader(input);
    if (!reader.IsOpen()) {
        result.Read = false;
        return result;
    }
    ReplacingFileWriter writer(output);
    const std::string_view fromMark = DataFileMark(from, true);
    std::string buffer;
    bool atStart = true;
    bool marked = false;
    for (;;) {
        const std::optional<std::size_t> got = reader.ReadInto(buffer, kPieceSize);
        if (!got) {
            result.Read = false;
            return result;
        }
        const bool atEnd = *got == 0;
        if (atStart) {
            if (buffer.size() < fromMark.size() && !atEnd) {
                continue;
            }
            marked = !fromMark.empty() && std::string_view(buffer).starts_with(fromMark);
            if (marked) {
                buffer.erase(0, fromMark.size());
            }
            const bool utf8Bom = from == KanjiCode::Utf8 && marked;
            result.Written = writer.Write(DataFileMark(to, utf8Bom));
            atStart = false;
        }
        const std::size_t length = atEnd ? buffer.size() : wholeLines(buffer, from, marked);
        if (length > 0) {
            const DecodedText decoded = DecodeDataText(std::string_view(buffer).substr(0, length), from, marked);
            const EncodedText encoded = EncodeDataText(decoded.text, to);
            result.LostCharacters += decoded.LostCharacters + encoded.LostCharacters;
            result.Written = result.Written && writer.Write(encoded.bytes);
            buffer.erase(0, length);
        }
        if (atEnd) {
            break;
        }
    }
    result.Written = result.Written && writer.Commit();
    return result;
}

} // namespace ranvo
