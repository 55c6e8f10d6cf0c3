// The Qt layer's wiring and layout: each kind of control of the settings window reaches its
// value and back, edits mark their half of the window, the menus, dialogs and the tray reach the
// profile editor and the tray's logic, and the rows keep their places. The rules behind them
// are tested on the profile editor and the conversions.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/app_fixture.h"
#include "profiles/profiles_fixture.h"
#include "ui/dialogs/frm_accounts.h"
#include "ui/dialogs/frm_connection.h"
#include "ui/dialogs/frm_input.h"
#include "ui/dialogs/frm_profiles.h"
#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"
#include "ui/tray/frm_tray.h"

namespace quorvel::testing {
namespace {

// The settings window over a fresh store holding the profiles Home and Work, Work shown, with
// the profile holder that is also the deletion dialog, as the program builds them. Controls
// are reached by their object names.
class SettingsWindow : public AppFixture {
  protected:
    std::unique_ptr<ui::frmProfiles> holder;
    std::unique_ptr<ui::frmMain> window;
    int hidden = 0;

    void SetUp() override {
        AppFixture::SetUp();
        addProfile("Home");
        addProfile("Work");
        program->context.CurrentProfile = "Work";
    }
    void TearDown() override {
        window.reset();
        holder.reset();
    }
    // The window as the tray opens it, after the desktop has activated it.
    void open() {
        window.reset();
        holder = std::make_unique<ui::frmProfiles>(*program, [this] { return window.get(); });
        window = std::make_unique<ui::frmMain>(*program, *holder,
                                               ui::frmMain::Actions{[this] { ++hidden; }});
        window->Form_Load();
        window->Form_Activate();
    }

    std::string mailKey() const { return settings::ProfileMailKey("Work"); }
    std::string accountKey(const std::string& account = "acct") const {
        return mailKey() + "\\" + account;
    }
    std::string appValue(const std::string& name) {
        return get(std::string(settings::kAppKey), name).text();
    }

    template <typename Control = QWidget>
    Control* control(const QString& name) const {
        Control* found = window->findChild<Control*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QAction* item(const QString& name) const { return control<QAction>(name); }
    QLineEdit* box(const QString& name) const { return control<QLineEdit>(name); }
    QString text(const QString& name) const { return box(name)->text(); }
    bool checked(const QString& name) const { return control<QAbstractButton>(name)->isChecked(); }
    QString title() const { return window->windowTitle(); }
};

using profiles::Answer;
using registry::REG_DWORD;

class Window : public SettingsWindow {
  protected:
    void SetUp() override {
        SettingsWindow::SetUp();
        put(mailKey(), "Account Profile List", Variant("acct;Other;|"));
        put(accountKey("Other"), "Default POP3 Server", Variant("pop.other"));
        put(accountKey(), "Password", Variant(program->base64.Base64Encode("abc")),
            registry::REG_BINARY);
        put(mailKey(), "Poll For Mail", Variant(90000), REG_DWORD);
        put(mailKey(), "Signature Type", Variant(196610), REG_DWORD);
        put(mailKey(), "RAS Phonebook Entry", Variant("Office"));
        put(mailKey(), "Connection Type", Variant(2), REG_DWORD);
        put(std::string(settings::kImnKey), "Current Profile", Variant("Work"));
    }
};

TEST_F(Window, EveryKindOfControlShowsItsSettingAndSavesItBack) {
    open();
    EXPECT_EQ(text("txtMail_1"), QStringLiteral("Work Sender"));
    EXPECT_EQ(text("txtListMail_1"), QStringLiteral("1"));
    EXPECT_TRUE(checked("chkListMail_1"));
    EXPECT_TRUE(checked("chkMail_2"));
    EXPECT_TRUE(checked("optSigMail_2"));
    EXPECT_FALSE(checked("chkSigMail_1"));
    EXPECT_EQ(text("txtServer_4"), QStringLiteral("abc"));
    EXPECT_EQ(item("mnuHosts_2")->text(), QStringLiteral("Use \"Work.txt\""));
    EXPECT_EQ(item("mnuCon_0")->text(), QStringLiteral("I use \"Office\""));
    EXPECT_EQ(item("mnuAccounts_7")->text(),
              QStringLiteral("Use only default Account Profile (acct)"));
    EXPECT_EQ(item("mnuAccountsList_1")->text(), QStringLiteral("Other"));
    EXPECT_TRUE(item("mnuProfileList_1")->isChecked());
    EXPECT_EQ(title(), QStringLiteral("Quorvel! - Work - Mail - Main"));
    EXPECT_FALSE(program->editor.profileChanged || program->editor.accountChanged);

    box("txtMail_1")->setText("Ann Other");
    box("txtListMail_1")->setText("10");
    control<QAbstractButton>("optSigMail_1")->click();
    control<QAbstractButton>("chkSigMail_1")->click();
    item("mnuProfiles_6")->trigger();
    EXPECT_EQ(get(mailKey(), "Sender Name"), Variant("Ann Other"));
    EXPECT_EQ(get(mailKey(), "Poll For Mail"), Variant(600000));
    EXPECT_EQ(get(mailKey(), "Signature Type"), Variant(65537));
    EXPECT_FALSE(program->editor.profileChanged);

    window->mnuWindow_Click(4);
    box("txtServer_4")->setText("s3cret");
    control<QAbstractButton>("chkServer_1")->click();
    item("mnuAccounts_2")->trigger();
    EXPECT_EQ(get(accountKey(), "LeaveMailOnServer"), Variant(1));
    program->context.AccountProfile = "acct";
    window->getAccount();
    EXPECT_EQ(text("txtServer_4"), QStringLiteral("s3cret"));
}

TEST_F(Window, EditsMarkTheHalfOfTheWindowTheyBelongTo) {
    open();
    const std::pair<const char*, bool> cases[] = {
        {"txtMail_1", true},        {"txtNews_2", true},      {"txtListMail_1", true},
        {"txtListNews_1", true},    {"txtSigFileMail", true}, {"txtSigFileNews", true},
        {"chkMail_1", true},        {"chkNews_7", true},      {"chkListMail_1", true},
        {"chkListNews_1", true},    {"optSigMail_0", true},   {"optSigNews_1", true},
        {"chkSigMail_0", true},     {"chkSigNews_1", true},   {"txtServer_3", false},
        {"txtListServer_1", false}, {"chkServer_1", false},   {"chkListServer_1", false},
    };
    for (const auto& [name, profile] : cases) {
        window->getProfile();
        QWidget* edited = control(QLatin1String(name));
        if (auto* line = qobject_cast<QLineEdit*>(edited)) {
            line->setText(line->text() + QStringLiteral("9"));
        } else {
            qobject_cast<QAbstractButton*>(edited)->click();
        }
        EXPECT_EQ(program->editor.profileChanged, profile) << name;
        EXPECT_EQ(program->editor.accountChanged, !profile) << name;
    }
    for (const char* name : {"txtSigMail", "txtSigNews"}) {
        window->getProfile();
        control<QPlainTextEdit>(QLatin1String(name))->setPlainText(QStringLiteral("-- \nAnn"));
        EXPECT_TRUE(program->editor.profileChanged) << name;
    }
    // Opening a top menu enables its save item only for its own half.
    window->getProfile();
    control<QAbstractButton>("chkServer_1")->click();
    emit control<QMenu>("mnuTop_1")->aboutToShow();
    emit control<QMenu>("mnuTop_0")->aboutToShow();
    EXPECT_TRUE(item("mnuAccounts_2")->isEnabled());
    EXPECT_FALSE(item("mnuProfiles_6")->isEnabled());
}

TEST_F(Window, PendingEditsAreOfferedBeforeAnotherProfileShows) {
    open();
    box("txtMail_1")->setText("Edited");
    window->mnuWindow_Click(4);
    box("txtServer_1")->setText("pop.edited");
    prompts.answers = {Answer::Yes};
    item("mnuProfileList_0")->trigger();
    EXPECT_EQ(get(mailKey(), "Sender Name"), Variant("Edited"));
    EXPECT_EQ(get(accountKey(), "Default POP3 Server"), Variant("pop.edited"));
    EXPECT_EQ(title(), QStringLiteral("Quorvel! - Home - Accounts - acct"));
}

TEST_F(Window, WindowMenuShowsOnePaneAtATime) {
    open();
    const char* panes[] = {"picMainMail", "picSigMail", "picOtherMail", "picServer",
                           "picMainNews", "picSigNews", "picOtherNews"};
    for (const int shown : {2, 4, 7, 1}) {
        item(QStringLiteral("mnuWindow_%1").arg(shown))->trigger();
        for (int pane = 1; pane <= 7; ++pane) {
            EXPECT_EQ(control(QLatin1String(panes[pane - 1]))->isVisible(), pane == shown);
            EXPECT_EQ(item(QStringLiteral("mnuWindow_%1").arg(pane))->isChecked(), pane == shown);
        }
        // The Accounts menu works only beside the Accounts pane, also through its shortcuts.
        EXPECT_EQ(item("mnuTop_1")->isEnabled(), shown == 4);
    }
    window->mnuWindow_Click(4);
    item("mnuAccountsList_1")->trigger();
    EXPECT_EQ(text("txtServer_1"), QStringLiteral("pop.other"));
    EXPECT_EQ(title(), QStringLiteral("Quorvel! - Work - Accounts - Other"));
    EXPECT_TRUE(item("mnuAccountsList_1")->isChecked());
}

TEST_F(Window, CommandsReachTheEditor) {
    makeSecure("Home", "secret");
    open();
    prompts.inputAnswers = {"Copy"};
    item("mnuProfiles_4")->trigger();
    EXPECT_EQ(item("mnuProfileList_2")->text(), QStringLiteral("Copy"));
    EXPECT_TRUE(item("mnuProfileList_2")->isChecked());
    window->mnuWindow_Click(4);
    prompts.inputAnswers = {"Third"};
    window->mnuAccounts_Click(0);
    EXPECT_EQ(item("mnuAccountsList_2")->text(), QStringLiteral("Third"));
    EXPECT_EQ(title(), QStringLiteral("Quorvel! - Copy - Accounts - Third"));

    item("mnuHosts_2")->trigger();
    EXPECT_TRUE(item("mnuHosts_2")->isChecked());
    prompts.inputAnswers = {"mine.txt"};
    item("mnuHosts_3")->trigger();
    EXPECT_EQ(item("mnuHosts_2")->text(), QStringLiteral("Use \"mine.txt\""));

    prompts.passwordAnswers = {"wrong"};
    item("mnuProfileList_0")->trigger();
    EXPECT_TRUE(item("mnuProfileList_2")->isChecked());
    prompts.passwordAnswers = {"secret"};
    item("mnuProfileList_0")->trigger();
    EXPECT_EQ(text("txtMail_1"), QStringLiteral("Home Sender"));
    EXPECT_TRUE(item("mnuProfileList_0")->isChecked());
    EXPECT_TRUE(item("mnuProfiles_0")->isChecked());
}

TEST_F(Window, SwitchingOffersTheEditsAndStartsTheClient) {
    open();
    box("txtMail_1")->setText("Pending");
    prompts.answers = {Answer::No};
    window->mnuSwitch_Click(2);
    EXPECT_EQ(prompts.texts().size(), 1u);
    EXPECT_EQ(get(std::string(settings::kImnKey) + "\\Mail", "Sender Name"),
              Variant("Work Sender"));
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_NE(processes.started[0].argument.find("Mail---Work"), std::string::npos);
    prompts.answers = {Answer::Yes};
    window->mnuSwitch_Click(0);
    EXPECT_EQ(appValue("Disable News"), "1");
    EXPECT_EQ(ended(), 1);
}

TEST_F(Window, HelpOpensTheDocumentBesideTheProgram) {
    open();
    const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
    reg().CreateKey(key, registry::Root::LocalMachine);
    reg().SetValue(key, "", Variant("/usr/bin/browser"), registry::REG_SZ,
                   registry::Root::LocalMachine);
    window->mnuHelp_Click(0);
    window->mnuHelp_Click(0);  // still open: brought to the front
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0].argument,
              QCoreApplication::applicationDirPath().toStdString() + "/inform.htm");
}

TEST_F(Window, AStoreThatCannotSaveLeavesTheWindowAsItWas) {
    FaultyHive faulty(sqlite);
    newProgram(faulty);
    program->context.CurrentProfile = "Work";
    open();
    faulty.failCommit = true;
    prompts.inputAnswers = {"Copy"};
    item("mnuProfiles_4")->trigger();
    EXPECT_NE(prompts.texts().back().find("Nothing has been changed."), std::string::npos);
    EXPECT_EQ(title(), QStringLiteral("Quorvel! - Work - Mail - Main"));
    EXPECT_EQ(window->findChild<QAction*>("mnuProfileList_2"), nullptr);
    window.reset();
}

TEST_F(Window, OpensWhereItWasLeftAndHideMeRemembersIt) {
    const double twips = 1440 / QApplication::primaryScreen()->logicalDotsPerInch();
    const auto stored = [twips](int pixels) { return std::to_string(std::lround(pixels * twips)); };
    for (const auto& [name, pixels] :
         {std::pair{"Left", 150}, {"Top", 75}, {"Width", 600}, {"Height", 450}}) {
        put(std::string(settings::kAppKey), name, Variant(stored(pixels)));
    }
    open();
    EXPECT_EQ(window->frameGeometry(), QRect(150, 75, 600, 450));
    window->setGeometry(40, 30, 700, 500);
    window->mnuWindow_Click(8);
    EXPECT_EQ(hidden, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(appValue("Width"), stored(window->frameGeometry().width()));
    EXPECT_EQ(appValue("Left"), stored(window->frameGeometry().x()));
    EXPECT_EQ(ended(), 0);  // the close box ends the program: the walks' part
}

TEST_F(Window, FocusFollowsTheLabelsPanesAndRefusedValues) {
    open();
    QApplication::setActiveWindow(window.get());  // focus moves only in the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(box("txtServer_4")->displayText(), QStringLiteral("***"));
    window->mnuWindow_Click(4);
    QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), control("txtListServer_3"));
    QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), control("txtListServer_4"));

    // Each pane hands the focus to its first row; the signature pane keeps it.
    const std::pair<int, const char*> firsts[] = {
        {3, "chkMail_1"}, {4, "txtServer_1"}, {5, "txtNews_1"}, {2, "picSigMail"}};
    const char* panes[] = {"", "", "picSigMail", "picOtherMail", "picServer", "picMainNews"};
    for (const auto& [pane, first] : firsts) {
        window->mnuWindow_Click(pane);
        control(QLatin1String(panes[pane]))->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(QApplication::focusWidget(), control(QLatin1String(first))) << pane;
    }

    // A refused value is reported once, put back, and keeps the focus.
    window->mnuWindow_Click(3);
    box("txtListMail_1")->setFocus(Qt::TabFocusReason);
    box("txtListMail_1")->selectAll();
    QTest::keyClicks(box("txtListMail_1"), QStringLiteral("0"));
    control("chkMail_1")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"This value must be between 1 and 120"});
    EXPECT_EQ(text("txtListMail_1"), QStringLiteral("1"));
    EXPECT_EQ(QApplication::focusWidget(), box("txtListMail_1"));
}

TEST_F(Window, WithNewsDisabledTheNewsPanesStayEmpty) {
    program->store.NewsDisabled = true;
    open();
    EXPECT_EQ(window->findChild<QWidget*>("txtNews_1"), nullptr);
    for (const char* name : {"mnuWindow_5", "mnuWindow_7", "mnuSwitch_3"}) {
        EXPECT_FALSE(item(QLatin1String(name))->isEnabled()) << name;
    }
}

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
        put(mailKey(), "Connection Type", Variant(1), registry::REG_DWORD);
        put(mailKey(), "RAS Phonebook Entry", Variant("Gone"));
        open();
    }
    void choose(QListWidget& list, int row) {
        list.setCurrentRow(row);
        emit list.itemClicked(list.item(row));
    }
};

TEST_F(Dialogs, ConnectionIsShownAsStoredAndWrittenOnlyByOk) {
    enum class Close { Ok, Cancel, Frame };
    const std::pair<Close, const char*> cases[] = {{Close::Cancel, "I connect manually"},
                                                   {Close::Frame, "I connect manually"},
                                                   {Close::Ok, "I use \"Office\""}};
    for (const auto& [close, caption] : cases) {
        ui::frmConnection dialog(*program, *window);
        dialog.Form_Load();
        EXPECT_TRUE(dialog.optCon[1]->isChecked());
        EXPECT_FALSE(dialog.cboDUN->isEnabled());
        EXPECT_EQ(dialog.cboDUN->currentText(), QStringLiteral("Gone"));
        dialog.show();
        dialog.optCon[2]->click();
        EXPECT_TRUE(dialog.cboDUN->isEnabled());
        dialog.cboDUN->setCurrentIndex(1);
        if (close == Close::Ok) {
            dialog.btnOK->click();
        } else if (close == Close::Cancel) {
            dialog.btnCancel->click();
        } else {
            dialog.close();
        }
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(item("mnuCon_0")->text(), QLatin1String(caption));
    }
    EXPECT_EQ(get(mailKey(), "RAS Phonebook Entry"), Variant("Office"));
    EXPECT_FALSE(program->editor.profileChanged);
    WhileModal([this] { window->mnuCon_Click(1); },
               [](QDialog& dialog) {
                   EXPECT_EQ(dialog.objectName(), QStringLiteral("frmConnection"));
                   dialog.reject();
               });
}

TEST_F(Dialogs, ProfileDeletion) {
    addProfile("Spare");
    open();
    WhileModal([this] { window->mnuProfiles_Click(5); },
               [this](QDialog& dialog) {
                   EXPECT_EQ(&dialog, holder.get());
                   holder->btnDone->click();  // without a deletion it only hides
               });
    EXPECT_EQ(title(), QStringLiteral("Quorvel! - Work - Mail - Main"));
    choose(*holder->lst, 2);
    prompts.answers = {Answer::Yes};
    holder->btnDelete->click();
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Remove Spare from the your profiles?"});
    EXPECT_EQ(holder->lst->count(), 2);
    EXPECT_EQ(appValue("Profile List"), "Home;Work;Spare;|");  // written by Done
    holder->show();
    holder->close();  // the frame closes it as Done does
    EXPECT_EQ(appValue("Profile List"), "Home;Work;|");
    EXPECT_EQ(title(), QStringLiteral("Quorvel! - Blank Profile - Mail - Main"));
    EXPECT_EQ(window->findChild<QAction*>("mnuProfileList_2"), nullptr);
}

TEST_F(Dialogs, AccountProfiles) {
    auto& dialog = *control<ui::frmAccounts>("frmAccounts");
    window->mnuWindow_Click(4);
    // A new default is written at once; Done without a deletion only names it in the menu.
    WhileModal([this] { window->mnuAccounts_Click(9); },
               [&](QDialog& shown) {
                   EXPECT_EQ(&shown, &dialog);
                   EXPECT_EQ(dialog.lbl->text(), QStringLiteral("Account Profiles for \"Work\""));
                   choose(*dialog.lst, 1);
                   dialog.btnDefault->click();
                   dialog.btnDone->click();
               });
    EXPECT_EQ(get(mailKey(), "Default Account Profile"), Variant("Work"));
    EXPECT_EQ(item("mnuAccounts_7")->text(),
              QStringLiteral("Use only default Account Profile (Work)"));
    prompts.answers = {Answer::Yes, Answer::Yes};
    for (const int row : {1, 1}) {  // Work, the default, then Spare
        choose(*dialog.lst, row);
        dialog.btnDelete->click();
    }
    EXPECT_EQ(dialog.lblDefault->text(), QStringLiteral("Default Account Profile is \"Home\""));
    dialog.show();
    dialog.close();  // the frame closes it as Done does
    EXPECT_EQ(get(mailKey(), "Account Profile List"), Variant("Home;|"));
    EXPECT_EQ(title(), QStringLiteral("Quorvel! - Work - Accounts - Home"));
    EXPECT_EQ(text("txtServer_1"), QStringLiteral("pop.Home"));
    EXPECT_FALSE(item("mnuAccounts_1")->isEnabled());
}

// Shows the password dialog modally, types `text`, then presses `key`; returns its answer.
std::string Password(const QString& text, Qt::Key key) {
    ui::frmInput dialog;
    QTimer::singleShot(0, &dialog, [&] {
        auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("Text1"));
        EXPECT_EQ(box->echoMode(), QLineEdit::Password);
        QTest::keyClicks(box, text);
        if (key == Qt::Key_Cancel) {
            dialog.findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
        } else {
            QTest::keyClick(box, key);
        }
    });
    dialog.exec();
    return dialog.EnteredPassword();
}

TEST(PasswordDialog, EnterIsOkEscAndCancelGiveNothingAndNothingIsTrimmed) {
    EXPECT_EQ(Password(QStringLiteral(" Secret "), Qt::Key_Return), " Secret ");
    EXPECT_EQ(Password(QStringLiteral("Secret"), Qt::Key_Escape), "");
    EXPECT_EQ(Password(QStringLiteral("Secret"), Qt::Key_Cancel), "");
    EXPECT_EQ(ui::ShownText("a\rb\r\nc"), QStringLiteral("a\nb\nc"));
}

TEST_F(SettingsWindow, TrayMenuSwitchesQuitsAndFollowsTheList) {
    FakeProfileList list;
    list.names = {"Home", "Work"};
    ui::frmTray tray(*program, list, [] {});
    tray.Form_Load();
    const auto entry = [&tray](const char* name) {
        return tray.menu()->findChild<QAction*>(QLatin1String(name));
    };
    EXPECT_EQ(entry("mnuProfiles_1")->text(), QStringLiteral("Work"));
    EXPECT_TRUE(entry("mnuProfiles_1")->isChecked());
    tray.logic().ClientMode = 1;
    entry("mnuProfiles_0")->trigger();
    EXPECT_EQ(program->context.CurrentProfile, "Home");
    EXPECT_TRUE(entry("mnuProfiles_0")->isChecked());
    EXPECT_FALSE(entry("mnuProfiles_1")->isChecked());
    EXPECT_EQ(processes.started.size(), 1u);
    list.names = {"Solo"};
    tray.SetMenu();
    EXPECT_EQ(entry("mnuProfiles_1"), nullptr);
    EXPECT_EQ(entry("mnuProfiles_0")->text(), QStringLiteral("Solo"));
    entry("mnuMain_1")->trigger();
    EXPECT_EQ(ended(), 1);
}

}  // namespace
}  // namespace quorvel::testing
