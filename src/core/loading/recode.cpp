#include "core/loading/recode.h"

#include "core/loading/data_encoding.h"
#include "core/platform/file_io.h"

#include <string>
#include <string_view>

namespace ranvo {
namespace {

constexpr std::size_t kPieceSize = std::size_t{1} << 20;

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
    CharacterMap characters;
    DataFileDecoder decoder(from, characters);
    std::optional<DataFileEncoder> encoder;
    // Each piece is cut where the decoder and the encoder stop, inside a character at most, so
    // that what carries over to the next piece is a few bytes whatever the file holds.
    std::string bytes;
    DecodedText decoded;
    EncodedText encoded;
    for (bool last = false; !last;) {
        const std::optional<std::size_t> got = reader.ReadInto(bytes, kPieceSize);
        if (!got) {
            result.Read = false;
            return result;
        }
        last = *got == 0;
        if (!encoder && bytes.size() < kLongestFileMark && !last) {
            continue; // the first piece decides the mark
        }
        bytes.erase(0, decoder.Decode(bytes, last, decoded));
        if (!encoder) {
            encoder.emplace(to, decoded.Utf8Bom, characters);
        }
        decoded.text.erase(0, encoder->Encode(decoded.text, last, encoded));
        result.Written = result.Written && writer.Write(encoded.bytes);
        encoded.bytes.clear();
    }
    result.LostCharacters = decoded.LostCharacters + encoded.LostCharacters;
    result.Written = result.Written && writer.Commit();
    return result;
}

} // namespace ranvo
