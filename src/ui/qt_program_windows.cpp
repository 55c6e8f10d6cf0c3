#include "ui/qt_program_windows.h"

#include "ui/dialogs/frm_profiles.h"
#include "ui/settings/frm_main.h"
#include "ui/tray/frm_tray.h"

namespace quorvel::ui {

QtProgramWindows::QtProgramWindows(app::Program& program) : program_(program) {}

QtProgramWindows::~QtProgramWindows() {
    delete settings_.data();
}

void QtProgramWindows::OpenTray() {
    MakeProfileList();
    if (!tray_) {
        tray_ = std::make_unique<frmTray>(program_, program_.editor, [this] { ShowSettings(); });
        tray_->Form_Load();
    }
}

void QtProgramWindows::OpenAfterFirstProfile() {
    OpenTray();
    ShowSettings();
}

void QtProgramWindows::MakeProfileList() {
    if (!profiles_) {
        profiles_ = std::make_unique<frmProfiles>(program_, [this] { return settings(); });
    }
}

void QtProgramWindows::ShowSettings() {
    MakeProfileList();
    if (settings_ != nullptr) {
        settings_->show();
        settings_->raise();
        settings_->activateWindow();
        return;
    }
    settings_ = new frmMain(program_, *profiles_, frmMain::Actions{[this] { SettingsHidden(); }});
    settings_->Form_Load();
}

frmMain* QtProgramWindows::settings() {
    return settings_.data();
}

void QtProgramWindows::SettingsHidden() {
    if (tray_) {
        tray_->SetMenu();
    }
    // The window is still running its own menu handler; it goes once that has returned.
    settings_->deleteLater();
    settings_ = nullptr;
}

}  // namespace quorvel::ui
