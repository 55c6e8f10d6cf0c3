#include "ui/dialogs/frm_accounts.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "profiles/name_list.h"
#include "registry/names.h"
#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {

frmAccounts::frmAccounts(app::Program& program, frmMain& main)
    : QDialog(&main),
      lbl(new QLabel(QStringLiteral("Account Profiles"), this)),
      lst(new QListWidget(this)),
      lblDefault(new QLabel(QStringLiteral("Default Account Profile is \"Account1\""), this)),
      btnDefault(new QPushButton(QStringLiteral("Use selected as default"), this)),
      btnDelete(new QPushButton(QStringLiteral("&Delete"), this)),
      btnDone(new QPushButton(QStringLiteral("D&one"), this)),
      program_(program),
      main_(main) {
    setObjectName(QStringLiteral("frmAccounts"));
    setWindowTitle(QStringLiteral("Delete Account Profile"));
    lbl->setObjectName(QStringLiteral("lbl"));
    lst->setObjectName(QStringLiteral("lst"));
    lblDefault->setObjectName(QStringLiteral("lblDefault"));
    btnDefault->setObjectName(QStringLiteral("btnDefault"));
    btnDelete->setObjectName(QStringLiteral("btnDelete"));
    btnDone->setObjectName(QStringLiteral("btnDone"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnDefault);
    buttons->addWidget(btnDelete);
    buttons->addWidget(btnDone);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl);
    layout->addWidget(lst);
    layout->addWidget(lblDefault);
    layout->addLayout(buttons);
    hide();
}

void frmAccounts::getAccountsList() {
    auto& reg = program_.reg;
    const std::string& profile = program_.context.CurrentProfile;
    lbl->setText(FromAnsi("Account Profiles for \"" + profile + "\""));
    lst->clear();
    reg.GetValue(program_.store.ProfileKey() + "\\Mail", "Account Profile List");
    const std::string list = reg.RegValue.text();
    // Too short to hold a name and its ";": the list stays empty and the rest as it was.
    if (registry::CharacterCount(list) < 3) {
        return;
    }
    for (const std::string& name : profiles::ReadNameList(list)) {
        lst->addItem(FromAnsi(name));
    }
    program_.transfer.ReadSetting(settings::kProfileSide, 4, 11);
    DefaultAccount = reg.RegValue.text();
    lblDefault->setText(FromAnsi("Default Account Profile is \"" + DefaultAccount + "\""));
    checkListNum();
    listChanged = false;
}

void frmAccounts::checkListNum() {
    auto& items = main_.mnuAccounts;
    const bool several = lst->count() >= 2;
    if (!several) {
        items[7]->setChecked(true);
        items[8]->setChecked(false);
        program_.reg.RegValue = Variant(0);
        program_.transfer.CopySetting(settings::kProfileSide, 4, 12);
    }
    // Delete, the hosts file, polling all and changing the default need a second account.
    for (const std::size_t item : {1u, 6u, 8u, 9u}) {
        items[item]->setEnabled(several);
    }
}

std::vector<std::string> frmAccounts::AccountNamesInList() const {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(lst->count()));
    for (int i = 0; i < lst->count(); ++i) {
        names.push_back(ToAnsi(lst->item(i)->text()));
    }
    return names;
}

}  // namespace quorvel::ui
