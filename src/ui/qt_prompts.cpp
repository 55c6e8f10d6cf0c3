#include "ui/qt_prompts.h"

#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <iostream>

#include "ui/dialogs/frm_input.h"
#include "ui/qt_text.h"

namespace quorvel::ui {
namespace {

QMessageBox::Icon ToQt(profiles::Icon icon) {
    switch (icon) {
        case profiles::Icon::Critical:
            return QMessageBox::Critical;
        case profiles::Icon::Question:
            return QMessageBox::Question;
        case profiles::Icon::Exclamation:
            return QMessageBox::Warning;
        case profiles::Icon::Information:
            return QMessageBox::Information;
        case profiles::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(profiles::Buttons buttons) {
    switch (buttons) {
        case profiles::Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case profiles::Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case profiles::Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case profiles::Buttons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

// The answer of a box closed with its close box or Esc: whatever backs out.
profiles::Answer BackingOut(profiles::Buttons buttons) {
    return buttons == profiles::Buttons::Ok      ? profiles::Answer::Ok
           : buttons == profiles::Buttons::YesNo ? profiles::Answer::No
                                                 : profiles::Answer::Cancel;
}

}  // namespace

bool QtPrompts::Unseen(std::string_view text) const {
    if (!silenced_ && !(backingOut_ && backingOut_())) {
        return false;
    }
    std::string line(text);
    for (char& c : line) {
        if (c == '\r') {
            c = ' ';
        }
    }
    std::cerr << "Quorvel!: " << line << std::endl;
    return true;
}

profiles::Answer QtPrompts::MsgBox(std::string_view text, profiles::Buttons buttons,
                                   profiles::Icon icon, std::string_view title) {
    if (Unseen(text)) {
        return BackingOut(buttons);
    }
    QMessageBox box(ToQt(icon), FromAnsi(title), ShownText(text), ToQt(buttons));
    box.setObjectName(QStringLiteral("MsgBox"));
    // A short text would make the box too narrow for its own title; a spacer across the bottom
    // of the box's grid widens it without touching the text's word wrap.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(220, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return profiles::Answer::Yes;
        case QMessageBox::No:
            return profiles::Answer::No;
        case QMessageBox::Cancel:
            return profiles::Answer::Cancel;
        case QMessageBox::Ok:
            return profiles::Answer::Ok;
        default:
            return BackingOut(buttons);
    }
}

std::string QtPrompts::InputBox(std::string_view prompt, std::string_view title) {
    if (Unseen(prompt)) {
        return "";
    }
    QInputDialog dialog;
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setWindowTitle(FromAnsi(title));
    dialog.setLabelText(ShownText(prompt));
    dialog.setTextValue(QString());
    if (dialog.exec() != QDialog::Accepted) {
        return "";
    }
    return ToAnsi(dialog.textValue());
}

std::string QtPrompts::PasswordDialog() {
    if (Unseen("the password dialog")) {
        return "";
    }
    frmInput dialog;
    dialog.exec();
    return dialog.EnteredPassword();
}

}  // namespace quorvel::ui
