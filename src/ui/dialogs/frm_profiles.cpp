#include "ui/dialogs/frm_profiles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/program.h"
#include "profiles/name_list.h"
#include "settings/client_keys.h"
#include "ui/dialogs/dialog_looks.h"
#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {

using profiles::Answer;
using profiles::Buttons;
using profiles::Icon;

frmProfiles::frmProfiles(registry::Registry& reg, QWidget* parent)
    : QDialog(parent),
      lbl(new QLabel(QStringLiteral("Select Profile to delete"), this)),
      lst(new QListWidget(this)),
      btnDelete(new QPushButton(QStringLiteral("&Delete"), this)),
      btnDone(new QPushButton(QStringLiteral("D&one"), this)),
      reg_(reg) {
    setObjectName(QStringLiteral("frmProfiles"));
    setWindowTitle(QStringLiteral("Delete Profile"));
    lst->setObjectName(QStringLiteral("lst"));
    lbl->setObjectName(QStringLiteral("lbl"));
    btnDelete->setObjectName(QStringLiteral("btnDelete"));
    btnDone->setObjectName(QStringLiteral("btnDone"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnDelete);
    buttons->addWidget(btnDone);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl);
    layout->addWidget(lst);
    layout->addLayout(buttons);
    setTabOrder(lst, btnDelete);
    setTabOrder(btnDelete, btnDone);

    connect(lst, &QListWidget::itemClicked, this, [this] { lst_Click(); });
    connect(btnDelete, &QPushButton::clicked, this, [this] { btnDelete_Click(); });
    connect(btnDone, &QPushButton::clicked, this, [this] { btnDone_Click(); });

    GetProfileList();
}

frmProfiles::frmProfiles(app::Program& program, std::function<frmMain*()> settings, QWidget* parent)
    : frmProfiles(program.reg, parent) {
    program_ = &program;
    settings_ = std::move(settings);
}

void frmProfiles::GetProfileList() {
    // Filled once, when the holder loads; the windows keep it in step afterwards.
    for (const std::string& name : app::GetProfileList(reg_)) {
        lst->addItem(FromAnsi(name));
    }
    listChanged = false;
}

std::vector<std::string> frmProfiles::ProfileNamesInList() const {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(lst->count()));
    for (int i = 0; i < lst->count(); ++i) {
        names.push_back(ToAnsi(lst->item(i)->text()));
    }
    return names;
}

void frmProfiles::ShowDialog() {
    // A name chosen at an earlier showing may be gone: each showing starts with none chosen.
    selectedIndex = 0;
    selectedName.clear();
    looks();
    exec();
}

void frmProfiles::looks() {
    PlaceOnScreen(*this, 0.30, 0.33);
}

void frmProfiles::lst_Click() {
    const int row = lst->currentRow();
    if (row < 0) {
        return;
    }
    selectedIndex = static_cast<std::int16_t>(row);
    selectedName = ToAnsi(lst->item(row)->text());
}

void frmProfiles::btnDelete_Click() {
    if (program_ == nullptr) {
        return;
    }
    auto& prompts = program_->prompts();
    if (lst->count() < 2) {
        prompts.MsgBox("You must keep at least one profile entry", Buttons::Ok, Icon::Exclamation);
        lst->setFocus();
        return;
    }
    if (selectedName.empty()) {
        selectedName = ToAnsi(lst->item(0)->text());
    }
    if (prompts.MsgBox("Remove " + selectedName + " from the your profiles?", Buttons::YesNo,
                       Icon::Exclamation) != Answer::Yes) {
        lst->setFocus();
        return;
    }
    // The profile's key goes at once; the list follows with "D&one".
    auto& reg = program_->reg;
    auto scope = reg.BeginTransaction();
    const long status = reg.DeleteKey(settings::kProfilesKey, selectedName);
    const bool deleted =
        (status == registry::ERROR_SUCCESS || status == registry::ERROR_FILE_NOT_FOUND) &&
        scope->commit();
    if (!deleted) {
        scope.reset();
        prompts.MsgBox("Quorvel could not delete the profile \"" + selectedName +
                           "\": the registry store could not save the change. Nothing has "
                           "been changed.",
                       Buttons::Ok, Icon::Exclamation);
        return;
    }
    // A name removed before is no longer listed: nothing further goes from the list.
    const QList<QListWidgetItem*> found = lst->findItems(FromAnsi(selectedName), Qt::MatchExactly);
    if (!found.isEmpty()) {
        delete lst->takeItem(lst->row(found.front()));
    }
    listChanged = true;
}

void frmProfiles::btnDone_Click() {
    if (listChanged && program_ != nullptr) {
        auto& reg = program_->reg;
        auto scope = reg.BeginTransaction();
        reg.SetValue(settings::kAppKey, "Profile List",
                     Variant(profiles::WriteNameList(ProfileNamesInList())), registry::REG_SZ);
        if (!scope->commit()) {
            // The list is written again by the next "D&one".
            program_->prompts().MsgBox(
                "Quorvel could not save the list of profiles: the registry store could not "
                "save the change. The deleted profiles are gone, but the list still names "
                "them until it is saved.",
                Buttons::Ok, Icon::Exclamation);
        } else {
            listChanged = false;
        }
        // The window may have shown a profile that is gone: it shows none.
        program_->context.CurrentProfile = "";
        if (frmMain* window = settings_ ? settings_() : nullptr) {
            window->setProfileMenu();
            window->getProfile();
        }
    }
    hide();
}

void frmProfiles::reject() {
    btnDone_Click();
    QDialog::reject();
}

}  // namespace quorvel::ui
