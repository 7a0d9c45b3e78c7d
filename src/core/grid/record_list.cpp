#include "core/grid/record_list.h"

#include "core/text/number_text.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace ranvo {
namespace {

StoredRecord viewOf(int condition, std::string_view text) {
    if (text.size() > kMaxRecordBytes) {
        throw std::length_error("record longer than 4 GiB");
    }
    return {text.data(), static_cast<std::uint32_t>(text.size()), static_cast<std::uint16_t>(condition)};
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

std::string RecordList::Entry(std::size_t index) const {
    const auto prefix = ConditionPrefix(Condition(index));
    std::string entry(prefix.begin(), prefix.end());
    entry += Text(index);
    return entry;
}

StoredRecord RecordList::copy(int condition, std::string_view text) {
    if (text.size() > kMaxRecordBytes) {
        throw std::length_error("record longer than 4 GiB");
    }
    char* bytes = text.empty() ? nullptr : m_arena.allocate(text.size());
    if (bytes != nullptr) {
        std::memcpy(bytes, text.data(), text.size());
    }
    return viewOf(condition, {bytes, text.size()});
}

void RecordList::AppendView(int condition, std::string_view text) {
    m_records.push_back(viewOf(condition, text));
}

void RecordList::Append(int condition, std::string_view text) {
    m_records.push_back(copy(condition, text));
}

void RecordList::Insert(std::size_t index, int condition, std::string_view text) {
    const StoredRecord record = copy(condition, text);
    m_records.insert(m_records.begin() + static_cast<std::ptrdiff_t>(index), record);
}

void RecordList::Set(std::size_t index, int condition, std::string_view text) {
    m_records[index] = copy(condition, text);
}

void RecordList::Insert(std::size_t index, std::span<const StoredRecord> records) {
    m_records.insert(m_records.begin() + static_cast<std::ptrdiff_t>(index), records.begin(), records.end());
}

std::vector<StoredRecord> RecordList::Erase(std::size_t index, std::size_t count) {
    index = std::min(index, m_records.size());
    count = std::min(count, m_records.size() - index);
    const auto first = m_records.begin() + static_cast<std::ptrdiff_t>(index);
    std::vector<StoredRecord> taken(first, first + static_cast<std::ptrdiff_t>(count));
    m_records.erase(first, first + static_cast<std::ptrdiff_t>(count));
    return taken;
}

void RecordList::Permute(std::span<const std::uint32_t> order) {
    std::vector<StoredRecord> moved;
    moved.reserve(order.size());
    for (const std::uint32_t from : order) {
        moved.push_back(m_records[from]);
    }
    std::copy(moved.begin(), moved.end(), m_records.begin());
}

void RecordList::Clear() {
    m_records = {};
    m_owners.clear();
    m_arena.clear();
}

} // namespace ranvo
