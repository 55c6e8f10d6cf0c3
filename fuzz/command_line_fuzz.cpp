// The command-line parser on any text against any profile list (the two separated by the first
// newline): a profile it finds is one of the list, as the list spells it.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "app/command_line.h"
#include "fuzz_check.h"
#include "profiles/name_list.h"
#include "registry/names.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    const std::string_view text = input.substr(0, newline);
    const std::string_view list =
        newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1);
    const app::CommandLine parsed = app::ParseCommandLine(text, list);
    FUZZ_CHECK(parsed.mode == app::kLaunchMail || parsed.mode == app::kLaunchNews ||
               parsed.mode == app::kLaunchBoth);
    if (parsed.found) {
        const auto names = profiles::ReadNameList(list);
        FUZZ_CHECK(std::find(names.begin(), names.end(), parsed.profile) != names.end());
    }
    return 0;
}
