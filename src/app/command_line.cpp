#include "app/command_line.h"

#include "profiles/name_list.h"
#include "registry/names.h"
#include "registry/trim.h"

namespace quorvel::app {

CommandLine ParseCommandLine(std::string_view text, std::string_view profileList) {
    CommandLine parsed;
    std::string_view profilePart = text;
    if (const std::size_t slash = text.find('/'); slash != std::string_view::npos) {
        profilePart = text.substr(0, slash);
        const char letter = slash + 1 < text.size() ? text[slash + 1] : '\0';
        parsed.mode = letter == 'm' ? kLaunchMail : letter == 'n' ? kLaunchNews : kLaunchBoth;
    }
    const std::string_view wanted = TrimBlanks(profilePart);
    for (const std::string& name : profiles::ReadNameList(profileList)) {
        if (registry::EqualNames(name, wanted)) {
            parsed.found = true;
            parsed.profile = name;
            return parsed;
        }
    }
    parsed.profile = std::string(wanted);
    return parsed;
}

}  // namespace quorvel::app
