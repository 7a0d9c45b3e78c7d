// .fls files: any bytes read against a definition without a fault; the settings then saved read
// back as the same settings.

#include "core/views/rv_filter_mng.h"
#include "fuzz_support.h"

using namespace ranvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader input(fuzz::Bytes(data, size));
    TDefineClass definition;
    definition.DefineName = "fuzz";
    const int conditions = 1 + input.byte() % 4;
    for (int i = 0; i < conditions; ++i) {
        TCondition& condition = definition.Conditions.emplace_back();
        const int fields = input.byte() % 5;
        for (int j = 0; j < fields; ++j) {
            condition.FieldLength.push_back("2");
            condition.FieldName.push_back("f" + std::to_string(j));
        }
    }
    TRvFilterMng mng;
    mng.Prepare(definition);
    (void)mng.LoadSetting(fuzz::WriteScratch("in.fls", input.rest()));
    // A default text with a comma or a line end cannot be stored; the dialog refuses it.
    for (int i = 0; i < mng.ConditionCount(); ++i) {
        for (int j = 0; j < mng.FieldCount(i); ++j) {
            const TRvFilterSetting& setting = *mng.Setting(i, j);
            for (const std::string* text : {&setting.DefaultText, &setting.FilterFile}) {
                if (text->find_first_of(std::string_view(",\r\n", 3)) != std::string::npos) {
                    return 0;
                }
            }
        }
    }
    fuzz::Check(mng.SaveSetting(fuzz::ScratchFolder() / "out.fls", "fuzz"), "settings are saved");
    TRvFilterMng reread;
    reread.Prepare(definition);
    fuzz::Check(reread.LoadSetting(fuzz::ScratchFolder() / "out.fls") == FilterSettingResult::Read,
                "saved settings read without complaint");
    for (int i = 0; i < mng.ConditionCount(); ++i) {
        for (int j = 0; j < mng.FieldCount(i); ++j) {
            fuzz::Check(*reread.Setting(i, j) == *mng.Setting(i, j), "saved settings read back");
        }
    }
    return 0;
}
