#pragma once

// The commands of ranvo-cli. Each takes the words after its name and answers the exit code:
// 0 success, 1 a failure reported on standard error; usage errors throw UsageError.

#include <string>
#include <vector>

namespace ranvo::cli {

int runDump(const std::vector<std::string>& words);
int runConvert(const std::vector<std::string>& words);
int runXml(const std::vector<std::string>& words);
int runDetect(const std::vector<std::string>& words);
int runRecode(const std::vector<std::string>& words);
int runDefSave(const std::vector<std::string>& words);
int runDefXml(const std::vector<std::string>& words);

} // namespace ranvo::cli
