#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "app/program.h"

class QComboBox;
class QPushButton;
class QRadioButton;

namespace quorvel::ui {

class frmMain;

// "Connection Options": how the shown profile reaches the network (a LAN, a connection made by
// hand, or a dial-up phonebook entry). OK writes the choice at once and reports it in the
// settings window's connection item; Cancel and the window frame write nothing.
class frmConnection final : public QDialog {
    Q_OBJECT
  public:
    frmConnection(app::Program& program, frmMain& main);

    void Form_Load();
    void loadControls();
    void looks();
    void optCon_Click(int index);
    void btnOK_Click();
    void btnCancel_Click();
    // `unloadMode` 0: closed by the window frame; anything else: by a button.
    void Form_QueryUnload(int& cancel, int unloadMode);

    std::array<QRadioButton*, 3> optCon{};
    QComboBox* cboDUN;
    QPushButton* btnOK;
    QPushButton* btnCancel;

    std::string menuCaption;  // what the connection item reads after OK
    bool cancelled = false;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    int chosenOption() const;
    void fillEntries(const std::vector<std::string>& phonebook);

    app::Program& program_;
    frmMain& main_;
};

}  // namespace quorvel::ui
