#pragma once

// Bump allocation of many small byte blobs in large chunks. The record list and the grid keep
// one blob per record or row here instead of one heap string per cell: a million records cost a
// few dozen allocations, and the bytes of neighbouring rows sit side by side.
//
// Blobs are never freed one by one. Replacing a blob leaves the old bytes behind as garbage;
// the owner compacts (copies its live blobs into a fresh arena) once garbage outweighs live data,
// so memory stays within twice what is in use.

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

    // Marks `size` bytes of an earlier allocation as no longer used.
    void release(std::size_t size) { m_garbage += size; }

    [[nodiscard]] bool wantsCompaction() const {
        return m_garbage > kMinimumGarbage && m_garbage > m_used - m_garbage;
    }

    void clear();

private:
    static constexpr std::size_t kChunkSize = std::size_t{4} << 20;
    static constexpr std::size_t kMinimumGarbage = std::size_t{1} << 20;

    struct Chunk {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0;
        std::size_t used = 0;
    };

    std::vector<Chunk> m_chunks;
    std::size_t m_used = 0;
    std::size_t m_garbage = 0;
};

} // namespace ranvo
