// .def files: any bytes read without a fault; a definition that was read is written, and what is
// written reads back as the same definition, written the same again.

#include "core/definitions/define_class.h"
#include "fuzz_support.h"

using namespace ranvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::WriteScratch("in.def", fuzz::Bytes(data, size));
    TDefineClass definition;
    if (!definition.LoadFromFile(input) || !definition.SaveToFile(fuzz::ScratchFolder() / "out.def")) {
        return 0;
    }
    const std::string written = fuzz::ReadScratch(fuzz::ScratchFolder() / "out.def");
    TDefineClass again;
    fuzz::Check(again.LoadFromFile(fuzz::ScratchFolder() / "out.def"), "a written definition reads back");
    fuzz::Check(again.SaveToFile(fuzz::ScratchFolder() / "again.def"), "a read-back definition is written");
    fuzz::Check(fuzz::ReadScratch(fuzz::ScratchFolder() / "again.def") == written,
                "a definition is written the same after reading it back");
    (void)definition.SaveToXml(fuzz::ScratchFolder() / "out.xml");
    return 0;
}
