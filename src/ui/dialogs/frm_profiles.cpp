#include "ui/dialogs/frm_profiles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace quorvel::ui {

frmProfiles::frmProfiles(registry::Registry& reg, QWidget* parent)
    : QDialog(parent),
      lst(new QListWidget(this)),
      reg_(reg),
      lbl(new QLabel(QStringLiteral("Select Profile to delete"), this)),
      btnDelete(new QPushButton(QStringLiteral("&Delete"), this)),
      btnDone(new QPushButton(QStringLiteral("D&one"), this)) {
    setObjectName(QStringLiteral("frmProfiles"));
    setWindowTitle(QStringLiteral("Delete Profile"));
    lst->setObjectName(QStringLiteral("lst"));
    lbl->setObjectName(QStringLiteral("lbl"));
    btnDelete->setObjectName(QStringLiteral("btnDelete"));
    btnDone->setObjectName(QStringLiteral("btnDone"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnDelete);
    buttons->addWidget(btnDone);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl);
    layout->addWidget(lst);
    layout->addLayout(buttons);

    GetProfileList();
}

void frmProfiles::GetProfileList() {
    // Filled once, when the holder loads; the windows keep it in step afterwards.
    for (const std::string& name : app::GetProfileList(reg_)) {
        lst->addItem(FromAnsi(name));
    }
}

std::vector<std::string> frmProfiles::ProfileNamesInList() const {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(lst->count()));
    for (int i = 0; i < lst->count(); ++i) {
        names.push_back(ToAnsi(lst->item(i)->text()));
    }
    return names;
}

}  // namespace quorvel::ui
