#pragma once

#include <QListWidget>

#include "profiles/profiles_fixture.h"
#include "ui/settings/settings_window_fixture.h"

namespace quorvel::testing {

// The settings window with the profile holder that is also the deletion dialog, as the program
// builds them; optionally over a store whose commits fail on request.
class SavingWindow : public SettingsWindow {
  protected:
    std::unique_ptr<FaultyHive> faulty;

    void openWindow() {
        window.reset();
        holder = std::make_unique<ui::frmProfiles>(*program, [this] { return window.get(); });
        window = std::make_unique<ui::frmMain>(*program, *holder,
                                               ui::frmMain::Actions{[this] { ++hidden; }});
        window->Form_Load();
        window->Form_Activate();
    }
    // The same store behind a hive that can refuse commits; openWindow follows.
    void useFaultyStore() {
        window.reset();
        faulty = std::make_unique<FaultyHive>(hive);
        newProgram(*faulty);
        program->context.CurrentProfile = "Work";
    }

    std::string profileKey(const std::string& profile) const {
        return std::string(settings::kProfilesKey) + "\\" + profile;
    }
    std::string store() { return Dump(hive, "Software"); }
    std::string listed(const std::string& name) {
        return get(std::string(settings::kAppKey), name).text();
    }
};

}  // namespace quorvel::testing
