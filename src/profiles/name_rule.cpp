#include "profiles/name_rule.h"

#include <array>

#include "registry/names.h"

namespace quorvel::profiles {
namespace {

constexpr std::array<char, 18> kBadChars = {'/', '\\', '@', '<', '>', '?', '|', '*', '#',
                                            ',', '%',  '"', '(', ')', '^', ':', '{', '}'};
constexpr std::size_t kShortestName = 3;

}  // namespace

bool HasBadChar(std::string_view name) {
    for (const char bad : kBadChars) {
        if (name.find(bad) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

NameVerdict CheckNewName(std::string_view name) {
    if (registry::CharacterCount(name) < kShortestName) {
        return NameVerdict::TooShort;
    }
    if (HasBadChar(name) || name.find(';') != std::string_view::npos) {
        return NameVerdict::BadCharacter;
    }
    return NameVerdict::Accepted;
}

}  // namespace quorvel::profiles
