#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/tray_menu.h"
#include "app_fixture.h"

namespace quorvel::testing {

class ListHolder final : public app::ProfileListHolder {
  public:
    std::vector<std::string> names;
    std::vector<std::string> ProfileNamesInList() const override { return names; }
};

class RecordingView final : public app::TrayView {
  public:
    int popups = 0;
    std::function<void()> whileOpen;  // what the user picks while the menu is up
    std::vector<std::string> calls;
    void PopUpMenu() override {
        ++popups;
        if (whileOpen) {
            whileOpen();
        }
    }
    void ShowSettings() override { calls.push_back("show settings"); }
};

class Tray : public AppFixture {
  protected:
    ListHolder holder;
    RecordingView view;
    std::unique_ptr<app::TrayMenu> tray;

    void SetUp() override {
        AppFixture::SetUp();
        for (const char* name : {"Home", "Work", "Spare", "Old"}) {
            addProfile(name);
            holder.names.emplace_back(name);
        }
        program->AppVersion = "5.1.0";
        program->context.CurrentProfile = "Work";
        tray = std::make_unique<app::TrayMenu>(*program, view, holder);
        tray->Form_Load();
    }
    // A click on the icon, then a choice of profile item `item` in the menu.
    void clickAndChoose(int message, int item) {
        view.whileOpen = [this, item] { tray->mnuProfiles_Click(item); };
        tray->pichook_MouseMove(message);
    }
};

}  // namespace quorvel::testing
