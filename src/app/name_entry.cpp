#include "app/name_entry.h"

#include "profiles/first_profile.h"
#include "registry/names.h"

namespace quorvel::app {

std::string TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return "";
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

NameVerdict CheckNewName(std::string_view name) {
    constexpr std::size_t kShortest = 3;
    if (registry::CharacterCount(name) < kShortest) {
        return NameVerdict::TooShort;
    }
    if (profiles::HasBadChar(name) || name.find(';') != std::string_view::npos) {
        return NameVerdict::BadCharacter;
    }
    return NameVerdict::Accepted;
}

}  // namespace quorvel::app
