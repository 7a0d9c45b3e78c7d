#include "bench/record_layouts.h"

#include "core/platform/code_page.h"

#include <algorithm>
#include <string>

namespace ranvo::bench {
namespace {

// Header: one per slip, naming the customer.
constexpr std::array kHeaderFields{
    FieldLayout{"区分", 1, Content::Kind},
    FieldLayout{"伝票番号", 8, Content::SlipNo, true},
    FieldLayout{"伝票日付", 8, Content::SlipDate},
    FieldLayout{"取引先コード", 6, Content::CustomerCode, true},
    FieldLayout{"取引先名", 30, Content::CustomerName},
    FieldLayout{"住所", 40, Content::Address},
    FieldLayout{"担当者", 4, Content::Staff},
    FieldLayout{"予備", 3, Content::Filler},
};

// Detail: one per line item; the bulk of the file.
constexpr std::array kDetailFields{
    FieldLayout{"区分", 1, Content::Kind},
    FieldLayout{"伝票番号", 8, Content::SlipNo, true},
    FieldLayout{"行番号", 3, Content::LineNo, true},
    FieldLayout{"商品コード", 10, Content::ItemCode},
    FieldLayout{"商品名", 24, Content::ItemName},
    FieldLayout{"数量", 5, Content::Quantity, true},
    FieldLayout{"単価", 8, Content::UnitPrice, true},
    FieldLayout{"金額", 10, Content::Amount, true},
    FieldLayout{"備考", 20, Content::Remarks},
    FieldLayout{"予備", 7, Content::Filler},
};

// Trailer: closes a slip with its totals.
constexpr std::array kTrailerFields{
    FieldLayout{"区分", 1, Content::Kind},
    FieldLayout{"伝票番号", 8, Content::SlipNo, true},
    FieldLayout{"明細件数", 4, Content::LineCount, true},
    FieldLayout{"合計数量", 7, Content::TotalQuantity, true},
    FieldLayout{"合計金額", 12, Content::TotalAmount, true},
    FieldLayout{"消費税", 10, Content::Tax, true},
    FieldLayout{"メモ", 40, Content::Memo},
    FieldLayout{"予備", 6, Content::Filler},
};

const std::array kLayouts{
    RecordLayout{'H', "ヘッダ", 0x00CCFFFF, kHeaderFields},
    RecordLayout{'D', "明細", 0x00FFFFE0, kDetailFields},
    RecordLayout{'T', "トレーラ", 0x00CCFFCC, kTrailerFields},
};

constexpr std::int32_t kWhite = 16777215;
constexpr std::int32_t kRed = 255;

std::string cp932(std::string_view utf8) {
    return Utf8ToCp932(utf8).bytes;
}

void addField(TCondition& condition, std::string_view name, int length, int start, bool red) {
    condition.FieldName.push_back(cp932(name));
    condition.FieldLength.push_back(std::to_string(length));
    condition.FieldStart.push_back(std::to_string(start));
    condition.FieldColor.push_back(red ? std::to_string(kRed) : "0");
}

bool isMoney(Content content) {
    return content == Content::Amount || content == Content::TotalAmount;
}

// Fixed formats: fields at their byte positions; `recordLength`, when longer than the layout,
// widens the last field.
TCondition fixedCondition(const RecordLayout& layout, int recordLength) {
    TCondition condition;
    condition.ConditionName = cp932(layout.name);
    condition.CheckWord = std::string(1, layout.kind);
    condition.CheckStart = 1;
    condition.ConditionLength = 1;
    condition.ConditionColor = layout.color;
    condition.UseWord = true;
    int start = 1;
    for (std::size_t j = 0; j < layout.fields.size(); ++j) {
        const FieldLayout& field = layout.fields[j];
        const bool last = j + 1 == layout.fields.size();
        const int length = last ? std::max(field.length, recordLength - start + 1) : field.length;
        addField(condition, field.name, length, start, isMoney(field.content));
        start += length;
    }
    return condition;
}

// CSV: the check word is compared with column 1; fields are numbered by column, as the loader
// numbers the fields it takes from a title line.
TCondition csvCondition(const RecordLayout& layout) {
    TCondition condition = fixedCondition(layout, 0);
    condition.FieldName.clear();
    condition.FieldLength.clear();
    condition.FieldStart.clear();
    condition.FieldColor.clear();
    int column = 1;
    for (const FieldLayout& field : layout.fields) {
        if (field.content != Content::Filler) {
            addField(condition, field.name, column, column, isMoney(field.content));
            ++column;
        }
    }
    return condition;
}

TCondition fallbackCondition(BenchFormat format) {
    TCondition condition;
    condition.ConditionName = TDefineClass::FallbackConditionName;
    condition.CheckStart = 1;
    condition.ConditionColor = kWhite;
    condition.UseWord = true;
    if (format != BenchFormat::Csv) {
        // A record of no known type still shows its kind byte apart from the rest.
        addField(condition, "区分", 1, 1, false);
        addField(condition, "データ", BlockLength() - 1, 2, false);
    }
    return condition;
}

} // namespace

int RecordLayout::length() const {
    int sum = 0;
    for (const FieldLayout& field : fields) {
        sum += field.length;
    }
    return sum;
}

std::span<const RecordLayout> RecordLayouts() {
    return kLayouts;
}

int BlockLength() {
    int longest = 0;
    for (const RecordLayout& layout : kLayouts) {
        longest = std::max(longest, layout.length());
    }
    return longest;
}

TDefineClass MakeDefinition(BenchFormat format) {
    TDefineClass definition;
    definition.Separate = ",";
    definition.Quote = "\"";
    switch (format) {
    case BenchFormat::FixedLines:
        definition.DefineName = cp932("ベンチ伝票（行）");
        definition.FileFormat = "FL";
        break;
    case BenchFormat::FixedBlocks:
        definition.DefineName = cp932("ベンチ伝票（ブロック）");
        definition.FileFormat = "FB";
        definition.RecordLength = BlockLength();
        break;
    case BenchFormat::Csv:
        definition.DefineName = cp932("ベンチ伝票（ＣＳＶ）");
        definition.FileFormat = "CT";
        definition.TopTitle = true;
        break;
    }
    definition.Conditions.push_back(fallbackCondition(format));
    for (const RecordLayout& layout : kLayouts) {
        definition.Conditions.push_back(
            format == BenchFormat::Csv
                ? csvCondition(layout)
                : fixedCondition(layout, format == BenchFormat::FixedBlocks ? BlockLength() : 0));
    }
    return definition;
}

} // namespace ranvo::bench
