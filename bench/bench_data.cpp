#include "bench/bench_data.h"

#include "bench/record_layouts.h"
#include "core/definitions/define_class.h"
#include "core/loading/data_encoding.h"
#include "core/platform/code_page.h"
#include "core/platform/file_io.h"
#include "core/platform/paths.h"
#include "core/text/sjis.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

namespace ranvo::bench {
namespace {

// Word lists in UTF-8, converted to CP932 once. Kanji, hiragana, katakana and full-width signs
// of JIS X 0208 only: half-width katakana would come back full-width from JIS, and the extension
// rows of CP932 have no EUC-JP or JIS form, so either would make the five files differ. A few
// values carry an ASCII comma or quote so that the CSV file needs its quoting.
constexpr std::string_view kCustomers[] = {
    "株式会社山田商事",   "東洋電機株式会社",     "北海道物産有限会社",
    "みどり運輸株式会社", "さくら食品工業",       "日本精工株式会社",
    "大和建設",           "ひかり薬品株式会社",   "富士印刷有限会社",
    "青葉不動産",         "株式会社中央システム", "丸一水産",
    "合同会社こだま企画", "ミナト商会",           "株式会社ホクト電子",
};
constexpr std::string_view kCities[] = {
    "東京都千代田区",     "東京都港区",         "大阪府大阪市北区",   "北海道札幌市中央区",
    "神奈川県横浜市西区", "愛知県名古屋市中区", "福岡県福岡市博多区", "宮城県仙台市青葉区",
    "京都府京都市下京区", "広島県広島市南区",
};
constexpr std::string_view kTowns[] = {
    "丸の内", "本町", "栄", "桜木町", "大通西", "天神", "一番町", "錦", "梅田",
};
constexpr std::string_view kItems[] = {
    "ボールペン（黒）", "コピー用紙Ａ４", "ホッチキス針",
    "クリアファイル",   "油性マーカー赤", "関数電卓",
    "ノートパソコン",   "液晶モニター",   "マウスパッド",
    "段ボール箱大",     "布ガムテープ",   "インクカートリッジ",
    "卓上カレンダー",   "ふせん紙",       "消しゴム",
    "はさみ",           "のり",
};
// Most details have no remark.
constexpr std::string_view kRemarks[] = {
    "",
    "",
    "",
    "",
    "",
    "",
    "至急",
    "午前着指定",
    "要連絡,折返し",
    "代引き",
    "\"見本\"同梱",
    "分納可",
    "返品不可",
    "ご確認ください",
};
constexpr std::string_view kMemos[] = {
    "ご利用ありがとうございました",         "次回納品は来週の予定です",
    "請求書は月末締めで発行します",         "",
    "在庫僅少につきお早めにご注文ください", "毎度ありがとうございます",
};

// The data must not change between runs, so the generator is its own rather than a standard
// distribution, whose results the library is free to vary.
class Random {
public:
    std::uint64_t next() { // splitmix64
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A number from `low` to `high`, both included.
    std::uint64_t between(std::uint64_t low, std::uint64_t high) {
        return low + next() % (high - low + 1);
    }
    template <typename T>
    const T& pick(const std::vector<T>& list) {
        return list[next() % list.size()];
    }

private:
    std::uint64_t m_state = 0x52616E766F42656EULL;
};

bool hasHalfWidthKana(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0xA1 && byte <= 0xDF) {
            return true;
        }
    }
    return false;
}

using WordList = std::vector<std::string>;

struct Words {
    WordList customers, cities, towns, items, remarks, memos;
    std::string chome, ban, go; // the units of a full-width street address
};

bool toCp932(std::span<const std::string_view> utf8, WordList& list, std::string& error) {
    for (const std::string_view word : utf8) {
        ConvertedText converted = Utf8ToCp932(word);
        if (converted.replaced > 0 || hasHalfWidthKana(converted.bytes)) {
            error = "word not usable in every character code: " + std::string(word);
            return false;
        }
        list.push_back(std::move(converted.bytes));
    }
    return true;
}

bool loadWords(Words& words, std::string& error) {
    WordList units;
    const std::string_view unitWords[] = {"丁目", "番", "号"};
    if (!toCp932(kCustomers, words.customers, error) || !toCp932(kCities, words.cities, error) ||
        !toCp932(kTowns, words.towns, error) || !toCp932(kItems, words.items, error) ||
        !toCp932(kRemarks, words.remarks, error) || !toCp932(kMemos, words.memos, error) ||
        !toCp932(unitWords, units, error)) {
        return false;
    }
    words.chome = units[0];
    words.ban = units[1];
    words.go = units[2];
    return true;
}

// Full-width digits (CP932 82 4F to 82 58), as addresses are written.
void appendFullWidthNumber(std::string& text, std::uint64_t number) {
    const std::string digits = std::to_string(number);
    for (const char digit : digits) {
        text += '\x82';
        text += static_cast<char>(0x4F + (digit - '0'));
    }
}

using Values = std::array<std::string, kContentCount>;

// Makes the values of one slip after another: a header naming the customer, its details, and a
// trailer with the totals of those details.
class SlipMaker {
public:
    explicit SlipMaker(const Words& words) : m_words(words) {}

    // Detail count of the next slip.
    std::size_t detailCount() { return m_random.between(3, 25); }

    const Values& header() {
        ++m_slip;
        m_lines = 0;
        m_quantity = 0;
        m_amount = 0;
        start("H");
        setNumber(Content::SlipDate,
                  20240000 + m_random.between(1, 12) * 100 + m_random.between(1, 28));
        setNumber(Content::CustomerCode, m_random.between(1, 999999));
        value(Content::CustomerName) = m_random.pick(m_words.customers);
        std::string& address = value(Content::Address);
        address = m_random.pick(m_words.cities);
        address += m_random.pick(m_words.towns);
        appendFullWidthNumber(address, m_random.between(1, 9));
        address += m_words.chome;
        appendFullWidthNumber(address, m_random.between(1, 30));
        address += m_words.ban;
        appendFullWidthNumber(address, m_random.between(1, 20));
        address += m_words.go;
        std::string& staff = value(Content::Staff);
        staff = "S";
        staff += std::to_string(100 + m_random.between(0, 899));
        return m_values;
    }

    const Values& detail() {
        start("D");
        setNumber(Content::LineNo, ++m_lines);
        std::string& code = value(Content::ItemCode);
        code.clear();
        code += static_cast<char>('A' + m_random.between(0, 25));
        code += static_cast<char>('A' + m_random.between(0, 25));
        code += '-';
        code += std::to_string(m_random.between(100000, 999999));
        code += static_cast<char>('A' + m_random.between(0, 25));
        value(Content::ItemName) = m_random.pick(m_words.items);
        const std::uint64_t quantity = m_random.between(1, 500);
        const std::uint64_t price = m_random.between(5, 20000) * 10;
        setNumber(Content::Quantity, quantity);
        setNumber(Content::UnitPrice, price);
        setNumber(Content::Amount, quantity * price);
        value(Content::Remarks) = m_random.pick(m_words.remarks);
        m_quantity += quantity;
        m_amount += quantity * price;
        return m_values;
    }

    const Values& trailer() {
        start("T");
        setNumber(Content::LineCount, m_lines);
        setNumber(Content::TotalQuantity, m_quantity);
        setNumber(Content::TotalAmount, m_amount);
        setNumber(Content::Tax, m_amount / 10);
        value(Content::Memo) = m_random.pick(m_words.memos);
        return m_values;
    }

private:
    std::string& value(Content content) { return m_values[static_cast<std::size_t>(content)]; }
    void setNumber(Content content, std::uint64_t number) {
        value(content) = std::to_string(number);
    }
    void start(std::string_view kind) {
        value(Content::Kind) = kind;
        setNumber(Content::SlipNo, m_slip);
    }

    const Words& m_words;
    Random m_random;
    Values m_values;
    std::uint64_t m_slip = 10000000;
    std::uint64_t m_lines = 0;
    std::uint64_t m_quantity = 0;
    std::uint64_t m_amount = 0;
};

// The text a field holds before its blank padding: numbers with leading zeros, anything too long
// cut before the first character that would not fit whole.
void fieldText(std::string_view value, const FieldLayout& field, std::string& text) {
    const auto width = static_cast<std::size_t>(field.length);
    text.clear();
    if (field.zeroPadded && value.size() < width) {
        text.append(width - value.size(), '0');
    }
    std::size_t end = 0;
    while (end < value.size() && text.size() + end + CharLength(value, end) <= width) {
        end += CharLength(value, end);
    }
    text.append(value.substr(0, end));
}

void appendCsvValue(std::string& csv, std::string_view value) {
    if (value.find_first_of(",\"") == std::string_view::npos) {
        csv += value;
        return;
    }
    csv += '"';
    for (const char c : value) {
        if (c == '"') {
            csv += '"';
        }
        csv += c;
    }
    csv += '"';
}

// The Shift_JIS text of the three files, built side by side from the same values.
class BenchTexts {
public:
    explicit BenchTexts(std::size_t recordCount) {
        const std::size_t block = static_cast<std::size_t>(BlockLength());
        lines.reserve(recordCount * (block + 2));
        blocks.reserve(recordCount * block + 2);
        csv.reserve(recordCount * block);
        // The title line names the columns of the detail record, the type most rows have.
        const RecordLayout& detail = RecordLayouts()[1];
        for (const FieldLayout& field : detail.fields) {
            if (field.content != Content::Filler) {
                if (!csv.empty()) {
                    csv += ',';
                }
                csv += Utf8ToCp932(field.name).bytes;
            }
        }
        csv += "\r\n";
    }

    void add(const RecordLayout& layout, const Values& values) {
        const std::size_t recordStart = lines.size();
        bool firstColumn = true;
        for (const FieldLayout& field : layout.fields) {
            fieldText(values[static_cast<std::size_t>(field.content)], field, m_text);
            lines += m_text;
            lines.append(static_cast<std::size_t>(field.length) - m_text.size(), ' ');
            if (field.content != Content::Filler) {
                if (!firstColumn) {
                    csv += ',';
                }
                firstColumn = false;
                appendCsvValue(csv, m_text);
            }
        }
        blocks.append(lines, recordStart);
        blocks.append(static_cast<std::size_t>(BlockLength() - layout.length()), ' ');
        lines += "\r\n";
        csv += "\r\n";
    }

    std::string lines;
    std::string blocks;
    std::string csv;

private:
    std::string m_text;
};

// Slips until the count is reached; the last one is cut short so that it still ends with its
// trailer whenever there is room for one.
void buildSlips(const Words& words, std::size_t recordCount, BenchTexts& texts) {
    const std::span<const RecordLayout> layouts = RecordLayouts();
    SlipMaker maker(words);
    std::size_t left = recordCount;
    while (left > 0) {
        texts.add(layouts[0], maker.header());
        --left;
        const std::size_t details = std::min(maker.detailCount(), left > 0 ? left - 1 : 0);
        for (std::size_t i = 0; i < details; ++i) {
            texts.add(layouts[1], maker.detail());
        }
        left -= details;
        if (left > 0) {
            texts.add(layouts[2], maker.trailer());
            --left;
        }
    }
}

bool writeFile(const std::filesystem::path& path, std::string_view bytes, std::string& error) {
    if (!WriteFileReplacing(path, bytes)) {
        error = "cannot write " + GenericUtf8(path);
        return false;
    }
    return true;
}

} // namespace

bool GenerateBenchData(const std::filesystem::path& folder, std::size_t recordCount,
                       std::string& error) {
    Words words;
    if (!loadWords(words, error)) {
        return false;
    }
    BenchTexts texts(recordCount);
    buildSlips(words, recordCount, texts);
    texts.blocks += "\r\n"; // an FB file ends with the one line end its writer adds

    if (!writeFile(folder / kFixedBlockFile, texts.blocks, error) ||
        !writeFile(folder / kCsvFile, texts.csv, error)) {
        return false;
    }
    // The encodings below need room of their own.
    std::string().swap(texts.blocks);
    std::string().swap(texts.csv);

    for (const CodedFile& file : kFixedLineFiles) {
        const EncodedText encoded = EncodeDataFile(texts.lines, file.code, false, CharacterMap());
        if (encoded.LostCharacters > 0) {
            error = std::string(file.name) + ": characters lost in encoding";
            return false;
        }
        if (!writeFile(folder / file.name, encoded.bytes, error)) {
            return false;
        }
    }

    const std::pair<BenchFormat, std::string_view> definitions[] = {
        {BenchFormat::FixedLines, kFixedLineDefinition},
        {BenchFormat::FixedBlocks, kFixedBlockDefinition},
        {BenchFormat::Csv, kCsvDefinition},
    };
    for (const auto& [format, name] : definitions) {
        TDefineClass definition = MakeDefinition(format);
        if (!definition.SaveToFile(folder / name)) {
            error = "cannot write " + (folder / name).string();
            return false;
        }
    }
    return true;
}

} // namespace ranvo::bench
