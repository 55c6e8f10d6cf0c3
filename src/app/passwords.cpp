#include "app/passwords.h"

#include "registry/names.h"
#include "settings/client_keys.h"

namespace quorvel::app {
namespace {

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

constexpr std::size_t kMinimumLength = 3;

}  // namespace

std::string ProfilePasswords::ProfileKey() const {
    return std::string(settings::kProfilesKey) + "\\" + context_.CurrentProfile;
}

void ProfilePasswords::LoadProfilePassword() {
    reg_.GetValue(ProfileKey(), "Profile Password");
    ProfilePassword = reg_.RegValue.text();
}

void ProfilePasswords::SaveProfilePassword() {
    reg_.SetValue(ProfileKey(), "Profile Password", Variant(ProfilePassword), registry::REG_SZ);
}

void ProfilePasswords::AskProfilePassword() {
    LoadProfilePassword();
    if (registry::CharacterCount(ProfilePassword) < kMinimumLength) {
        // No usable password yet: this first use sets one.
        while (true) {
            const std::string answer =
                TrimBlanks(prompts_.InputBox("Enter new password for " + context_.CurrentProfile));
            if (answer.empty()) {
                PasswordOK = false;
                return;
            }
            if (registry::CharacterCount(answer) < kMinimumLength) {
                prompts_.MsgBox("Password must be at least 3 charactors long");
                continue;
            }
            ProfilePassword = answer;
            SaveProfilePassword();
            PasswordOK = true;
            return;
        }
    }
    while (true) {
        EnteredPassword = "";
        EnteredPassword = prompts_.PasswordDialog();
        if (EnteredPassword == ProfilePassword) {
            PasswordOK = true;
            return;
        }
        if (EnteredPassword.empty()) {
            PasswordOK = false;
            return;
        }
        prompts_.MsgBox("Incorrect password");
    }
}

}  // namespace quorvel::app
