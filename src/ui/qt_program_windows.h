#pragma once

#include <functional>
#include <memory>

#include "app/program.h"

namespace quorvel::ui {

class frmProfiles;
class frmTray;

// Opens the program's windows as the start-up asks, and keeps them for the program's life.
class QtProgramWindows final : public app::ProgramWindows {
  public:
    QtProgramWindows(app::Program& program, std::function<void()> endProgram);
    ~QtProgramWindows() override;

    void OpenTray() override;
    void OpenAfterFirstProfile() override;
    void ShowSettings();

    frmTray* tray() { return tray_.get(); }
    frmProfiles* profiles() { return profiles_.get(); }

  private:
    app::Program& program_;
    std::function<void()> endProgram_;
    std::unique_ptr<frmProfiles> profiles_;
    std::unique_ptr<frmTray> tray_;
};

}  // namespace quorvel::ui
