// Base64DecodeHex on any text, and every password through the road it takes in the program:
// encoded, stored as bytes, read back as the registry layer's hex text, decoded.
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "registry/registry.h"
#include "settings/base64.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    settings::NoEventPump events;
    settings::Base64 base64(events);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string decoded = base64.Base64DecodeHex(text);
    FUZZ_CHECK(decoded.size() <= size);

    // A password as long as the registry layer's buffer lets a stored value be read whole.
    const std::string password(text.substr(0, 150));
    const std::string encoded = base64.Base64Encode(password);
    std::array<std::uint8_t, registry::Registry::kBinaryBufferSize> buffer{};
    FUZZ_CHECK(encoded.size() < buffer.size());
    std::copy(encoded.begin(), encoded.end(), buffer.begin());
    const std::string hex = registry::BinaryReadText(buffer, encoded.size());
    FUZZ_CHECK(base64.Base64DecodeHex(hex) == password);
    return 0;
}
