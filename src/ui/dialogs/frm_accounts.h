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
// window, refilled whenever the window loads a profile. Its list `lst` is what the window's
// Accounts menu mirrors, and the number of names decides which Accounts items make sense.
// Shown, it is the dialog that deletes account profiles and picks the default one.
class frmAccounts final : public QDialog {
    Q_OBJECT
  public:
    frmAccounts(app::Program& program, frmMain& main);

    // Fills the list from the shown profile's "Account Profile List".
    void getAccountsList();
    // With fewer than two account profiles only the default one can be polled: the window's
    // items for choosing among them are disabled, and the profile is set to poll one.
    void checkListNum();
    std::vector<std::string> AccountNamesInList() const;

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

    std::string DefaultAccount;  // the shown profile's default account profile
    std::int16_t selectedIndex = 0;
    std::string selectedName;
    bool listChanged = false;

  private:
    app::Program& program_;
    frmMain& main_;
};

}  // namespace quorvel::ui
