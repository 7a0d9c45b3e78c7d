#include "core/grid/record_list.h"

#include "core/text/number_text.h"

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace ranvo {
namespace {

// A blob is the entry's byte length (32 bits) followed by its bytes.
constexpr std::size_t kHeader = sizeof(std::uint32_t);

std::uint32_t blobLength(const char* blob) {
    std::uint32_t length = 0;
    std::memcpy(&length, blob, kHeader);
    return length;
}

} // namespace

std::array<char, kConditionPrefixLength> ConditionPrefix(int index) {
    std::array<char, kConditionPrefixLength> prefix{' ', ' ', ' '};
    int rest = index < 0 ? 0 : index % 1000;
    for (std::size_t pos = kConditionPrefixLength; pos-- > 0;) {
        prefix[pos] = static_cast<char>('0' + rest % 10);
        rest /= 10;
        if (rest == 0) {
            break;
        }
    }
    return prefix;
}

int ConditionOfEntry(std::string_view entry) {
    return IntegerOr(entry.substr(0, kConditionPrefixLength), 0);
}

std::string_view RecordList::operator[](std::size_t index) const {
    const char* blob = m_entries[index];
    return {blob + kHeader, blobLength(blob)};
}

std::string_view RecordList::Text(std::size_t index) const {
    const std::string_view entry = (*this)[index];
    return entry.size() > kConditionPrefixLength ? entry.substr(kConditionPrefixLength)
                                                 : std::string_view{};
}

const char* RecordList::store(std::string_view prefix, std::string_view text, std::size_t length) {
    const std::size_t size = prefix.size() + length;
    if (size > UINT32_MAX) {
        throw std::length_error("record longer than 4 GiB");
    }
    char* blob = m_arena.allocate(kHeader + size);
    const auto header = static_cast<std::uint32_t>(size);
    std::memcpy(blob, &header, kHeader);
    char* out = blob + kHeader;
    std::copy_n(prefix.data(), prefix.size(), out);
    out += prefix.size();
    const std::size_t copied = std::min(length, text.size());
    std::copy_n(text.data(), copied, out);
    std::memset(out + copied, ' ', length - copied);
    return blob;
}

void RecordList::forget(const char* blob) {
    m_arena.release(kHeader + blobLength(blob));
}

void RecordList::Append(std::string_view entry) {
    m_entries.push_back(store({}, entry, entry.size()));
}

void RecordList::AppendRecord(int condition, std::string_view text) {
    AppendRecord(condition, text, text.size());
}

void RecordList::AppendRecord(int condition, std::string_view text, std::size_t length) {
    const auto prefix = ConditionPrefix(condition);
    m_entries.push_back(store({prefix.data(), prefix.size()}, text, length));
}

void RecordList::Insert(std::size_t index, std::string_view entry) {
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(index),
                     store({}, entry, entry.size()));
}

void RecordList::Set(std::size_t index, std::string_view entry) {
    forget(m_entries[index]);
    m_entries[index] = store({}, entry, entry.size());
    compactIfWorthIt();
}

void RecordList::Erase(std::size_t index, std::size_t count) {
    const auto first = m_entries.begin() + static_cast<std::ptrdiff_t>(index);
    const auto last = first + static_cast<std::ptrdiff_t>(count);
    for (auto it = first; it != last; ++it) {
        forget(*it);
    }
    m_entries.erase(first, last);
    compactIfWorthIt();
}

void RecordList::Clear() {
    m_entries.clear();
    m_arena.clear();
}

void RecordList::Permute(const std::vector<std::size_t>& order) {
    std::vector<const char*> reordered;
    reordered.reserve(order.size());
    for (const std::size_t from : order) {
        reordered.push_back(m_entries[from]);
    }
    m_entries = std::move(reordered);
}

std::string RecordList::JoinedWithCrLf() const {
    std::size_t total = 0;
    for (std::size_t i = 0; i < size(); ++i) {
        total += (*this)[i].size() + 2;
    }
    std::string text;
    text.reserve(total);
    for (std::size_t i = 0; i < size(); ++i) {
        text += (*this)[i];
        text += "\r\n";
    }
    return text;
}

void RecordList::compactIfWorthIt() {
    if (!m_arena.wantsCompaction()) {
        return;
    }
    BlobArena fresh;
    for (const char*& blob : m_entries) {
        const std::size_t size = kHeader + blobLength(blob);
        char* copy = fresh.allocate(size);
        std::memcpy(copy, blob, size);
        blob = copy;
    }
    m_arena = std::move(fresh);
}

} // namespace ranvo
