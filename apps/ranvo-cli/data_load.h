#pragma once

// Loading DATA as the window's open dialog does, for the commands that read a data file: the
// options --def, --code, --range, --home and --quiet, and the load itself with its messages.

#include "arguments.h"
#include "console_host.h"
#include "core/state/main_state.h"

#include <memory>
#include <string>
#include <vector>

namespace ranvo::cli {

// The valued options and the flags a loading command takes, with `extra` of its own.
[[nodiscard]] std::vector<std::string> loadOptions(std::vector<std::string> extra = {});
[[nodiscard]] std::vector<std::string> loadFlags();

// The state with DATA (positional word 0) loaded; nothing when the load failed (the reason is on
// standard error). Without --def the definition is detected, as the open dialog does at
// "(自動判別)".
[[nodiscard]] std::unique_ptr<MainState> loadData(const Arguments& arguments, ConsoleHost& host);

// The console host of a loading command: progress on a terminal unless --quiet.
[[nodiscard]] ConsoleHost loadingHost(const Arguments& arguments);

} // namespace ranvo::cli
