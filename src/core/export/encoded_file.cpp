#include "core/export/encoded_file.h"

#include <string>

namespace ranvo {
namespace {

constexpr std::size_t kPieceSize = std::size_t{1} << 20;

} // namespace

bool AskToWriteLostCharacters(UiHost& host, std::size_t lost) {
    return host.AskYesNo("保存する文字コードで表せない文字が" + std::to_string(lost) +
                         "文字あります。\r\n「?」に置き換えて保存しますか？");
}

EncodedFileWriter::EncodedFileWriter(const std::filesystem::path& target, KanjiCode code, bool utf8Bom,
                                     const CharacterMap& characters)
    : m_writer(target), m_encoder(code, utf8Bom, characters) {
    m_ok = m_writer.IsOpen();
}

// A save that writes straight into its target keeps everything until the question is answered:
// a No must leave the target as it was.
void EncodedFileWriter::Add(std::string_view text) {
    m_pending += text;
    if (m_pending.size() >= kPieceSize) {
        const std::size_t taken = m_encoder.Encode(m_pending, false, m_encoded);
        m_pending.erase(0, taken);
        if (!m_writer.WritesInPlace()) {
            writeEncoded();
        }
    }
}

void EncodedFileWriter::writeEncoded() {
    m_ok = m_ok && m_writer.Write(m_encoded.bytes);
    m_encoded.bytes.clear();
}

WriteOutcome EncodedFileWriter::Finish(const AcceptLoss& accept) {
    (void)m_encoder.Encode(m_pending, true, m_encoded);
    m_pending.clear();
    if (!m_writer.WritesInPlace()) {
        writeEncoded();
    }
    if (!m_ok) {
        return WriteOutcome::Failed;
    }
    if (m_encoded.LostCharacters > 0 && !accept(m_encoded.LostCharacters)) {
        return WriteOutcome::Declined; // the temporary file goes, the target stays as it was
    }
    writeEncoded();
    return m_ok && m_writer.Commit() ? WriteOutcome::Written : WriteOutcome::Failed;
}

WriteOutcome WriteEncodedFile(const std::filesystem::path& target, std::string_view text, KanjiCode code,
                              bool utf8Bom, const CharacterMap& characters, const AcceptLoss& accept) {
    EncodedFileWriter writer(target, code, utf8Bom, characters);
    writer.Add(text);
    return writer.Finish(accept);
}

} // namespace ranvo
