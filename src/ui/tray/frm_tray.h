#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "app/tray_menu.h"

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace quorvel::ui {

// The tray form: the program's icon in the notification area and its popup menu. The logic
// lives in app::TrayMenu; this form draws its state and forwards the icon's clicks. Where the
// desktop has no notification area, a small window stands in for the icon until one appears.
class frmTray final : public QWidget, public app::TrayView {
    Q_OBJECT
  public:
    frmTray(app::Program& program, const app::ProfileListHolder& holder,
            std::function<void()> showSettings);
    ~frmTray() override;

    void Form_Load();
    // After the settings window changed the list: rebuild the profile items.
    void SetMenu();
    app::TrayMenu& logic() { return logic_; }
    QMenu* menu() { return mnuBar; }

    void PopUpMenu() override;
    void ShowSettings() override;
    // Takes the icon, or the window standing in for it, off the desktop.
    void RemoveIcon();
    // The window that stands in for the icon while there is no notification area; nullptr
    // while the icon shows.
    QWidget* standIn() const { return standIn_.get(); }

  private:
    void SyncMenu();
    void ShowIcon();
    void ShowStandInWindow();
    // Moves from the stand-in window to the icon once a notification area has appeared.
    void WatchForNotificationArea();

    app::Program& program_;
    std::function<void()> showSettings_;
    app::TrayMenu logic_;
    QSystemTrayIcon* icon_ = nullptr;
    QMenu* mnuBar;
    std::vector<QAction*> mnuMain;
    std::vector<QAction*> mnuProfiles;
    std::unique_ptr<QWidget> standIn_;
    QTimer* trayWatch_ = nullptr;
};

}  // namespace quorvel::ui
