// The numeric conversions of a registry value on any text: a text that converts to a number is
// numeric, and every 32-bit number written as text converts back to itself.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "fuzz_check.h"
#include "registry/variant.h"

using quorvel::Variant;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Variant text(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto number = text.toNumber();
    FUZZ_CHECK(!number || text.isNumeric());

    if (size >= sizeof(std::int32_t)) {
        std::int32_t value = 0;
        std::memcpy(&value, data, sizeof value);
        FUZZ_CHECK(Variant(Variant(value).text()).toNumber() == value);
    }
    return 0;
}
