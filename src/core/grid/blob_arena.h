#pragma once

// Bump allocation of many small byte blobs in large chunks: a million edited records cost a few
// dozen allocations, and the bytes of neighbouring records sit side by side. Blobs are never freed
// or moved one by one, only all at once by clear(), so a pointer to a blob stays valid until then.

#include <cstddef>
#include <memory>
#include <vector>

namespace ranvo {

class BlobArena {
public:
    BlobArena() = default;
    BlobArena(BlobArena&&) noexcept = default;
    BlobArena& operator=(BlobArena&&) noexcept = default;

    // Room for `size` bytes; valid until the arena is cleared or destroyed.
    [[nodiscard]] char* allocate(std::size_t size);

    void clear();

private:
    static constexpr std::size_t kChunkSize = std::size_t{1} << 20;

    struct Chunk {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0;
        std::size_t used = 0;
    };

    std::vector<Chunk> m_chunks;
};

} // namespace ranvo
