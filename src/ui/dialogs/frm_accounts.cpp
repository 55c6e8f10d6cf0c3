#include "ui/dialogs/frm_accounts.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/program.h"
#include "ui/dialogs/dialog_looks.h"
#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {
namespace {

std::string DefaultCaption(const std::string& name) {
    return "Default Account Profile is \"" + name + "\"";
}

}  // namespace

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

    lbl->setWordWrap(true);
    lblDefault->setWordWrap(true);
    // The buttons stand beside the list, so that the dialog keeps its share of a small screen.
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnDefault);
    buttons->addWidget(btnDelete);
    buttons->addWidget(btnDone);
    buttons->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(lst, 1);
    middle->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl);
    layout->addLayout(middle, 1);
    layout->addWidget(lblDefault);
    setTabOrder(lst, btnDefault);
    setTabOrder(btnDefault, btnDelete);
    setTabOrder(btnDelete, btnDone);

    connect(lst, &QListWidget::itemClicked, this, [this] { lst_Click(); });
    connect(btnDefault, &QPushButton::clicked, this, [this] { btnDefault_Click(); });
    connect(btnDelete, &QPushButton::clicked, this, [this] { btnDelete_Click(); });
    connect(btnDone, &QPushButton::clicked, this, [this] { btnDone_Click(); });
    hide();
}

void frmAccounts::Mirror() {
    lbl->setText(FromAnsi("Account Profiles for \"" + program_.context.CurrentProfile + "\""));
    MirrorNames(*lst, program_.editor.AccountNames);
    lblDefault->setText(FromAnsi(DefaultCaption(program_.editor.DefaultAccount)));
}

void frmAccounts::ShowDialog() {
    selectedIndex = 0;
    selectedName.clear();
    // A profile saved under a new name keeps the list it copied, but the list is now its own.
    Mirror();
    looks();
    exec();
}

void frmAccounts::looks() {
    PlaceOnScreen(*this, 0.35, 0.45);
}

void frmAccounts::lst_Click() {
    const int row = lst->currentRow();
    if (row < 0) {
        return;
    }
    selectedIndex = static_cast<std::int16_t>(row);
    selectedName = ToAnsi(lst->item(row)->text());
}

void frmAccounts::btnDefault_Click() {
    if (selectedIndex < 0 || selectedIndex >= lst->count()) {
        return;
    }
    // Written at once: the default is no edit that waits for saving.
    program_.editor.SetDefaultAccount(ToAnsi(lst->item(selectedIndex)->text()));
    Mirror();
}

void frmAccounts::btnDelete_Click() {
    if (!program_.editor.DeleteAccount(selectedName)) {
        lst->setFocus();
    }
    Mirror();
}

void frmAccounts::btnDone_Click() {
    main_.AccountsChanged(program_.editor.FinishAccountDeletions());
    hide();
}

void frmAccounts::reject() {
    btnDone_Click();
    QDialog::reject();
}

}  // namespace quorvel::ui
