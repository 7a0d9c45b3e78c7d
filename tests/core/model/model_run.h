#pragma once

// The editing model test's run: random sequences of every editing command, applied both to the
// program's main state and to a plain model of the file (its records as texts, cut and rewritten
// by the reference rules of reference_file.h, and undone from whole copies). After every step the
// records, the grid's cells, the cell box, the undo depth, the modified flag, and the file as saved
// and read back must agree with the model.

#include "core/model/reference_file.h"
#include "core/state/load_options.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ranvo::test {

// Writes a file of the scheme in `code`, opens it and runs `steps` random steps from `seed`;
// answers the first disagreement with the seed, the step and the steps that led to it, or nothing.
[[nodiscard]] std::optional<std::string> RunEditingModel(const FileScheme& scheme, KanjiCode code,
                                                         std::uint32_t seed, int steps);

} // namespace ranvo::test
