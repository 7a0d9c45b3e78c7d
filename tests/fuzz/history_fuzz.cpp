// history.dat: any bytes read into whole pairs; an update appends its pair last and writes a file
// that reads back as the same history.

#include "core/loading/open_history.h"
#include "fuzz_support.h"

using namespace ranvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader input(fuzz::Bytes(data, size));
    const int maxPairs = input.byte() % 5;
    const auto path = fuzz::WriteScratch("history.dat", input.rest());
    OpenHistory history = OpenHistory::Read(path);
    fuzz::Check(history.Lines().size() % 2 == 0, "the history is whole pairs");
    (void)history.RecentDataFiles(static_cast<std::int32_t>(maxPairs) - 1);
    const std::string reopened = history.PairCount() > 0 ? history.DataLine(0) : "new.txt";
    history.Record(reopened, "x.def", maxPairs);
    fuzz::Check(history.DataLine(history.PairCount() - 1) == reopened, "the recorded pair is last");
    fuzz::Check(maxPairs == 0 || history.PairCount() <= static_cast<std::size_t>(maxPairs),
                "no more pairs than the limit");
    const auto written = fuzz::WriteScratch("written.dat", history.Text());
    const OpenHistory reread = OpenHistory::Read(written);
    // Lines that hold a line end or NUL of their own cannot come back as they were; the history
    // only ever writes paths, which hold neither.
    bool plain = true;
    for (const std::string& line : history.Lines()) {
        plain = plain && line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
    }
    fuzz::Check(!plain || reread.Lines() == history.Lines(), "a written history reads back");
    return 0;
}
