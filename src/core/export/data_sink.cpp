#include "core/export/data_sink.h"

#include "core/loading/data_encoding.h"
#include "core/text/sjis.h"

namespace ranvo {
namespace {

constexpr std::size_t kPieceSize = std::size_t{1} << 20;

// Where the text may be cut so that both sides encode on their own.
std::size_t cutPoint(std::string_view text, KanjiCode code) {
    if (code == KanjiCode::ShiftJis) {
        return text.size();
    }
    if (code == KanjiCode::Jis) {
        const std::size_t lineEnd = text.find_last_of('\n');
        return lineEnd == std::string_view::npos ? 0 : lineEnd + 1;
    }
    // After the last whole character: a lead byte at the very end waits for its trail byte.
    std::size_t pos = 0;
    std::size_t whole = 0;
    while (pos < text.size()) {
        const bool lead = IsLeadByte(text[pos]);
        if (lead && pos + 1 == text.size()) {
            break;
        }
        pos += lead ? 2 : 1;
        whole = pos;
    }
    return whole;
}

} // namespace

DataFileSink::DataFileSink(const std::filesystem::path& target, KanjiCode code, bool utf8Bom)
    : m_writer(target), m_code(code) {
    m_ok = m_writer.IsOpen() && m_writer.Write(DataFileMark(code, utf8Bom));
}

void DataFileSink::Add(std::string_view text) {
    m_pending += text;
    if (m_pending.size() >= kPieceSize) {
        flush(false);
    }
}

void DataFileSink::flush(bool all) {
    const std::size_t cut = all ? m_pending.size() : cutPoint(m_pending, m_code);
    if (cut == 0 || !m_ok) {
        return;
    }
    const std::string_view piece(m_pending.data(), cut);
    if (m_code == KanjiCode::ShiftJis) {
        m_ok = m_writer.Write(piece);
    } else {
        const EncodedText encoded = EncodeDataText(piece, m_code);
        m_lost += encoded.LostCharacters;
        m_ok = m_writer.Write(encoded.bytes);
    }
    m_pending.erase(0, cut);
}

bool DataFileSink::Finish() {
    flush(true);
    return m_ok && m_writer.Commit();
}

} // namespace ranvo
