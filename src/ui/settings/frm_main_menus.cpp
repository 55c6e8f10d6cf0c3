// The settings window's menu bar, and the commands that choose what the window shows.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <functional>
#include <map>
#include <string_view>

#include "ui/dialogs/frm_accounts.h"
#include "ui/dialogs/frm_profiles.h"
#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {
namespace {

// Where an item goes: a top menu, or one of the two submenus of the Accounts menu.
enum class Place { Top, Connection, Hosts };

struct MenuRow {
    int top;
    Place place;
    const char* array;
    int index;
    std::string_view caption;  // "-" for a separator
    std::string_view keys;
    bool checkable = false;
    bool checked = false;
    bool submenu = false;
};

constexpr std::string_view kTopCaptions[] = {"&Profiles", "&Accounts", "&Window", "&Switch..",
                                             "He&lp"};

// The menu bar as it is when the window is created. Items that carry a check mark at any time
// are checkable; all start enabled.
constexpr MenuRow kMenuBar[] = {
    {0, Place::Top, "mnuProfiles", 0, "Security ON", "", true},
    {0, Place::Top, "mnuProfiles", 1, "Security OFF", "", true},
    {0, Place::Top, "mnuProfiles", 2, "Change Profile Password", "Ctrl+C"},
    {0, Place::Top, "mnuProfiles", 3, "-", ""},
    {0, Place::Top, "mnuProfiles", 4, "Save settings as...", "Ctrl+A"},
    {0, Place::Top, "mnuProfiles", 5, "Delete Profile...", "Ctrl+D"},
    {0, Place::Top, "mnuProfiles", 6, "Save Changes", "Ctrl+S"},
    {0, Place::Top, "mnuProfiles", 7, "-", ""},
    {0, Place::Top, "mnuProfileList", 0, "Profile 1", "", true},
    {1, Place::Top, "mnuAccounts", 0, "Save settings as...", "Ctrl+G"},
    {1, Place::Top, "mnuAccounts", 1, "Delete Account Profile...", "Ctrl+H"},
    {1, Place::Top, "mnuAccounts", 2, "Save changes", "Ctrl+I"},
    {1, Place::Top, "mnuAccounts", 3, "-", ""},
    {1, Place::Top, "mnuAccounts", 4, "Connection Options", "", false, false, true},
    {1, Place::Connection, "mnuCon", 0, "I connect manually", ""},
    {1, Place::Connection, "mnuCon", 1, "Change..", "Ctrl+J"},
    {1, Place::Top, "mnuAccounts", 5, "-", ""},
    {1, Place::Top, "mnuAccounts", 6, "Hosts file", "", false, false, true},
    {1, Place::Hosts, "mnuHosts", 0, "Automatically edit Hosts file", "", true, true},
    {1, Place::Hosts, "mnuHosts", 1, "-", ""},
    {1, Place::Hosts, "mnuHosts", 2, "Use \"profilename.txt\"", "", true},
    {1, Place::Hosts, "mnuHosts", 3, "Change..", "Ctrl+K"},
    {1, Place::Top, "mnuAccounts", 7, "Use only default Account Profile (account.net)", "", true,
     true},
    {1, Place::Top, "mnuAccounts", 8, "Use all Account Profiles listed below", "", true},
    {1, Place::Top, "mnuAccounts", 9, "Change default Account Profile...", "Ctrl+F"},
    {1, Place::Top, "mnuAccounts", 10, "-", ""},
    {1, Place::Top, "mnuAccountsList", 0, "Account Profile 1", "", true},
    {2, Place::Top, "mnuWindow", 1, "Mail - Main Settings", "F1", true},
    {2, Place::Top, "mnuWindow", 2, "Mail - Signature Settings", "F2", true},
    {2, Place::Top, "mnuWindow", 3, "Mail - Other Settings", "F3", true},
    {2, Place::Top, "mnuWindow", 4, "Mail - Account Settings", "F4", true},
    {2, Place::Top, "mnuWindow", 5, "News - Main Settings", "F5", true},
    {2, Place::Top, "mnuWindow", 6, "News - Signature Settings", "F6", true},
    {2, Place::Top, "mnuWindow", 7, "News - Other Settings", "F7", true},
    {2, Place::Top, "mnuWindow", 8, "Hide Me", "F12"},
    {3, Place::Top, "mnuSwitch", 0, "Disable Internet News settings", "Ctrl+Shift+F1", true},
    {3, Place::Top, "mnuSwitch", 1, "-", ""},
    {3, Place::Top, "mnuSwitch", 2, "Mail", "Ctrl+M"},
    {3, Place::Top, "mnuSwitch", 3, "News", "Ctrl+N"},
    {4, Place::Top, "mnuHelp", 0, "Contents", "Ctrl+F1"},
    {4, Place::Top, "mnuHelp", 1, "About Quorvel!", "Ctrl+F2"},
};

QString ItemName(const char* array, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

// A menu item does nothing while a menu it sits in is disabled, also through its shortcut.
bool Reachable(const std::vector<QMenu*>& menus) {
    for (const QMenu* menu : menus) {
        if (!menu->menuAction()->isEnabled()) {
            return false;
        }
    }
    return true;
}

// Qt flips a checkable item's mark before its handler runs; here the handlers decide every
// mark themselves, so the flip is taken back first. Each command is one operation of the
// program, which an ending waits for.
void Connect(app::Program& program, QAction* item, std::vector<QMenu*> menus,
             std::function<void()> handler) {
    QObject::connect(
        item, &QAction::triggered, item,
        [&program, item, menus = std::move(menus), handler = std::move(handler)](bool) {
            if (item->isCheckable()) {
                item->setChecked(!item->isChecked());
            }
            if (Reachable(menus)) {
                program.RunCommand(handler);
            }
        });
}

}  // namespace

void frmMain::createMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mnuBar"));
    for (int top = 0; top < 5; ++top) {
        QMenu* menu = bar->addMenu(FromAnsi(kTopCaptions[top]));
        menu->setObjectName(ItemName("mnuTop", top));
        menu->menuAction()->setObjectName(ItemName("mnuTop", top));
        connect(menu, &QMenu::aboutToShow, this, [this, top] { mnuTop_Click(top); });
        mnuTop[static_cast<std::size_t>(top)] = menu;
    }
    const std::pair<const char*, std::vector<QAction*>*> arrays[] = {
        {"mnuProfiles", &mnuProfiles}, {"mnuProfileList", &mnuProfileList},
        {"mnuAccounts", &mnuAccounts}, {"mnuCon", &mnuCon},
        {"mnuHosts", &mnuHosts},       {"mnuAccountsList", &mnuAccountsList},
        {"mnuWindow", &mnuWindow},     {"mnuSwitch", &mnuSwitch},
        {"mnuHelp", &mnuHelp}};
    const auto arrayOf = [&arrays](std::string_view name) {
        for (const auto& [arrayName, items] : arrays) {
            if (name == arrayName) {
                return items;
            }
        }
        return static_cast<std::vector<QAction*>*>(nullptr);
    };
    const std::map<std::string_view, std::function<void(int)>> handlers = {
        {"mnuProfiles", [this](int i) { mnuProfiles_Click(i); }},
        {"mnuProfileList", [this](int i) { mnuProfileList_Click(i); }},
        {"mnuAccounts", [this](int i) { mnuAccounts_Click(i); }},
        {"mnuCon", [this](int i) { mnuCon_Click(i); }},
        {"mnuHosts", [this](int i) { mnuHosts_Click(i); }},
        {"mnuAccountsList", [this](int i) { mnuAccountsList_Click(i); }},
        {"mnuWindow", [this](int i) { mnuWindow_Click(i); }},
        {"mnuSwitch", [this](int i) { mnuSwitch_Click(i); }},
        {"mnuHelp", [this](int i) { mnuHelp_Click(i); }},
    };
    mnuWindow.push_back(nullptr);  // the Window menu counts from 1

    QMenu* connection = nullptr;
    QMenu* hosts = nullptr;
    for (const MenuRow& row : kMenuBar) {
        QMenu* top = mnuTop[static_cast<std::size_t>(row.top)];
        QMenu* menu = row.place == Place::Connection ? connection
                      : row.place == Place::Hosts    ? hosts
                                                     : top;
        std::vector<QMenu*> menus{top};
        if (menu != top) {
            menus.push_back(menu);
        }
        QAction* item = nullptr;
        if (row.submenu) {
            QMenu* submenu = menu->addMenu(FromAnsi(row.caption));
            submenu->setObjectName(ItemName(row.array, row.index) + QStringLiteral("_menu"));
            (row.index == 4 ? connection : hosts) = submenu;
            item = submenu->menuAction();
        } else if (row.caption == "-") {
            item = menu->addSeparator();
        } else {
            item = menu->addAction(FromAnsi(row.caption));
            item->setCheckable(row.checkable);
            item->setChecked(row.checked);
            if (!row.keys.empty()) {
                item->setShortcut(QKeySequence(FromAnsi(row.keys)));
            }
            const int index = row.index;
            Connect(program_, item, menus,
                    [handler = handlers.at(row.array), index] { handler(index); });
        }
        item->setObjectName(ItemName(row.array, row.index));
        arrayOf(row.array)->push_back(item);
    }
}

bool frmMain::IsMenuShortcut(QKeyCombination key) const {
    const QKeySequence pressed(key);
    for (const QAction* item : menuBar()->findChildren<QAction*>()) {
        if (item->shortcut() != pressed || !item->isEnabled()) {
            continue;
        }
        bool reachable = true;
        for (auto* menu = qobject_cast<const QMenu*>(item->parent()); menu != nullptr;
             menu = qobject_cast<const QMenu*>(menu->parent())) {
            reachable = reachable && menu->menuAction()->isEnabled();
        }
        if (reachable) {
            return true;
        }
    }
    return false;
}

void frmMain::selWindow() {
    const auto& context = program_.context;
    std::string caption = context.CurrentProfile.empty() ? "Quorvel! - Blank Profile"
                                                         : "Quorvel! - " + context.CurrentProfile;
    for (std::size_t pane = 1; pane <= 7; ++pane) {
        panes[pane]->hide();
    }
    mnuTop[1]->menuAction()->setEnabled(false);
    constexpr std::string_view kSuffixes[] = {"",
                                              " - Mail - Main",
                                              " - Mail - Signature",
                                              " - Mail - Other",
                                              " - Accounts - ",
                                              " - News - Main",
                                              " - News - Signature",
                                              " - News - Other"};
    if (currentPane >= 1 && currentPane <= 7) {
        const auto pane = static_cast<std::size_t>(currentPane);
        panes[pane]->show();
        caption += kSuffixes[pane];
        if (currentPane == 4) {
            caption += context.AccountProfile;
            mnuTop[1]->menuAction()->setEnabled(true);
        }
    }
    setWindowTitle(FromAnsi(caption));
}

namespace {

// Makes the items after the fixed ones match `names`: captions, and a check on `shown`.
// `count` is how many items the last rebuild made; `building` is true while the window is
// being built, when only the design item exists.
void RebuildList(app::Program& program, QMenu* menu, std::vector<QAction*>& items,
                 const char* array, int& count, bool building,
                 const std::vector<std::string>& names, const std::string& shown,
                 const std::function<void(int)>& handler, const std::vector<QMenu*>& menus) {
    const int n = static_cast<int>(names.size());
    const auto create = [&](int upTo) {
        while (static_cast<int>(items.size()) < upTo) {
            const int index = static_cast<int>(items.size());
            QAction* item = menu->addAction(QString());
            item->setObjectName(ItemName(array, index));
            item->setCheckable(true);
            Connect(program, item, menus, [handler, index] { handler(index); });
            items.push_back(item);
        }
    };
    if (building) {
        create(n);
    } else {
        if (count > n && count >= 2) {
            // The design item stays, as its menu would otherwise have nothing to show.
            while (static_cast<int>(items.size()) > std::max(n, 1)) {
                delete items.back();
                items.pop_back();
            }
        }
        if (count < n && n >= 2) {
            create(n);
        }
    }
    for (int i = 0; i < n && i < static_cast<int>(items.size()); ++i) {
        const auto at = static_cast<std::size_t>(i);
        items[at]->setText(FromAnsi(names[at]));
        items[at]->setChecked(names[at] == shown);
    }
    count = n;
}

}  // namespace

void frmMain::setProfileMenu() {
    RebuildList(program_, mnuTop[0], mnuProfileList, "mnuProfileList", profileItemCount_,
                !program_.windowShown, program_.editor.ProfileNames,
                program_.context.CurrentProfile, [this](int i) { mnuProfileList_Click(i); },
                {mnuTop[0]});
}

void frmMain::setAccountsMenu() {
    if (accountItemCount_ == 0) {
        accountItemCount_ = 1;
    }
    RebuildList(program_, mnuTop[1], mnuAccountsList, "mnuAccountsList", accountItemCount_,
                !program_.windowShown, program_.editor.AccountNames,
                program_.context.AccountProfile, [this](int i) { mnuAccountsList_Click(i); },
                {mnuTop[1]});
}

void frmMain::mnuTop_Click(int index) {
    if (index == 0) {
        mnuProfiles[6]->setEnabled(program_.editor.profileChanged);
    } else if (index == 1) {
        mnuAccounts[2]->setEnabled(program_.editor.accountChanged);
    }
}

void frmMain::mnuWindow_Click(int index) {
    if (index == 8) {
        UnloadToTray();
        return;
    }
    if (index < 1 || index > 7) {
        return;
    }
    if (index == 4 && program_.context.CurrentProfile.empty()) {
        program_.prompts().MsgBox(
            "You must select a profile from the list or save current settings as a new profile "
            "before viewing Accounts window.",
            profiles::Buttons::Ok, profiles::Icon::Exclamation, "No profile selected!");
        return;
    }
    currentPane = static_cast<std::int16_t>(index);
    const int last = lastPaneItem_ == 0 ? 1 : lastPaneItem_;
    mnuWindow[static_cast<std::size_t>(last)]->setChecked(false);
    mnuWindow[static_cast<std::size_t>(index)]->setChecked(true);
    lastPaneItem_ = index;
    selWindow();
}

void frmMain::mnuProfileList_Click(int index) {
    checkChanged(!program_.context.CurrentProfile.empty());
    if (!program_.UnlockProfile(ToAnsi(mnuProfileList[static_cast<std::size_t>(index)]->text()))) {
        return;
    }
    getProfile();
}

void frmMain::mnuAccountsList_Click(int index) {
    const auto chosen = static_cast<std::size_t>(index);
    if (mnuAccountsList[chosen]->isChecked()) {
        return;
    }
    checkChanged();
    const std::size_t names = program_.editor.AccountNames.size();
    for (std::size_t i = 0; i < names && i < mnuAccountsList.size(); ++i) {
        mnuAccountsList[i]->setChecked(false);
    }
    mnuAccountsList[chosen]->setChecked(true);
    program_.editor.ChooseAccount(ToAnsi(mnuAccountsList[chosen]->text()));
    getAccount();
    selWindow();
}

}  // namespace quorvel::ui
