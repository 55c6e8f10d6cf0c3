#include "app/display_conversions.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace quorvel::app {

std::optional<double> StoredNumber(const Variant& value) {
    if (value.isNumber()) {
        return static_cast<double>(*value.toNumber());
    }
    if (value.isBlank()) {
        return std::nullopt;
    }
    return ParseNumber(value.textRef());
}

std::optional<int> OptionFlagValue(const Variant& value) {
    const auto number = StoredNumber(value);
    if (!number) {
        return std::nullopt;
    }
    if (*number < 0) {
        return 0;
    }
    const double rounded = std::nearbyint(*number);
    if (rounded > 2) {
        return std::nullopt;  // a check box has three states only
    }
    return static_cast<int>(rounded);
}

int AccountFlagValue(const Variant& value) {
    const auto number = StoredNumber(value);
    if (!number || *number < 0) {
        return 0;
    }
    return std::nearbyint(*number) >= 1 ? 1 : 0;
}

std::string PollMinutesText(const Variant& value) {
    const auto number = StoredNumber(value);
    if (!number) {
        return value.text();
    }
    if (*number <= 0) {
        return "";
    }
    return std::to_string(static_cast<long long>(std::floor(*number / 60000.0)));
}

std::optional<std::string> IndentCharText(const Variant& value) {
    const auto number = StoredNumber(value);
    if (!number) {
        return value.text();
    }
    if (*number <= 0) {
        return std::string();
    }
    const double code = std::nearbyint(*number);
    if (code < 1 || code > 255) {
        return std::nullopt;  // no single character has that code
    }
    return std::string(1, static_cast<char>(static_cast<unsigned char>(code)));
}

std::string PreviewSecondsText(const Variant& value) {
    const auto number = StoredNumber(value);
    return number && *number < 0 ? std::string() : value.text();
}

std::string PositiveCountText(const Variant& value) {
    const auto number = StoredNumber(value);
    return number && *number <= 0 ? std::string() : value.text();
}

std::string AccountLimitText(const Variant& value) {
    const auto number = StoredNumber(value);
    return !number || *number == 0 ? std::string() : value.text();
}

ShownValue ServerTimeoutText(const Variant& value) {
    const auto number = StoredNumber(value);
    if (!number) {
        return {value.text(), std::nullopt};
    }
    // A negative timeout counts as 0, which is below the range like any other short one.
    if (*number < 30 || *number > 300) {
        return {"30", 30};
    }
    return {value.text(), std::nullopt};
}

ShownValue PortText(const Variant& value) {
    const auto number = StoredNumber(value);
    if (!number) {
        return {"110", 110};
    }
    if (*number < 0) {
        return {"0", std::nullopt};
    }
    return {value.text(), std::nullopt};
}

namespace {

constexpr std::array<std::int32_t, 7> kSignatureTypes = {0, 1, 2, 65537, 196609, 65538, 196610};

constexpr std::array<SignatureBoxes, 7> kSignatureBoxes = {{
    {0, std::nullopt, std::nullopt},
    {1, false, false},
    {2, false, false},
    {1, true, true},
    {1, true, false},
    {2, true, true},
    {2, true, false},
}};

}  // namespace

std::int16_t SignatureIndex(const Variant& value) {
    const auto number = StoredNumber(value);
    if (!number) {
        return 0;
    }
    for (std::size_t i = 0; i < kSignatureTypes.size(); ++i) {
        if (*number == kSignatureTypes[i]) {
            return static_cast<std::int16_t>(i);
        }
    }
    return 0;
}

std::optional<SignatureBoxes> SignatureBoxesFor(int index) {
    if (index < 0 || index >= static_cast<int>(kSignatureBoxes.size())) {
        return std::nullopt;
    }
    return kSignatureBoxes[static_cast<std::size_t>(index)];
}

std::optional<bool> SecurityOn(const Variant& value) {
    const auto number = StoredNumber(value);
    if (!number || *number == 0) {
        return false;
    }
    if (*number == 1) {
        return true;
    }
    return std::nullopt;
}

std::optional<bool> AutomaticHostsFile(const Variant& value) {
    const auto number = StoredNumber(value);
    if (!number) {
        return std::nullopt;
    }
    return *number == 0;
}

std::optional<bool> PollOnlyDefault(const Variant& value) {
    const auto number = StoredNumber(value);
    if (!number) {
        return std::nullopt;
    }
    return *number == 0;
}

bool ConnectionUsesPhonebook(const Variant& type) {
    const auto number = StoredNumber(type);
    return !number || (*number != 0 && *number != 1);
}

std::string ConnectionCaption(const Variant& type, std::string_view phonebookEntry) {
    if (!ConnectionUsesPhonebook(type)) {
        return *StoredNumber(type) == 0 ? "I use a LAN" : "I connect manually";
    }
    return "I use \"" + std::string(phonebookEntry) + "\"";
}

std::string HostsFileCaption(std::string_view fileName) {
    return "Use \"" + std::string(fileName) + "\"";
}

std::string DefaultAccountCaption(std::string_view accountProfile) {
    return "Use only default Account Profile (" + std::string(accountProfile) + ")";
}

}  // namespace quorvel::app
