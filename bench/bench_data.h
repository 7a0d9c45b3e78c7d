#pragma once

// The benchmark data set: one slip file of header, detail and trailer records with Japanese
// text, written as fixed-length lines in all five character codes, as fixed-length blocks and as
// CSV, each with its definition. The content depends only on the record count, so every run
// writes the same bytes and figures from different runs compare.

#include "core/state/load_options.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace ranvo::bench {

struct CodedFile {
    KanjiCode code;
    std::string_view name;
};

// The same records as fixed-length lines in each character code.
inline constexpr std::array<CodedFile, 5> kFixedLineFiles{{
    {KanjiCode::ShiftJis, "fl-sjis.txt"},
    {KanjiCode::Euc, "fl-euc.txt"},
    {KanjiCode::Jis, "fl-jis.txt"},
    {KanjiCode::Unicode, "fl-unicode.txt"},
    {KanjiCode::Utf8, "fl-utf8.txt"},
}};
inline constexpr std::string_view kFixedBlockFile = "fb-sjis.dat";
inline constexpr std::string_view kCsvFile = "csv-sjis.csv";
inline constexpr std::string_view kFixedLineDefinition = "fl.def";
inline constexpr std::string_view kFixedBlockDefinition = "fb.def";
inline constexpr std::string_view kCsvDefinition = "csv.def";

// Writes the data files and definitions into `folder` (which must exist). False, with the
// reason in `error`, when a file cannot be written or a character of the word lists does not
// survive the trip through every character code.
[[nodiscard]] bool GenerateBenchData(const std::filesystem::path& folder, std::size_t recordCount,
                                     std::string& error);

} // namespace ranvo::bench
