#include "app/name_entry.h"

#include "profiles/first_profile.h"
#include "registry/names.h"
#include "registry/trim.h"

namespace quorvel::app {

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

std::string AskNewName(Prompts& prompts, std::string_view prompt) {
    while (true) {
        const std::string name(TrimBlanks(prompts.InputBox(prompt)));
        if (name.empty()) {
            return "";
        }
        switch (CheckNewName(name)) {
            case NameVerdict::Accepted:
                return name;
            case NameVerdict::TooShort:
                prompts.MsgBox("Name must be at least 3 characters long");
                break;
            case NameVerdict::BadCharacter:
                if (prompts.MsgBox("Invalid name, do you want to try again",
                                   profiles::Buttons::YesNo,
                                   profiles::Icon::Exclamation) != profiles::Answer::Yes) {
                    return "";
                }
                break;
        }
    }
}

}  // namespace quorvel::app
