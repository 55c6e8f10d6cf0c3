#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace quorvel::app {
class Program;
}

namespace quorvel::ui {

class frmMain;

// The profile-list holder: loaded hidden at start-up, its list `lst` mirrors the profile
// editor's names in "Profile List" order. Shown, it is the dialog that deletes profiles.
class frmProfiles final : public QDialog {
    Q_OBJECT
  public:
    // `settings` gives the settings window, if one is open: "Hide Me" builds it anew each time,
    // so it is looked up when needed. The profile editor's list is loaded here, once.
    frmProfiles(app::Program& program, std::function<frmMain*()> settings,
                QWidget* parent = nullptr);

    // The list shows the profile editor's names.
    void Mirror();

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

    // Closing by the window frame or Esc is "D&one": the deletions have happened already, and
    // the list must follow them.
    void reject() override;

  private:
    app::Program& program_;
    std::function<frmMain*()> settings_;
};

}  // namespace quorvel::ui
