// The hex text of a REG_BINARY read for any stored bytes and any stored size: "XX " for every
// byte from 0x10, "3D" for a smaller one, up to one byte past the data or the buffer's end.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "registry/registry.h"

using namespace quorvel::registry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t storedSize = static_cast<std::size_t>(data[0]) << 8 | data[1];
    std::vector<std::uint8_t> buffer(Registry::kBinaryBufferSize, 0);
    std::copy_n(data + 2, std::min(size - 2, buffer.size()), buffer.begin());
    const std::string text = BinaryReadText(buffer, storedSize);

    std::size_t bytes = 0;
    for (std::size_t i = 0; i < text.size(); ++bytes) {
        FUZZ_CHECK(std::isxdigit(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 1])));
        const bool small = text.compare(i, 2, "3D") == 0 && buffer[bytes] < 0x10;
        if (!small) {
            FUZZ_CHECK(std::stoi(text.substr(i, 2), nullptr, 16) == buffer[bytes]);
            FUZZ_CHECK(i + 2 < text.size() && text[i + 2] == ' ');
        }
        i += small ? 2 : 3;
    }
    FUZZ_CHECK(bytes == std::min(storedSize + 1, buffer.size()));
    return 0;
}
