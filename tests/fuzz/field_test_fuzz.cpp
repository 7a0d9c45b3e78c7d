// The field-test language of show-by-condition: any test against any value, without a fault. A
// test that starts with "'" is containment, so it matches exactly where the plain containment of
// the same words (when they start with no operator) matches.

#include "core/views/field_test.h"
#include "fuzz_support.h"

using namespace ranvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader input(fuzz::Bytes(data, size));
    const std::string_view test = input.text();
    const std::string_view value = input.rest();
    const bool passes = FieldTestPasses(test, value);
    if (!test.empty() && std::string_view("!=><'\\").find(test.front()) == std::string_view::npos &&
        test.find('\\') == std::string_view::npos) {
        fuzz::Check(FieldTestPasses("'" + std::string(test), value) == passes,
                    "a quoted containment test matches as the plain one");
    }
    return 0;
}
