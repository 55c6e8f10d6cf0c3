#pragma once

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "app/program.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace quorvel::ui {

class frmMain;

// The holder of the shown profile's account profile names: created hidden with the settings
// window, its list `lst` mirrors the profile editor's. Shown, it is the dialog that deletes
// account profiles and picks the default one.
class frmAccounts final : public QDialog {
    Q_OBJECT
  public:
    frmAccounts(app::Program& program, frmMain& main);

    // The list and the default's caption show the profile editor's account profiles.
    void Mirror();

    // The dialog, shown modally from the Accounts menu; each showing starts with no name
    // chosen, so that a name chosen for another profile is never proposed.
    void ShowDialog();
    void looks();
    void lst_Click();
    void btnDefault_Click();
    void btnDelete_Click();
    void btnDone_Click();
    // Closing by the window frame or Esc is "D&one": the deletions have happened already, and
    // the list must follow them.
    void reject() override;

    QLabel* lbl;
    QListWidget* lst;
    QLabel* lblDefault;
    QPushButton* btnDefault;
    QPushButton* btnDelete;
    QPushButton* btnDone;

    std::int16_t selectedIndex = 0;
    std::string selectedName;

  private:
    app::Program& program_;
    frmMain& main_;
};

}  // namespace quorvel::ui
