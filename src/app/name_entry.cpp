#include "app/name_entry.h"

#include "registry/trim.h"

namespace quorvel::app {

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
