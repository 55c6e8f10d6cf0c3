#include "ui/qt_ending_host.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

#include "ui/qt_program_windows.h"
#include "ui/qt_prompts.h"
#include "ui/tray/frm_tray.h"

namespace quorvel::ui {

void QtEndingHost::DismissDialogs() {
    // Dialogs open one above the other; each closed one uncovers the next. The bound keeps a
    // window that refuses to close from holding the ending here.
    constexpr int kMostNested = 64;
    for (int i = 0; i < kMostNested; ++i) {
        QWidget* top = QApplication::activePopupWidget();
        if (top == nullptr) {
            top = QApplication::activeModalWidget();
        }
        if (top == nullptr) {
            return;
        }
        if (auto* dialog = qobject_cast<QDialog*>(top)) {
            dialog->done(QDialog::Rejected);
        } else {
            top->close();
        }
        top->hide();
    }
}

void QtEndingHost::RemoveIcon() {
    if (frmTray* tray = windows_.tray()) {
        tray->RemoveIcon();
    }
}

void QtEndingHost::LeaveEventLoop() {
    QCoreApplication::exit(0);
}

void QtEndingHost::SilencePrompts() {
    prompts_.Silence();
}

}  // namespace quorvel::ui
