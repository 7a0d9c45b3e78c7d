#include "core/grid/blob_arena.h"

#include <algorithm>

namespace ranvo {

char* BlobArena::allocate(std::size_t size) {
    if (m_chunks.empty() || m_chunks.back().size - m_chunks.back().used < size) {
        // A blob larger than a chunk gets a chunk of its own; the current chunk stays in use for
        // the small ones that follow.
        const std::size_t chunkSize = std::max(size, kChunkSize);
        Chunk chunk{std::make_unique_for_overwrite<char[]>(chunkSize), chunkSize, 0};
        if (size > kChunkSize && !m_chunks.empty()) {
            m_chunks.insert(m_chunks.end() - 1, std::move(chunk));
            Chunk& own = m_chunks[m_chunks.size() - 2];
            own.used = size;
            return own.bytes.get();
        }
        m_chunks.push_back(std::move(chunk));
    }
    Chunk& chunk = m_chunks.back();
    char* blob = chunk.bytes.get() + chunk.used;
    chunk.used += size;
    return blob;
}

void BlobArena::clear() {
    m_chunks.clear();
}

} // namespace ranvo
