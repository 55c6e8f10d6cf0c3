#include "app/passwords.h"

#include "registry/names.h"
#include "registry/trim.h"
#include "settings/client_keys.h"

namespace quorvel::app {
namespace {

constexpr std::size_t kMinimumLength = 3;

}  // namespace

std::string AskNewPassword(Prompts& prompts, std::string_view prompt, std::string_view tooShort) {
    while (true) {
        const std::string answer(TrimBlanks(prompts.InputBox(prompt)));
        if (answer.empty() || registry::CharacterCount(answer) >= kMinimumLength) {
            return answer;
        }
        prompts.MsgBox(tooShort);
    }
}

void ProfilePasswords::LoadProfilePassword() {
    reg_.GetValue(settings::ProfileKey(context_.CurrentProfile), "Profile Password");
    ProfilePassword = reg_.RegValue.text();
}

void ProfilePasswords::SaveProfilePassword() {
    reg_.SetValue(settings::ProfileKey(context_.CurrentProfile), "Profile Password",
                  Variant(ProfilePassword), registry::REG_SZ);
}

void ProfilePasswords::AskProfilePassword() {
    LoadProfilePassword();
    if (registry::CharacterCount(ProfilePassword) < kMinimumLength) {
        // No usable password yet: this first use sets one.
        const std::string answer =
            AskNewPassword(prompts_, "Enter new password for " + context_.CurrentProfile,
                           "Password must be at least 3 charactors long");
        PasswordOK = !answer.empty();
        if (PasswordOK) {
            ProfilePassword = answer;
            SaveProfilePassword();
        }
        return;
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
