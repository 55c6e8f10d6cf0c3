#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/profile_list.h"
#include "registry/registry.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace quorvel::app {
class Program;
}

namespace quorvel::ui {

class frmMain;

// The profile-list holder: loaded hidden at start-up, its list `lst` holds every profile name
// in "Profile List" order and is what the tray and the settings window's menus mirror. Shown,
// it is the dialog that deletes profiles.
class frmProfiles final : public QDialog, public app::ProfileListHolder {
    Q_OBJECT
  public:
    // A holder of the list only: shown, its buttons only hide it.
    explicit frmProfiles(registry::Registry& reg, QWidget* parent = nullptr);
    // The holder that is also the deletion dialog. `settings` gives the settings window, if
    // one is open: "Hide Me" builds it anew each time, so it is looked up when needed.
    frmProfiles(app::Program& program, std::function<frmMain*()> settings,
                QWidget* parent = nullptr);

    std::vector<std::string> ProfileNamesInList() const override;
    void GetProfileList();

    // The deletion dialog, shown modally; each showing starts with no name chosen.
    void ShowDialog();
    void looks();
    void lst_Click();
    void btnDelete_Click();
    void btnDone_Click();

    QLabel* lbl;
    QListWidget* lst;
    QPushButton* btnDelete;
    QPushButton* btnDone;

    std::int16_t selectedIndex = 0;
    std::string selectedName;  // "" until the user clicks a name
    bool listChanged = false;

    // Closing by the window frame or Esc is "D&one": the deletions have happened already, and
    // the list must follow them.
    void reject() override;

  private:
    registry::Registry& reg_;
    app::Program* program_ = nullptr;
    std::function<frmMain*()> settings_;
};

}  // namespace quorvel::ui
