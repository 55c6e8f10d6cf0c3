#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/profile_list.h"
#include "app/program.h"

namespace quorvel::app {

// Mouse messages the tray icon reports.
inline constexpr int WM_MOUSEMOVE = 512;
inline constexpr int WM_LBUTTONDOWN = 513;
inline constexpr int WM_RBUTTONDOWN = 516;

// What the tray's icon and menu need from the desktop.
class TrayView {
  public:
    virtual ~TrayView() = default;
    // Pops the menu up at the mouse; returns when it has closed, after the chosen item's handler
    // has run.
    virtual void PopUpMenu() = 0;
    virtual void ShowSettings() = 0;
};

// The tray form's logic: the menu's items and check marks, which client a choice starts, and
// what each click does. The Qt tray draws this state and forwards the icon's messages.
class TrayMenu {
  public:
    TrayMenu(Program& program, TrayView& view, const ProfileListHolder& holder)
        : program_(program), view_(view), holder_(holder) {}

    std::int16_t ClientMode = 0;  // 1 a choice starts mail, 2 news
    std::int16_t CheckedItem = 0;
    std::int16_t ChosenItem = 0;
    std::int16_t ItemCount = 0;
    bool MenuOpen = false;

    // mnuMain(4): which client a profile choice starts.
    std::string ModeCaption = "News Mode";
    // mnuProfiles(0..n-1); item 0 always exists.
    std::vector<std::string> ProfileCaptions{"Profile 1"};
    std::vector<bool> ProfileChecked{false};
    // False while the list is empty: the one remaining item then only says so.
    bool ProfilesEnabled = true;

    void Form_Load();
    void pichook_MouseMove(int message);
    void mnuMain_Click(int index);
    void mnuProfiles_Click(int index);
    void setCheck(const std::string& aString);
    void SetMenu();
    // "Quit": the icon goes, then the exit routine runs and the program ends.
    void Form_QueryUnload();

    // The About box's text.
    std::string AboutText() const;

  private:
    void MoveCheck(std::int16_t from, std::int16_t to);

    Program& program_;
    TrayView& view_;
    const ProfileListHolder& holder_;
};

}  // namespace quorvel::app
