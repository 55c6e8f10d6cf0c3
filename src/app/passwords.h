#pragma once

#include <string>

#include "app/prompts.h"
#include "registry/registry.h"
#include "settings/setting_context.h"

namespace quorvel::app {

// Asks for a new password with `prompt` until it has at least 3 characters, saying `tooShort`
// each time it has fewer: the password without the blanks around it, or "" for Cancel.
std::string AskNewPassword(Prompts& prompts, std::string_view prompt, std::string_view tooShort);

// A protected profile's password: stored as plain text in the profile's key, asked for once per
// run before the profile is made current, and set the first time it is needed.
class ProfilePasswords {
  public:
    ProfilePasswords(registry::Registry& reg, settings::SettingContext& context, Prompts& prompts)
        : reg_(reg), context_(context), prompts_(prompts) {}

    std::string ProfilePassword;
    std::string EnteredPassword;
    bool PasswordOK = false;

    void LoadProfilePassword();
    void SaveProfilePassword();
    // PasswordOK = the user gave the current profile's password, or set a first one.
    void AskProfilePassword();

  private:
    registry::Registry& reg_;
    settings::SettingContext& context_;
    Prompts& prompts_;
};

}  // namespace quorvel::app
