#include "ui/dialogs/frm_accounts.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/display_conversions.h"
#include "profiles/name_list.h"
#include "registry/names.h"
#include "settings/client_keys.h"
#include "ui/dialogs/dialog_looks.h"
#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {
namespace {

using profiles::Answer;
using profiles::Buttons;
using profiles::Icon;

constexpr std::int16_t kProfile = settings::kProfileSide;
constexpr std::int16_t kDefaultAccount = 11;

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
    lblDefault->setText(FromAnsi(DefaultCaption(DefaultAccount)));
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

void frmAccounts::ShowDialog() {
    selectedIndex = 0;
    selectedName.clear();
    // A profile saved under a new name keeps the list it copied, but the list is now its own.
    lbl->setText(FromAnsi("Account Profiles for \"" + program_.context.CurrentProfile + "\""));
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
    const std::string chosen = ToAnsi(lst->item(selectedIndex)->text());
    if (chosen == DefaultAccount) {
        return;
    }
    // Written at once: the default is no edit that waits for saving.
    auto& reg = program_.reg;
    auto scope = reg.BeginTransaction();
    reg.RegValue = Variant(chosen);
    program_.transfer.CopySetting(kProfile, 4, kDefaultAccount);
    if (!scope->commit()) {
        program_.prompts().MsgBox(
            "Quorvel could not make \"" + chosen +
                "\" the default Account Profile: the registry store could not save the change. "
                "Nothing has been changed.",
            Buttons::Ok, Icon::Exclamation);
        return;
    }
    DefaultAccount = chosen;
    lblDefault->setText(FromAnsi(DefaultCaption(DefaultAccount)));
}

void frmAccounts::btnDelete_Click() {
    auto& prompts = program_.prompts();
    if (lst->count() < 2) {
        prompts.MsgBox("You must keep at least one profile entry", Buttons::Ok, Icon::Exclamation);
        lst->setFocus();
        return;
    }
    if (selectedName.empty()) {
        selectedName = ToAnsi(lst->item(0)->text());
    }
    if (prompts.MsgBox("Remove " + selectedName + " from the your Account Profiles?",
                       Buttons::YesNo, Icon::Exclamation) != Answer::Yes) {
        lst->setFocus();
        return;
    }
    // A name removed before is no longer listed: nothing further goes from the list.
    const QList<QListWidgetItem*> found = lst->findItems(FromAnsi(selectedName), Qt::MatchExactly);
    const int row = found.isEmpty() ? -1 : lst->row(found.front());
    std::string nextDefault = DefaultAccount;
    if (row >= 0 && selectedName == DefaultAccount) {
        nextDefault = ToAnsi(lst->item(row == 0 ? 1 : 0)->text());
    }

    // The account profile's key and a new default go at once; the list follows with "D&one".
    auto& reg = program_.reg;
    auto scope = reg.BeginTransaction();
    if (nextDefault != DefaultAccount) {
        reg.RegValue = Variant(nextDefault);
        program_.transfer.CopySetting(kProfile, 4, kDefaultAccount);
    }
    const long status = reg.DeleteKey(program_.store.ProfileKey() + "\\Mail", selectedName);
    const bool deleted =
        (status == registry::ERROR_SUCCESS || status == registry::ERROR_FILE_NOT_FOUND) &&
        scope->commit();
    if (!deleted) {
        scope.reset();
        prompts.MsgBox("Quorvel could not delete the Account Profile \"" + selectedName +
                           "\": the registry store could not save the change. Nothing has "
                           "been changed.",
                       Buttons::Ok, Icon::Exclamation);
        return;
    }
    if (row >= 0) {
        delete lst->takeItem(row);
    }
    listChanged = true;
    if (nextDefault != DefaultAccount) {
        DefaultAccount = nextDefault;
        lblDefault->setText(FromAnsi(DefaultCaption(DefaultAccount)));
    }
}

void frmAccounts::btnDone_Click() {
    auto& context = program_.context;
    if (listChanged) {
        auto& reg = program_.reg;
        auto scope = reg.BeginTransaction();
        reg.SetValue(program_.store.ProfileKey() + "\\Mail", "Account Profile List",
                     Variant(profiles::WriteNameList(AccountNamesInList())), registry::REG_SZ);
        checkListNum();
        if (scope->commit()) {
            listChanged = false;
        } else {
            // The list is written again by the next "D&one".
            program_.prompts().MsgBox(
                "Quorvel could not save the list of Account Profiles: the registry store could "
                "not save the change. The deleted Account Profiles are gone, but the list still "
                "names them until it is saved.",
                Buttons::Ok, Icon::Exclamation);
        }
        // The default account profile is shown, as the one shown may be gone.
        context.AccountProfile = DefaultAccount;
        main_.setAccountsMenu();
        main_.getAccount();
        main_.setWindowTitle(FromAnsi("Quorvel! - " + context.CurrentProfile + " - Accounts - " +
                                      context.AccountProfile));
    }
    main_.mnuAccounts[7]->setText(FromAnsi(app::DefaultAccountCaption(DefaultAccount)));
    hide();
}

void frmAccounts::reject() {
    btnDone_Click();
    QDialog::reject();
}

}  // namespace quorvel::ui
