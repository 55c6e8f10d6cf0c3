#include "ui/dialogs/frm_profiles.h"

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

frmProfiles::frmProfiles(app::Program& program, std::function<frmMain*()> settings, QWidget* parent)
    : QDialog(parent),
      lbl(new QLabel(QStringLiteral("Select Profile to delete"), this)),
      lst(new QListWidget(this)),
      btnDelete(new QPushButton(QStringLiteral("&Delete"), this)),
      btnDone(new QPushButton(QStringLiteral("D&one"), this)),
      program_(program),
      settings_(std::move(settings)) {
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

    // Loaded once, when the holder loads; the operations keep it in step afterwards.
    program_.editor.LoadProfileList();
    Mirror();
}

void frmProfiles::Mirror() {
    MirrorNames(*lst, program_.editor.ProfileNames);
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
    if (!program_.editor.DeleteProfile(selectedName)) {
        lst->setFocus();
    }
    Mirror();
}

void frmProfiles::btnDone_Click() {
    if (program_.editor.FinishProfileDeletions()) {
        if (frmMain* window = settings_ ? settings_() : nullptr) {
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
