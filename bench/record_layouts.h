#pragma once

// The record types of the benchmark data: a slip file of header (H), detail (D) and trailer (T)
// records, told apart by the check word in byte 1. Each type has its own fields and byte length,
// so loading exercises the per-condition padding and cutting as well as the condition test. The
// same table drives the data writer and the definitions, so the two cannot disagree.

#include "core/definitions/define_class.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace ranvo::bench {

// What a field holds; the data writer produces one value of each kind per record.
enum class Content {
    Kind,
    SlipNo,
    SlipDate,
    CustomerCode,
    CustomerName,
    Address,
    Staff,
    LineNo,
    ItemCode,
    ItemName,
    Quantity,
    UnitPrice,
    Amount,
    Remarks,
    LineCount,
    TotalQuantity,
    TotalAmount,
    Tax,
    Memo,
    Filler, // blanks only; left out of the CSV file
};
inline constexpr std::size_t kContentCount = static_cast<std::size_t>(Content::Filler) + 1;

struct FieldLayout {
    std::string_view name; // UTF-8; converted to CP932 for the definitions
    int length;            // bytes
    Content content;
    bool zeroPadded = false; // numbers fill their field with leading zeros
};

struct RecordLayout {
    char kind; // the check word in byte 1
    std::string_view name;
    std::int32_t color; // 0x00BBGGRR
    std::span<const FieldLayout> fields;

    [[nodiscard]] int length() const;
};

// Header, detail and trailer, in condition order (conditions 1 to 3).
[[nodiscard]] std::span<const RecordLayout> RecordLayouts();

// FB needs one record length for the whole file: every record is padded with blanks to the
// longest type's length, and the FB definition widens each type's last field (its filler) to
// match, so a block read back is exactly one record of its condition.
[[nodiscard]] int BlockLength();

enum class BenchFormat { FixedLines, FixedBlocks, Csv };

// The definition of one of the three files: the fallback condition 0, then one condition per
// record type recognised by its check word. The CSV definition has a title line, whose names
// become condition 0's fields when the file is loaded, and numbers its fields by column.
[[nodiscard]] TDefineClass MakeDefinition(BenchFormat format);

} // namespace ranvo::bench
