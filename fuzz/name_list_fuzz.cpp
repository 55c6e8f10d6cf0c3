// "Profile List" and "Account Profile List" text: the names read never hold the separator and
// are never empty, and writing them reads back as the same names.
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "profiles/name_list.h"

using namespace quorvel::profiles;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto names = ReadNameList(text);
    for (const std::string& name : names) {
        FUZZ_CHECK(!name.empty() && name.find(';') == std::string::npos);
    }
    FUZZ_CHECK(ReadNameList(WriteNameList(names)) == names);
    return 0;
}
