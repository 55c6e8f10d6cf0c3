// The dialogs of the settings window: connection options, deleting profiles, and account
// profiles.
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "ui/dialogs/frm_connection.h"
#include "ui/settings/settings_window_fixture.h"

namespace quorvel::testing {
namespace {

using profiles::Answer;

// Runs `command`, which shows a dialog modally, and meanwhile `look`s at the dialog, which
// must close it.
void WhileModal(const std::function<void()>& command, const std::function<void(QDialog&)>& look) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        look(*dialog);
    });
    command();
    EXPECT_TRUE(seen);
}

// The share of the screen a dialog takes, in per cent.
QSize Share(const QWidget& dialog) {
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    return {qRound(100.0 * dialog.width() / screen.width()),
            qRound(100.0 * dialog.height() / screen.height())};
}

class Dialogs : public SettingsWindow {
  protected:
    void SetUp() override {
        SettingsWindow::SetUp();
        put(mailKey(), "Account Profile List", Variant("Home;Work;Spare;|"));
        put(mailKey(), "Default Account Profile", Variant("Home"));
        for (const std::string account : {"Home", "Work", "Spare"}) {
            put(accountKey(account), "Default POP3 Server", Variant("pop." + account));
        }
        reg().CreateKey("RemoteAccess\\Profile\\Office", registry::Root::CurrentUser);
        reg().CreateKey("RemoteAccess\\Profile\\Home", registry::Root::CurrentUser);
        open();
    }
    std::string profileKey(const std::string& profile) const {
        return settings::ProfileKey(profile);
    }
    std::string listed(const std::string& name) {
        return get(std::string(settings::kAppKey), name).text();
    }
};

TEST_F(Dialogs, ConnectionDialogShowsTheStoredChoice) {
    struct Case {
        std::optional<int> type;  // nullopt: none stored
        const char* entry;
        int option;
        QString shown;
    };
    const Case cases[] = {
        {std::nullopt, "", 0, "Home"}, {7, "", 2, "Home"}, {1, "Gone", 1, "Gone"}};
    for (const Case& c : cases) {
        hive.openKey(registry::Root::CurrentUser, mailKey())->deleteValue("Connection Type");
        if (c.type) {
            put(mailKey(), "Connection Type", Variant(*c.type), registry::REG_DWORD);
        }
        put(mailKey(), "RAS Phonebook Entry", Variant(c.entry));
        ui::frmConnection dialog(*program, *window);
        dialog.Form_Load();
        EXPECT_TRUE(dialog.optCon[static_cast<std::size_t>(c.option)]->isChecked()) << c.option;
        EXPECT_EQ(dialog.cboDUN->isEnabled(), c.option == 2);
        EXPECT_EQ(dialog.cboDUN->count(), 2);  // as enumerated: Home, Office
        EXPECT_EQ(dialog.cboDUN->currentText(), c.shown);
    }
    hive.openKey(registry::Root::CurrentUser, "")->deleteSubKeyTree("RemoteAccess");
    put(mailKey(), "RAS Phonebook Entry", Variant(""));
    ui::frmConnection without(*program, *window);
    without.Form_Load();
    EXPECT_EQ(without.cboDUN->currentText(), QString("No DUN entries found"));
}

TEST_F(Dialogs, ConnectionIsWrittenOnlyByOk) {
    put(mailKey(), "RAS Phonebook Entry", Variant("Old"));
    enum class Close { Ok, Cancel, Frame };
    struct Case {
        int option;
        Close close;
        Variant type;
        Variant entry;
        QString caption;
    };
    const Case cases[] = {
        {1, Close::Ok, Variant(1), Variant("Old"), "I connect manually"},
        {2, Close::Ok, Variant(2), Variant("Office"), "I use \"Office\""},
        {0, Close::Cancel, Variant(2), Variant("Office"), "I use \"Office\""},
        {0, Close::Frame, Variant(2), Variant("Office"), "I use \"Office\""},
    };
    for (const Case& c : cases) {
        ui::frmConnection dialog(*program, *window);
        dialog.Form_Load();
        dialog.show();
        dialog.optCon[static_cast<std::size_t>(c.option)]->setChecked(true);
        dialog.cboDUN->setCurrentIndex(1);
        if (c.close == Close::Ok) {
            dialog.btnOK->click();
        } else if (c.close == Close::Cancel) {
            dialog.btnCancel->click();
        } else {
            dialog.close();
        }
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(get(mailKey(), "Connection Type"), c.type) << c.caption.toStdString();
        EXPECT_EQ(get(mailKey(), "RAS Phonebook Entry"), c.entry) << c.caption.toStdString();
        EXPECT_EQ(item("mnuCon_0")->text(), c.caption);
    }
    EXPECT_FALSE(program->editor.profileChanged);
    WhileModal([this] { window->mnuCon_Click(1); },
               [](QDialog& dialog) {
                   EXPECT_EQ(dialog.objectName(), QString("frmConnection"));
                   EXPECT_EQ(Share(dialog), QSize(35, 40));
                   dialog.reject();
               });
}

TEST_F(Dialogs, ProfileDeletion) {
    addProfile("Spare");
    open();
    WhileModal([this] { window->mnuProfiles_Click(5); },
               [this](QDialog& dialog) {
                   EXPECT_EQ(&dialog, holder.get());
                   EXPECT_EQ(Share(dialog), QSize(30, 33));
                   holder->btnDone->click();  // without a deletion it only hides
               });
    EXPECT_EQ(window->windowTitle(), QString("Quorvel! - Work - Mail - Main"));

    holder->lst->setCurrentRow(2);
    holder->lst_Click();
    prompts.answers = {Answer::Yes};
    holder->btnDelete_Click();
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Remove Spare from the your profiles?"});
    EXPECT_EQ(hive.openKey(registry::Root::CurrentUser, profileKey("Spare")), nullptr);
    EXPECT_EQ(holder->lst->count(), 2);
    EXPECT_EQ(listed("Profile List"), "Home;Work;Spare;|");  // written by Done

    holder->show();
    holder->close();  // the frame closes it as Done does
    EXPECT_EQ(listed("Profile List"), "Home;Work;|");
    EXPECT_EQ(window->windowTitle(), QString("Quorvel! - Blank Profile - Mail - Main"));
    EXPECT_EQ(window->findChild<QAction*>("mnuProfileList_2"), nullptr);
}

TEST_F(Dialogs, AccountProfiles) {
    ui::frmAccounts& dialog = accounts();
    EXPECT_EQ(dialog.lbl->text(), QString("Account Profiles for \"Work\""));
    window->mnuWindow_Click(4);

    // A new default is written at once; Done without a deletion only names it in the menu.
    WhileModal([this] { window->mnuAccounts_Click(9); },
               [&dialog](QDialog& shown) {
                   EXPECT_EQ(&shown, &dialog);
                   EXPECT_EQ(Share(shown), QSize(35, 45));
                   dialog.lst->setCurrentRow(1);
                   dialog.lst_Click();
                   dialog.btnDefault->click();
                   dialog.btnDone->click();
               });
    EXPECT_EQ(get(mailKey(), "Default Account Profile"), Variant("Work"));
    EXPECT_EQ(item("mnuAccounts_7")->text(), QString("Use only default Account Profile (Work)"));

    prompts.answers = {Answer::Yes, Answer::Yes};
    for (const int row : {1, 1}) {  // Work, the default, then Spare
        dialog.lst->setCurrentRow(row);
        dialog.lst_Click();
        dialog.btnDelete_Click();
    }
    EXPECT_EQ(dialog.lblDefault->text(), QString("Default Account Profile is \"Home\""));
    EXPECT_EQ(dialog.lst->count(), 1);
    dialog.show();
    dialog.close();  // the frame closes it as Done does
    EXPECT_EQ(get(mailKey(), "Account Profile List"), Variant("Home;|"));
    EXPECT_EQ(window->windowTitle(), QString("Quorvel! - Work - Accounts - Home"));
    EXPECT_EQ(text("txtServer_1"), QString("pop.Home"));
    EXPECT_FALSE(item("mnuAccounts_1")->isEnabled());
}

}  // namespace
}  // namespace quorvel::testing
