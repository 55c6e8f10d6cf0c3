#include "ui/dialogs/frm_connection.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/display_conversions.h"
#include "app/storage_conversions.h"
#include "ui/dialogs/dialog_looks.h"
#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {
namespace {

constexpr std::int16_t kProfile = settings::kProfileSide;
constexpr std::int16_t kPhonebookEntry = 6;
constexpr std::int16_t kConnectionType = 10;
constexpr int kDialUp = 2;
// The dial-up entries of the current user, one subkey each.
constexpr std::string_view kPhonebookKey = "RemoteAccess\\Profile";

}  // namespace

frmConnection::frmConnection(app::Program& program, frmMain& main)
    : QDialog(&main),
      cboDUN(new QComboBox(this)),
      btnOK(new QPushButton(QStringLiteral("OK"), this)),
      btnCancel(new QPushButton(QStringLiteral("Cancel"), this)),
      program_(program),
      main_(main) {
    setObjectName(QStringLiteral("frmConnection"));
    setWindowTitle(QStringLiteral("Connection Options"));
    optCon[0] = new QRadioButton(QStringLiteral("I use a LAN"), this);
    optCon[0]->setObjectName(QStringLiteral("optCon_0"));
    cboDUN->setObjectName(QStringLiteral("cboDUN"));
    // A stored entry that is no longer in the phonebook still shows, as typed text.
    cboDUN->setEditable(true);
    cboDUN->setInsertPolicy(QComboBox::NoInsert);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnOK->setDefault(true);

    connect(btnOK, &QPushButton::clicked, this, [this] { btnOK_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
}

void frmConnection::Form_Load() {
    cancelled = false;
    menuCaption = ToAnsi(main_.mnuCon[0]->text());
    loadControls();
    looks();
    fillEntries();

    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    transfer.ReadSetting(kProfile, 4, kConnectionType);
    const int option = app::ConnectionOption(reg.RegValue);
    optCon[static_cast<std::size_t>(option)]->setChecked(true);
    optCon[static_cast<std::size_t>(option)]->setFocus();
    optCon_Click(option);

    transfer.ReadSetting(kProfile, 4, kPhonebookEntry);
    const std::string entry = reg.RegValue.text();
    if (entry.empty()) {
        cboDUN->setCurrentIndex(0);
    } else {
        cboDUN->setEditText(FromAnsi(entry));
    }
}

void frmConnection::loadControls() {
    const char* captions[] = {"I use a LAN", "I connect manually", "Use the following DUN:"};
    for (std::size_t i = 1; i < optCon.size(); ++i) {
        if (optCon[i] == nullptr) {
            optCon[i] = new QRadioButton(FromAnsi(captions[i]), this);
            optCon[i]->setObjectName(QStringLiteral("optCon_%1").arg(i));
        }
    }
    for (std::size_t i = 0; i < optCon.size(); ++i) {
        const int index = static_cast<int>(i);
        connect(optCon[i], &QRadioButton::toggled, this, [this, index](bool on) {
            if (on) {
                optCon_Click(index);
            }
        });
    }

    auto* options = new QVBoxLayout;
    for (QRadioButton* option : optCon) {
        options->addWidget(option);
    }
    auto* entry = new QHBoxLayout;
    entry->addSpacing(fontMetrics().averageCharWidth() * 3);
    entry->addWidget(cboDUN, 1);
    options->addLayout(entry);
    options->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(options, 1);
    layout->addLayout(buttons);

    setTabOrder(optCon[0], optCon[1]);
    setTabOrder(optCon[1], optCon[2]);
    setTabOrder(optCon[2], cboDUN);
    setTabOrder(cboDUN, btnOK);
    setTabOrder(btnOK, btnCancel);
}

void frmConnection::looks() {
    PlaceOnScreen(*this, 0.35, 0.40);
}

void frmConnection::fillEntries() {
    auto& reg = program_.reg;
    reg.GetSubKeys(kPhonebookKey);
    // The names end at the first empty element; the element after them is a spare.
    for (std::size_t i = 0; i + 1 < reg.SubKeyNames.size() && !reg.SubKeyNames[i].empty(); ++i) {
        cboDUN->addItem(FromAnsi(reg.SubKeyNames[i]));
    }
    if (cboDUN->count() == 0) {
        cboDUN->addItem(QStringLiteral("No DUN entries found"));
    }
}

int frmConnection::chosenOption() const {
    for (std::size_t i = 0; i < optCon.size(); ++i) {
        if (optCon[i]->isChecked()) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

void frmConnection::optCon_Click(int index) {
    cboDUN->setEnabled(index == kDialUp);
}

void frmConnection::btnOK_Click() {
    const int option = chosenOption();
    menuCaption = app::ConnectionCaption(Variant(option), ToAnsi(cboDUN->currentText()));
    int cancel = 0;
    Form_QueryUnload(cancel, 1);
    accept();
}

void frmConnection::btnCancel_Click() {
    cancelled = true;
    int cancel = 0;
    Form_QueryUnload(cancel, 1);
    reject();
}

void frmConnection::closeEvent(QCloseEvent* event) {
    int cancel = 0;
    Form_QueryUnload(cancel, 0);
    QDialog::closeEvent(event);
}

void frmConnection::Form_QueryUnload(int& cancel, int unloadMode) {
    cancel = 0;
    if (unloadMode == 0 || cancelled) {
        return;
    }
    const int option = chosenOption();
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    auto scope = reg.BeginTransaction();
    reg.RegValue = Variant(option);
    transfer.CopySetting(kProfile, 4, kConnectionType);
    // The entry name is kept for LAN and manual, for the next time a dial-up entry is chosen.
    if (option == kDialUp) {
        reg.RegValue = Variant(ToAnsi(cboDUN->currentText()));
        transfer.CopySetting(kProfile, 4, kPhonebookEntry);
    }
    if (!scope->commit()) {
        program_.prompts().MsgBox(
            "Quorvel could not store the connection of the profile \"" +
                program_.context.CurrentProfile +
                "\": the registry store could not save the change. Nothing has been changed.",
            profiles::Buttons::Ok, profiles::Icon::Exclamation);
        return;
    }
    main_.mnuCon[0]->setText(FromAnsi(menuCaption));
}

}  // namespace quorvel::ui
