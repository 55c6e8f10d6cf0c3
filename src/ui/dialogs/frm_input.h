#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace quorvel::ui {

// The password dialog: a masked text box, OK (Enter) and Cancel (Esc). It knows nothing of
// profiles; it hands back the typed text exactly as typed.
class frmInput final : public QDialog {
    Q_OBJECT
  public:
    explicit frmInput(QWidget* parent = nullptr);

    // The text when OK was chosen; "" for Cancel, Esc or the close box.
    std::string EnteredPassword() const { return entered_; }

  private:
    void btnOK_Click();
    void btnCancel_Click();

    QLineEdit* Text1;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    std::string entered_;
};

}  // namespace quorvel::ui
