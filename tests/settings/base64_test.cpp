#include "settings/base64.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace quorvel::settings {
namespace {

// The hex text the registry layer gives for stored bytes: "XX " per byte (or "3D" without a
// blank below 0x10), then "3D" for the zero byte past the end.
std::string StoredHex(const std::string& bytes) {
    std::string hex;
    for (const unsigned char byte : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, byte >= 0x10 ? "%02X " : "3D", byte);
        hex += pair;
    }
    return hex + "3D";
}

class CountingPump final : public EventPump {
  public:
    int calls = 0;
    void ProcessEvents() override { ++calls; }
};

TEST(Base64, KnownVectors) {
    NoEventPump pump;
    Base64 base64(pump);
    const std::vector<std::pair<std::string, std::string>> vectors = {
        {"a", "YQ=="},          {"ab", "YWI="},       {"abc", "YWJj"},
        {"foobar", "Zm9vYmFy"}, {"\xFF\xFE", "//4="},
    };
    for (const auto& [plain, encoded] : vectors) {
        EXPECT_EQ(base64.Base64Encode(plain), encoded) << plain;
    }
}

TEST(Base64, DecodesTheHexOfStoredBytes) {
    NoEventPump pump;
    Base64 base64(pump);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"3D 3D", ""},                   // the single byte "="
        {"59 51 3D 3D 3D", "a"},         // "YQ==" as read back
        {"59 3D57 4A 6A", ""},           // a low byte shifts every later pair out of step
        {"5957 4A 6A", ""},              // separators missing: read from the wrong places
        {"59 57 4X 6A", "ah"},           // "4X" reads as 4, outside the alphabet: YWj is left
        {"2f 2f 34 3d 3d", "\xFF\xFE"},  // lower-case hex digits
    };
    for (const auto& [hex, plain] : cases) {
        EXPECT_EQ(base64.Base64DecodeHex(hex), plain) << hex;
    }
}

TEST(Base64, RandomBytesRoundTripThroughTheStoredForm) {
    NoEventPump pump;
    Base64 base64(pump);
    std::mt19937 random(1234);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 40, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(1 + random() % 255);  // passwords hold no NUL
        }
        std::string stored = base64.Base64Encode(bytes);
        if (stored.find('=') == std::string::npos) {
            stored += '=';  // as the registry layer stores it
        }
        ASSERT_EQ(base64.Base64DecodeHex(StoredHex(stored)), bytes);
    }
}

TEST(Base64, HandsControlToTheEventLoopOncePerGroup) {
    CountingPump pump;
    Base64 base64(pump);
    base64.Base64Encode("abcdefg");  // two whole groups of three
    EXPECT_EQ(pump.calls, 2);
    pump.calls = 0;
    base64.Base64DecodeHex(StoredHex("YWJjZGVmZw=="));  // two whole groups of four
    EXPECT_EQ(pump.calls, 2);
}

}  // namespace
}  // namespace quorvel::settings
