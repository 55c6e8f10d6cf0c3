#include "ui/dialogs/frm_connection.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_looks.h"
#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {
namespace {

constexpr int kDialUp = 2;

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
    loadControls();
    looks();
    const app::ConnectionView view = program_.editor.LoadConnection();
    fillEntries(view.phonebook);

    const auto option = static_cast<std::size_t>(view.option);
    optCon[option]->setChecked(true);
    optCon[option]->setFocus();
    optCon_Click(view.option);
    if (view.entry.empty()) {
        cboDUN->setCurrentIndex(0);
    } else {
        cboDUN->setEditText(FromAnsi(view.entry));
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

void frmConnection::fillEntries(const std::vector<std::string>& phonebook) {
    for (const std::string& entry : phonebook) {
        cboDUN->addItem(FromAnsi(entry));
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
    if (const auto caption =
            program_.editor.StoreConnection(chosenOption(), ToAnsi(cboDUN->currentText()))) {
        menuCaption = *caption;
        main_.showConnection(menuCaption);
    }
}

}  // namespace quorvel::ui
