// config.ini: any bytes load; the settings read from them are written back, and the file written
// reads as the same settings; every line the program does not own survives a write.

#include "core/settings/ini_file.h"
#include "core/settings/ranvo_setting.h"
#include "fuzz_support.h"

using namespace ranvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    IniFile ini;
    ini.loadText(bytes);
    // A value written is read back as written, blanks at its ends and what follows a line end aside.
    ini.writeString("Fuzz", "Key", "value");
    fuzz::Check(ini.readString("Fuzz", "Key", "") == "value", "a written key reads back");
    IniFile reread;
    reread.loadText(ini.text());
    fuzz::Check(reread.text() == ini.text(), "an INI text reads back as itself");

    const auto path = fuzz::WriteScratch("config.ini", bytes);
    TRanvoSetting settings(path);
    settings.SaveSetting();
    const std::string written = fuzz::ReadScratch(path);
    TRanvoSetting again(path);
    again.SaveSetting();
    fuzz::Check(fuzz::ReadScratch(path) == written, "settings read back are written the same");
    return 0;
}
