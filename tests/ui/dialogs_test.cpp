// The dialogs of the settings window: connection options, deleting profiles, and account
// profiles.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "ui/dialogs/frm_connection.h"
#include "ui/settings/saving_fixture.h"

namespace quorvel::testing {
namespace {

using profiles::Answer;

// Runs `command`, which shows a dialog modally, and meanwhile `look` at the dialog, which must
// close it.
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

template <typename Control>
QString Caption(const QWidget& dialog, const char* name) {
    const auto* control = dialog.findChild<Control*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << name;
    return control != nullptr ? control->text() : QString();
}

class Dialogs : public SavingWindow {
  protected:
    void SetUp() override {
        SavingWindow::SetUp();
        put(mailKey(), "Account Profile List", Variant("Home;Work;Spare;|"));
        put(mailKey(), "Default Account Profile", Variant("Home"));
        for (const char* account : {"Home", "Work", "Spare"}) {
            put(accountKey(account), "Default POP3 Server", Variant(std::string("pop.") + account));
        }
    }
    void removeValue(const std::string& key, const std::string& name) {
        hive.openKey(registry::Root::CurrentUser, key)->deleteValue(name);
    }
};

TEST_F(Dialogs, ConnectionDialogShowsTheStoredChoice) {
    struct Case {
        std::optional<int> type;  // nullopt: none stored
        std::vector<const char*> entries;
        const char* stored;
        int option;
        QStringList listed;
        QString shown;
    };
    const Case cases[] = {
        {std::nullopt, {}, "", 0, {"No DUN entries found"}, "No DUN entries found"},
        {7, {"Office", "Home"}, "", 2, {"Home", "Office"}, "Home"},
        {1, {"Office"}, "Gone", 1, {"Office"}, "Gone"},
    };
    openWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        hive.openKey(registry::Root::CurrentUser, "")->deleteSubKeyTree("RemoteAccess");
        for (const char* entry : c.entries) {
            reg().CreateKey(std::string("RemoteAccess\\Profile\\") + entry,
                            registry::Root::CurrentUser);
        }
        removeValue(mailKey(), "Connection Type");
        if (c.type) {
            put(mailKey(), "Connection Type", Variant(*c.type), registry::REG_DWORD);
        }
        put(mailKey(), "RAS Phonebook Entry", Variant(c.stored));
        ui::frmConnection dialog(*program, *window);
        dialog.Form_Load();
        EXPECT_EQ(dialog.windowTitle(), QString("Connection Options"));
        EXPECT_EQ(Caption<QRadioButton>(dialog, "optCon_0"), QString("I use a LAN"));
        EXPECT_EQ(Caption<QRadioButton>(dialog, "optCon_1"), QString("I connect manually"));
        EXPECT_EQ(Caption<QRadioButton>(dialog, "optCon_2"), QString("Use the following DUN:"));
        EXPECT_EQ(Caption<QPushButton>(dialog, "btnOK"), QString("OK"));
        EXPECT_EQ(Caption<QPushButton>(dialog, "btnCancel"), QString("Cancel"));
        EXPECT_TRUE(dialog.optCon[static_cast<std::size_t>(c.option)]->isChecked());
        auto* entries = dialog.findChild<QComboBox*>(QStringLiteral("cboDUN"));
        ASSERT_NE(entries, nullptr);
        EXPECT_EQ(entries->isEnabled(), c.option == 2);
        QStringList listed;
        for (int i = 0; i < entries->count(); ++i) {
            listed << entries->itemText(i);
        }
        EXPECT_EQ(listed, c.listed);
        EXPECT_EQ(entries->currentText(), c.shown);
    }
}

TEST_F(Dialogs, ConnectionIsWrittenOnlyByOk) {
    reg().CreateKey("RemoteAccess\\Profile\\Office", registry::Root::CurrentUser);
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
        {0, Close::Ok, Variant(0), Variant("Office"), "I use a LAN"},
        {2, Close::Cancel, Variant(0), Variant("Office"), "I use a LAN"},
        {1, Close::Frame, Variant(0), Variant("Office"), "I use a LAN"},
    };
    openWindow();
    put(mailKey(), "RAS Phonebook Entry", Variant("Old"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        ui::frmConnection dialog(*program, *window);
        dialog.Form_Load();
        dialog.show();
        dialog.optCon[static_cast<std::size_t>(c.option)]->setChecked(true);
        dialog.cboDUN->setCurrentIndex(0);
        switch (c.close) {
            case Close::Ok:
                dialog.btnOK->click();
                break;
            case Close::Cancel:
                dialog.btnCancel->click();
                break;
            case Close::Frame:
                dialog.close();
                break;
        }
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(get(mailKey(), "Connection Type"), c.type);
        EXPECT_EQ(get(mailKey(), "RAS Phonebook Entry"), c.entry);
        EXPECT_EQ(item("mnuCon_0")->text(), c.caption);
    }
    EXPECT_FALSE(window->profileChanged);

    WhileModal([this] { window->mnuCon_Click(1); },
               [](QDialog& dialog) {
                   EXPECT_EQ(dialog.objectName(), QString("frmConnection"));
                   EXPECT_EQ(Share(dialog), QSize(35, 40));
                   dialog.findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
               });
}

TEST_F(Dialogs, ProfileDeletion) {
    addProfile("Spare");
    openWindow();
    EXPECT_EQ(holder->windowTitle(), QString("Delete Profile"));
    EXPECT_EQ(holder->lbl->text(), QString("Select Profile to delete"));
    EXPECT_EQ(Caption<QPushButton>(*holder, "btnDelete"), QString("&Delete"));
    EXPECT_EQ(Caption<QPushButton>(*holder, "btnDone"), QString("D&one"));

    // Done without a deletion only hides the dialog.
    WhileModal([this] { window->mnuProfiles_Click(5); },
               [this](QDialog& dialog) {
                   EXPECT_EQ(&dialog, holder.get());
                   EXPECT_EQ(Share(dialog), QSize(30, 33));
                   holder->btnDone->click();
               });
    EXPECT_EQ(window->windowTitle(), QString("Quorvel! - Work - Mail - Main"));

    // No keeps it; without a click the first name is proposed.
    prompts.answers = {Answer::No, Answer::Yes, Answer::Yes};
    holder->btnDelete_Click();
    holder->btnDelete_Click();
    EXPECT_EQ(hive.openKey(registry::Root::CurrentUser, profileKey("Home")), nullptr);
    // Again without a click: the removed name once more, and nothing further goes.
    holder->btnDelete_Click();
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"Remove Home from the your profiles?",
                                                         "Remove Home from the your profiles?",
                                                         "Remove Home from the your profiles?"}));
    EXPECT_EQ(holder->ProfileNamesInList(), (std::vector<std::string>{"Work", "Spare"}));
    EXPECT_EQ(listed("Profile List"), "Home;Work;Spare;|");  // written by Done

    holder->lst->setCurrentRow(1);
    holder->lst_Click();
    prompts.answers = {Answer::Yes};
    holder->btnDelete_Click();
    prompts.shown.clear();
    holder->btnDelete_Click();
    EXPECT_EQ(prompts.shown.at(0).text, "You must keep at least one profile entry");
    EXPECT_EQ(prompts.shown.at(0).icon, profiles::Icon::Exclamation);

    holder->btnDone_Click();
    EXPECT_EQ(listed("Profile List"), "Work;|");
    EXPECT_EQ(program->context.CurrentProfile, "");
    EXPECT_EQ(window->windowTitle(), QString("Quorvel! - Blank Profile - Mail - Main"));
    EXPECT_EQ(window->mnuProfileList.size(), 1u);
    EXPECT_EQ(get(mailKey(), "Sender Name"), Variant("Work Sender"));
}

TEST_F(Dialogs, AccountProfiles) {
    openWindow();
    ui::frmAccounts& dialog = *window->accounts;
    EXPECT_EQ(dialog.windowTitle(), QString("Delete Account Profile"));
    EXPECT_EQ(dialog.lbl->text(), QString("Account Profiles for \"Work\""));
    EXPECT_EQ(dialog.lblDefault->text(), QString("Default Account Profile is \"Home\""));
    EXPECT_EQ(Caption<QPushButton>(dialog, "btnDefault"), QString("Use selected as default"));
    EXPECT_EQ(Caption<QPushButton>(dialog, "btnDelete"), QString("&Delete"));
    EXPECT_EQ(Caption<QPushButton>(dialog, "btnDone"), QString("D&one"));
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
    EXPECT_EQ(program->context.AccountProfile, "Home");

    // Deleting the default makes the first remaining name the default.
    prompts.answers = {Answer::Yes, Answer::Yes};
    dialog.lst_Click();  // still Work
    dialog.btnDelete_Click();
    EXPECT_EQ(dialog.lblDefault->text(), QString("Default Account Profile is \"Home\""));
    EXPECT_EQ(get(mailKey(), "Default Account Profile"), Variant("Home"));
    EXPECT_EQ(get(accountKey("Work"), "Default POP3 Server"), Variant(""));
    dialog.btnDelete_Click();  // the removed name again: nothing further goes
    EXPECT_EQ(prompts.texts(),
              (std::vector<std::string>{"Remove Work from the your Account Profiles?",
                                        "Remove Work from the your Account Profiles?"}));
    EXPECT_EQ(dialog.AccountNamesInList(), (std::vector<std::string>{"Home", "Spare"}));
    EXPECT_EQ(get(mailKey(), "Account Profile List"), Variant("Home;Work;Spare;|"));

    dialog.lst->setCurrentRow(1);
    dialog.lst_Click();
    prompts.answers = {Answer::Yes};
    dialog.btnDelete_Click();
    prompts.shown.clear();
    dialog.btnDelete_Click();
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"You must keep at least one profile entry"});

    // Closing by the frame is Done: the list follows the deletions.
    dialog.show();
    dialog.close();
    EXPECT_EQ(get(mailKey(), "Account Profile List"), Variant("Home;|"));
    EXPECT_EQ(get(mailKey(), "PollMultiplePopServers"), Variant(0));
    EXPECT_EQ(window->windowTitle(), QString("Quorvel! - Work - Accounts - Home"));
    EXPECT_EQ(window->txtServer[1]->text(), QString("pop.Home"));
    for (const char* disabled :
         {"mnuAccounts_1", "mnuAccounts_6", "mnuAccounts_8", "mnuAccounts_9"}) {
        EXPECT_FALSE(item(disabled)->isEnabled()) << disabled;
    }
}

}  // namespace
}  // namespace quorvel::testing
