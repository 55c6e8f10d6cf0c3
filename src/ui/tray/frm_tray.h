#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "app/tray_menu.h"

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace quorvel::ui {

// The tray form: the program's icon in the notification area and its popup menu. The logic
// lives in app::TrayMenu; this form draws its state and forwards the icon's clicks. Where the
// desktop has no notification area, a small window stands in for the icon.
class frmTray final : public QWidget, public app::TrayView {
    Q_OBJECT
  public:
    struct Actions {
        std::function<void()> showSettings;
        std::function<void()> endProgram;
    };
    frmTray(app::Program& program, const app::ProfileListHolder& holder, Actions actions);
    ~frmTray() override;

    void Form_Load();
    // After the settings window changed the list: rebuild the profile items.
    void SetMenu();
    app::TrayMenu& logic() { return logic_; }
    QMenu* menu() { return mnuBar; }

    void PopUpMenu() override;
    void RemoveIcon() override;
    void ShowSettings() override;
    void EndProgram() override;

  private:
    void SyncMenu();
    void ShowStandInWindow();

    app::Program& program_;
    Actions actions_;
    app::TrayMenu logic_;
    QSystemTrayIcon* icon_ = nullptr;
    QMenu* mnuBar;
    std::vector<QAction*> mnuMain;
    std::vector<QAction*> mnuProfiles;
    std::unique_ptr<QWidget> standIn_;
};

}  // namespace quorvel::ui
