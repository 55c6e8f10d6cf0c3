#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "app/profile_list.h"
#include "registry/registry.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace quorvel::ui {

// The profile-list holder: loaded hidden at start-up, its list `lst` holds every profile name
// in "Profile List" order and is what the tray and the settings window's menus mirror. Shown,
// it is the dialog that deletes profiles.
class frmProfiles final : public QDialog, public app::ProfileListHolder {
    Q_OBJECT
  public:
    explicit frmProfiles(registry::Registry& reg, QWidget* parent = nullptr);

    std::vector<std::string> ProfileNamesInList() const override;
    void GetProfileList();

    QListWidget* lst;

  private:
    registry::Registry& reg_;
    QLabel* lbl;
    QPushButton* btnDelete;
    QPushButton* btnDone;
};

}  // namespace quorvel::ui
