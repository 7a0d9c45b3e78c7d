// The editing model test on fixed-length, FB and CSV files with several record types, read in
// Shift_JIS, EUC-JP and UTF-8: every file and code runs from a seed of its own. RANVO_MODEL_STEPS
// sets the steps of each run (300 unless set; set it high for a long run) and RANVO_MODEL_SEED the
// first seed (the runs take it and the numbers after it).

#include "core/model/model_run.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ranvo::test {
namespace {

int envNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atoi(text) : fallback;
}

FileScheme fixedLines() {
    return {.name = "FL",
            .kind = FileKind::FL,
            .types = {{"", 1, {4, 6, 5}},
                      {"H", 1, {1, 6, 8}},
                      {"D", 1, {1, 3, 4, 2, 6}},
                      {"TR", 3, {2, 2, 8}}}};
}

FileScheme fixedBlocks() {
    return {
        .name = "FB",
        .kind = FileKind::FB,
        .recordLength = 12,
        .types = {
            {"", 1, {6, 6}}, {"H", 1, {1, 5, 6}}, {"D", 1, {1, 2, 3, 4, 2}}, {"99", 5, {4, 2, 6}}}};
}

// A plain CSV file as the definition editor makes it: a quote, and every value to be quoted.
FileScheme plainCsv() {
    return {.name = "CS",
            .kind = FileKind::CS,
            .quoteAlways = true,
            .types = {
                {"", 1, {1, 1, 1}}, {"H", 1, {1, 1}}, {"D", 1, {1, 1, 1, 1}}, {"T", 2, {1, 1, 1}}}};
}

// A bar-separated plain CSV file: the bar is the trail byte of some double-byte characters.
FileScheme barCsv() {
    return {.name = "CS|",
            .kind = FileKind::CS,
            .separator = "|",
            .types = {{"", 1, {1, 1}}, {"H", 1, {1, 1, 1}}, {"D", 2, {1, 1, 1, 1}}}};
}

FileScheme quotedCsv() {
    return {.name = "CT",
            .kind = FileKind::CT,
            .topTitle = true,
            .types = {
                {"", 1, {1, 1, 1}}, {"H", 1, {1, 1}}, {"D", 1, {1, 1, 1, 1}}, {"X", 3, {1, 1, 1}}}};
}

FileScheme tabCsv() {
    return {.name = "CT-tab",
            .kind = FileKind::CT,
            .separator = "\t",
            .quoteAlways = true,
            .types = {{"", 1, {1, 1}}, {"H", 1, {1, 1, 1}}, {"D", 2, {1, 1, 1}}}};
}

struct ModelCase {
    FileScheme scheme;
    KanjiCode code;
    std::string name;
};

std::vector<ModelCase> modelCases() {
    std::vector<ModelCase> cases;
    const std::pair<KanjiCode, std::string> codes[] = {
        {KanjiCode::ShiftJis, "ShiftJis"}, {KanjiCode::Euc, "EucJp"}, {KanjiCode::Utf8, "Utf8"}};
    for (FileScheme (*scheme)() : {fixedLines, fixedBlocks, plainCsv, barCsv, quotedCsv, tabCsv}) {
        for (const auto& [code, codeName] : codes) {
            FileScheme made = scheme();
            std::string name = made.name + "_" + codeName;
            std::replace_if(
                name.begin(), name.end(),
                [](char c) { return !std::isalnum(static_cast<unsigned char>(c)) && c != '_'; },
                '_');
            cases.push_back({std::move(made), code, std::move(name)});
        }
    }
    return cases;
}

class EditingModelTest : public ::testing::TestWithParam<std::size_t> {};

TEST_P(EditingModelTest, EveryStepAgreesWithTheModel) {
    const ModelCase modelCase = modelCases()[GetParam()];
    const int steps = envNumber("RANVO_MODEL_STEPS", 300);
    const auto seed = static_cast<std::uint32_t>(envNumber("RANVO_MODEL_SEED", 8000) +
                                                 static_cast<int>(GetParam()));
    if (const std::optional<std::string> failure =
            RunEditingModel(modelCase.scheme, modelCase.code, seed, steps)) {
        FAIL() << *failure;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, EditingModelTest,
                         ::testing::Range(std::size_t{0}, modelCases().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& param) {
                             return modelCases()[param.param].name;
                         });

} // namespace
} // namespace ranvo::test
