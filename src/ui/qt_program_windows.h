#pragma once

#include <QPointer>
#include <memory>

#include "app/program.h"

namespace quorvel::ui {

class frmMain;
class frmProfiles;
class frmTray;

// Opens the program's windows as the start-up asks, and keeps them for the program's life.
class QtProgramWindows final : public app::ProgramWindows {
  public:
    explicit QtProgramWindows(app::Program& program);
    ~QtProgramWindows() override;

    void OpenTray() override;
    void OpenAfterFirstProfile() override;
    // Opens the settings window, built anew after "Hide Me", or brings the open one forward.
    void ShowSettings();

    frmTray* tray() { return tray_.get(); }
    frmProfiles* profiles() { return profiles_.get(); }
    frmMain* settings();

  private:
    // The profile-list holder, which is also the deletion dialog of the settings window.
    void MakeProfileList();
    void SettingsHidden();

    app::Program& program_;
    std::unique_ptr<frmProfiles> profiles_;
    std::unique_ptr<frmTray> tray_;
    // Owned here; after "Hide Me" it deletes itself once its handler has returned.
    QPointer<frmMain> settings_;
};

}  // namespace quorvel::ui
