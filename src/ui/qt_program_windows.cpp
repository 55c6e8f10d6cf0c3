#include "ui/qt_program_windows.h"

#include "ui/dialogs/frm_profiles.h"
#include "ui/tray/frm_tray.h"

namespace quorvel::ui {

QtProgramWindows::QtProgramWindows(app::Program& program, std::function<void()> endProgram)
    : program_(program), endProgram_(std::move(endProgram)) {}

QtProgramWindows::~QtProgramWindows() = default;

void QtProgramWindows::OpenTray() {
    if (!profiles_) {
        profiles_ = std::make_unique<frmProfiles>(program_.reg);
    }
    if (!tray_) {
        tray_ = std::make_unique<frmTray>(
            program_, *profiles_, frmTray::Actions{[this] { ShowSettings(); }, endProgram_});
        tray_->Form_Load();
    }
}

void QtProgramWindows::OpenAfterFirstProfile() {
    OpenTray();
    ShowSettings();
}

void QtProgramWindows::ShowSettings() {
    // The settings window joins here when it is built; until then the tray is the program.
}

}  // namespace quorvel::ui
