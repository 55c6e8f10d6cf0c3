// The settings window's wiring and layout: each kind of control reaches its value and back, the
// menus reach the profile editor, and the rows keep their places. The rules behind them are
// tested on the profile editor and the conversions.
#include <QCoreApplication>
#include <QRadioButton>
#include <QScreen>

#include "app/help.h"
#include "ui/settings/settings_window_fixture.h"

namespace quorvel::testing {
namespace {

using profiles::Answer;
using registry::REG_BINARY;
using registry::REG_DWORD;

class Window : public SettingsWindow {
  protected:
    void SetUp() override {
        SettingsWindow::SetUp();
        put(mailKey(), "Account Profile List", Variant("acct;Other;|"));
        put(accountKey("Other"), "Default POP3 Server", Variant("pop.other"));
        put(accountKey(), "Password", Variant(program->base64.Base64Encode("abc")), REG_BINARY);
        put(mailKey(), "Poll For Mail", Variant(90000), REG_DWORD);
        put(mailKey(), "Signature Type", Variant(196610), REG_DWORD);
        put(newsKey(), "NewsShowReadArticles", Variant(1), REG_DWORD);
        put(accountKey(), "LeaveMailOnServer", Variant(1), REG_DWORD);
        put(mailKey(), "RAS Phonebook Entry", Variant("Office"));
        put(mailKey(), "Connection Type", Variant(2), REG_DWORD);
        put(std::string(settings::kImnKey), "Current Profile", Variant("Work"));
    }
};

TEST_F(Window, EveryKindOfControlShowsItsSetting) {
    open();
    EXPECT_EQ(text("txtMail_1"), QStringLiteral("Work Sender"));
    EXPECT_EQ(text("txtNews_5"), QStringLiteral("news.Work"));
    EXPECT_EQ(text("txtListMail_1"), QStringLiteral("1"));
    EXPECT_TRUE(checked("chkListMail_1"));
    EXPECT_FALSE(checked("chkListNews_1"));
    EXPECT_TRUE(checked("chkMail_2"));  // "Maximize Mail Window" 1
    EXPECT_TRUE(checked("chkNews_8"));
    EXPECT_TRUE(checked("optSigMail_2"));
    EXPECT_TRUE(checked("chkSigMail_0"));
    EXPECT_FALSE(checked("chkSigMail_1"));
    EXPECT_EQ(text("txtServer_1"), QStringLiteral("pop.Work"));
    EXPECT_EQ(text("txtServer_4"), QStringLiteral("abc"));
    EXPECT_TRUE(checked("chkServer_1"));
    EXPECT_EQ(text("txtListServer_4"), QStringLiteral("110"));

    EXPECT_EQ(item("mnuHosts_2")->text(), QStringLiteral("Use \"Work.txt\""));
    EXPECT_TRUE(item("mnuHosts_0")->isChecked());
    EXPECT_EQ(item("mnuCon_0")->text(), QStringLiteral("I use \"Office\""));
    EXPECT_TRUE(item("mnuProfiles_1")->isChecked());
    EXPECT_EQ(item("mnuAccounts_7")->text(),
              QStringLiteral("Use only default Account Profile (acct)"));
    EXPECT_TRUE(item("mnuAccounts_1")->isEnabled());  // two account profiles
    EXPECT_EQ(item("mnuAccountsList_1")->text(), QStringLiteral("Other"));
    EXPECT_TRUE(item("mnuProfileList_1")->isChecked());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel! - Work - Mail - Main"));
    // Filling the controls is no edit.
    EXPECT_FALSE(program->editor.profileChanged);
    EXPECT_FALSE(program->editor.accountChanged);
}

TEST_F(Window, SaveChangesStoresEveryKindOfControl) {
    open();
    box("txtMail_1")->setText("Ann Other");
    box("txtListMail_1")->setText("10");
    check("chkListNews_2", false);
    check("optSigMail_2");
    check("chkSigMail_1");
    window->mnuAccounts_Click(8);
    EXPECT_TRUE(program->editor.profileChanged);
    item("mnuProfiles_6")->trigger();
    EXPECT_EQ(get(mailKey(), "Sender Name"), Variant("Ann Other"));
    EXPECT_EQ(get(mailKey(), "Poll For Mail"), Variant(600000));
    EXPECT_EQ(get(mailKey(), "Signature Type"), Variant(65538));
    EXPECT_EQ(get(mailKey(), "PollMultiplePopServers"), Variant(1));
    EXPECT_EQ(get(newsKey(), "Indent Char"), Variant(0));
    EXPECT_FALSE(program->editor.profileChanged);

    window->mnuWindow_Click(4);
    box("txtServer_4")->setText("s3cret");
    box("txtListServer_4")->setText("");
    check("chkServer_1", false);
    EXPECT_TRUE(program->editor.accountChanged);
    item("mnuAccounts_2")->trigger();
    EXPECT_EQ(get(accountKey(), "LeaveMailOnServer"), Variant(0));
    EXPECT_EQ(get(accountKey(), "Port"), Variant(110));
    program->context.AccountProfile = "acct";
    window->getAccount();
    EXPECT_EQ(text("txtServer_4"), QStringLiteral("s3cret"));
}

TEST_F(Window, PendingEditsAreOfferedBeforeAnotherProfileShows) {
    open();
    box("txtMail_1")->setText("Edited");
    window->mnuWindow_Click(4);
    box("txtServer_1")->setText("pop.edited");
    prompts.answers = {Answer::Yes};
    item("mnuProfileList_0")->trigger();
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Settings for Profile \"Work\" have been changed, do you "
                                       "want to save these changes?"});
    EXPECT_EQ(get(mailKey(), "Sender Name"), Variant("Edited"));
    EXPECT_EQ(get(accountKey(), "Default POP3 Server"), Variant("pop.edited"));
    EXPECT_EQ(text("txtMail_1"), QStringLiteral("Home Sender"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel! - Home - Accounts - acct"));
}

TEST_F(Window, WindowMenuShowsOnePaneAtATime) {
    open();
    const char* panes[] = {nullptr,     "picMainMail", "picSigMail", "picOtherMail",
                           "picServer", "picMainNews", "picSigNews", "picOtherNews"};
    const char* captions[] = {nullptr,
                              "Quorvel! - Work - Mail - Main",
                              "Quorvel! - Work - Mail - Signature",
                              "Quorvel! - Work - Mail - Other",
                              "Quorvel! - Work - Accounts - acct",
                              "Quorvel! - Work - News - Main",
                              "Quorvel! - Work - News - Signature",
                              "Quorvel! - Work - News - Other"};
    for (const int shown : {2, 4, 7, 1}) {
        item(QStringLiteral("mnuWindow_%1").arg(shown))->trigger();
        EXPECT_EQ(window->windowTitle(), QLatin1String(captions[shown]));
        for (int pane = 1; pane <= 7; ++pane) {
            EXPECT_EQ(control(QLatin1String(panes[pane]))->isVisible(), pane == shown) << pane;
            EXPECT_EQ(item(QStringLiteral("mnuWindow_%1").arg(pane))->isChecked(), pane == shown);
        }
        // The Accounts menu works only beside the Accounts pane, also through its shortcuts.
        EXPECT_EQ(item("mnuTop_1")->isEnabled(), shown == 4);
    }
    item("mnuAccountsList_1")->trigger();  // away from the Accounts pane: nothing
    EXPECT_EQ(program->context.AccountProfile, "acct");
    window->mnuWindow_Click(4);
    item("mnuAccountsList_1")->trigger();
    EXPECT_EQ(text("txtServer_1"), QStringLiteral("pop.other"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel! - Work - Accounts - Other"));
    EXPECT_TRUE(item("mnuAccountsList_1")->isChecked());
}

TEST_F(Window, AProtectedProfileShowsOnlyWithItsPassword) {
    makeSecure("Home", "secret");
    open();
    prompts.passwordAnswers = {"wrong"};
    item("mnuProfileList_0")->trigger();
    EXPECT_EQ(text("txtMail_1"), QStringLiteral("Work Sender"));
    EXPECT_TRUE(item("mnuProfileList_1")->isChecked());
    prompts.passwordAnswers = {"secret"};
    item("mnuProfileList_0")->trigger();
    EXPECT_EQ(text("txtMail_1"), QStringLiteral("Home Sender"));
    EXPECT_TRUE(item("mnuProfileList_0")->isChecked());
    EXPECT_TRUE(item("mnuProfiles_0")->isChecked());

    // Not yet opened in a run, it shows as a blank window.
    const int asked = prompts.passwordDialogs;
    window.reset();
    newProgram(hive);
    put(std::string(settings::kImnKey), "Current Profile", Variant("Home"));
    program->context.CurrentProfile = "Home";
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel! - Blank Profile - Mail - Main"));
    EXPECT_TRUE(text("txtMail_1").isEmpty());
    EXPECT_EQ(prompts.passwordDialogs, asked);
}

TEST_F(Window, CommandsReachTheEditor) {
    open();
    prompts.inputAnswers = {"Copy"};
    item("mnuProfiles_4")->trigger();
    EXPECT_EQ(item("mnuProfileList_2")->text(), QStringLiteral("Copy"));
    EXPECT_TRUE(item("mnuProfileList_2")->isChecked());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel! - Copy - Mail - Main"));

    window->mnuWindow_Click(4);
    prompts.inputAnswers = {"Third"};
    window->mnuAccounts_Click(0);
    EXPECT_EQ(item("mnuAccountsList_2")->text(), QStringLiteral("Third"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel! - Copy - Accounts - Third"));

    prompts.inputAnswers = {"pw1"};
    item("mnuProfiles_0")->trigger();
    EXPECT_TRUE(item("mnuProfiles_0")->isChecked());
    EXPECT_FALSE(item("mnuProfiles_1")->isChecked());

    item("mnuHosts_2")->trigger();
    EXPECT_TRUE(item("mnuHosts_2")->isChecked());
    EXPECT_TRUE(item("mnuHosts_3")->isEnabled());
    prompts.inputAnswers = {"mine.txt"};
    item("mnuHosts_3")->trigger();
    EXPECT_EQ(item("mnuHosts_2")->text(), QStringLiteral("Use \"mine.txt\""));
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
    EXPECT_EQ(get(std::string(settings::kAppKey), "Disable News"), Variant(1));
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
    EXPECT_EQ(get(std::string(settings::kAppKey), "IE Path"), Variant("/usr/bin/browser"));
    window->mnuHelp_Click(1);
    EXPECT_EQ(prompts.texts().back(), app::AboutText(program->AppVersion));
}

TEST_F(Window, AStoreThatCannotSaveLeavesTheWindowAsItWas) {
    useFaultyStore();
    open();
    faulty->failCommit = true;
    prompts.inputAnswers = {"Copy"};
    item("mnuProfiles_4")->trigger();
    EXPECT_EQ(prompts.texts().back(),
              "Quorvel could not save the profile \"Copy\": the registry store could not save "
              "the change. Nothing has been changed.");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel! - Work - Mail - Main"));
    EXPECT_EQ(window->findChild<QAction*>("mnuProfileList_2"), nullptr);
}

// Frame measures in twips, as stored.
QRect StoredRect(const QRect& pixels, double dpi) {
    const auto twips = [dpi](int p) { return static_cast<int>(std::lround(p * 1440 / dpi)); };
    return {twips(pixels.x()), twips(pixels.y()), twips(pixels.width()), twips(pixels.height())};
}

TEST_F(Window, OpensWhereItWasLeftHideMeRemembersItAndTheCloseBoxEnds) {
    const double dpi = QApplication::primaryScreen()->logicalDotsPerInch();
    const QRect stored(150, 75, 600, 450);  // pixels
    const QRect twips = StoredRect(stored, dpi);
    put(std::string(settings::kAppKey), "Width", Variant(std::to_string(twips.width())));
    put(std::string(settings::kAppKey), "Height", Variant(std::to_string(twips.height())));
    put(std::string(settings::kAppKey), "Top", Variant(std::to_string(twips.y())));
    put(std::string(settings::kAppKey), "Left", Variant(std::to_string(twips.x())));
    open();
    EXPECT_EQ(window->frameGeometry(), stored);

    window->move(40, 30);
    window->resize(700, 500);
    window->mnuWindow_Click(8);
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(ended(), 0);
    EXPECT_FALSE(window->isVisible());
    const QRect saved = StoredRect(window->frameGeometry(), dpi);
    EXPECT_EQ(get(std::string(settings::kAppKey), "Width"), Variant(std::to_string(saved.width())));
    EXPECT_EQ(get(std::string(settings::kAppKey), "Left"), Variant(std::to_string(saved.x())));

    open();
    window->close();
    EXPECT_EQ(ended(), 1);
    EXPECT_EQ(hidden, 1);
}

// Geometry in pixels, compared to a pixel: the layout rounds each measure once.
constexpr int kSlack = 1;

TEST_F(Window, AWiderWindowWidensTheTextBoxesOnlyAndATooSmallOneKeepsTheLayout) {
    open();
    const double h = window->unitH();
    const double w = window->unitW();
    for (const int width : {700, 1000}) {
        window->resize(width, 500);
        const int pane = control("picMainMail")->width();
        for (const char* row : {"Mail_1", "Server_5", "News_6"}) {
            const QRect box = control(QStringLiteral("txt%1").arg(QLatin1String(row)))->geometry();
            const QRect label =
                control(QStringLiteral("lbl%1").arg(QLatin1String(row)))->geometry();
            EXPECT_NEAR(box.x() + box.width(), pane - 2 * h, kSlack) << row << " at " << width;
            EXPECT_NEAR(label.width(), 1.3 * w, kSlack) << row << " at " << width;
            EXPECT_NEAR(box.x(), label.x() + label.width(), kSlack) << row << " at " << width;
        }
    }
    const QRect box = control("txtMail_1")->geometry();
    window->resize(120, static_cast<int>(h));
    EXPECT_EQ(control("txtMail_1")->geometry(), box);
    window->showMinimized();
    window->resize(900, 600);
    EXPECT_EQ(control("txtMail_1")->geometry(), box);
}

TEST_F(Window, ThePasswordIsMaskedAndTheLabelsLeadIntoTheirBoxes) {
    open();
    activate();
    EXPECT_EQ(box("txtServer_4")->displayText(), QStringLiteral("***"));
    window->mnuWindow_Click(4);
    QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), control("txtListServer_3"));
    QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), control("txtListServer_4"));
}

TEST_F(Window, WithNewsDisabledTheNewsPanesStayEmpty) {
    program->store.NewsDisabled = true;
    open();
    EXPECT_EQ(window->findChild<QWidget*>("txtNews_1"), nullptr);
    for (const char* name : {"mnuWindow_5", "mnuWindow_7", "mnuSwitch_3"}) {
        EXPECT_FALSE(item(QLatin1String(name))->isEnabled()) << name;
    }
    EXPECT_TRUE(item("mnuSwitch_0")->isChecked());
    item("mnuProfiles_6")->trigger();  // saves without news
    EXPECT_EQ(get(mailKey(), "Sender Name"), Variant("Work Sender"));
}

}  // namespace
}  // namespace quorvel::testing
