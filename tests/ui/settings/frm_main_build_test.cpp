// The settings window as it is built: captions, menu bar, special boxes and layout.
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "ui/settings/settings_window_fixture.h"

namespace quorvel::testing {
namespace {

TEST_F(SettingsWindow, EveryRowCarriesItsCaption) {
    open();
    const std::pair<const char*, const char*> captions[] = {
        {"lblMail_1", "&1 Sender Name"},
        {"lblMail_2", "&2 E-Mail Address"},
        {"lblMail_3", "&3 \"Reply to\" address"},
        {"lblMail_4", "&4 Organization"},
        {"lblMail_5", "&5 Mail/News Location"},
        {"lblMail_6", "&6 Starting Folder"},
        {"lblMail_7", "&7 Address Book"},
        {"optSigMail_0", "N&o Signature"},
        {"optSigMail_1", "&Text"},
        {"optSigMail_2", "&File"},
        {"chkSigMail_0", "Add signat&ure to the end of all outgoing messages"},
        {"chkSigMail_1", "Don't add to rep&lies and forwards"},
        {"chkMail_1", "&Use HTML when sending mail"},
        {"chkMail_2", "S&tart Internet Mail Maximized"},
        {"chkMail_3", "Play s&ound for new messages"},
        {"chkMail_4", "Empty \"Deleted Items\" folder on e&xit"},
        {"chkMail_5", "In&clude original message in replies"},
        {"chkMail_6", "Send Mail Immediatel&y"},
        {"chkListMail_1", "&Check for messages every ___(Minutes)"},
        {"chkListMail_2", "&Use this character to indent replies with"},
        {"chkListMail_3", "Mar&k messages as read after previewing for ___(seconds)"},
        {"lblServer_1", "&1 POP3 Server"},
        {"lblServer_2", "&2 IP Address"},
        {"lblServer_3", "&3 Account"},
        {"lblServer_4", "&4 Password"},
        {"lblServer_5", "&5 SMTP Server"},
        {"chkServer_1", "Leave copy o&f message on server"},
        {"chkServer_2", "Remo&ve from server when deleted from \"Deleted Items\""},
        {"chkServer_3", "Use secure passw&ord authentication"},
        {"chkListServer_1", "Don 't download messa&ges over ___(KB)"},
        {"chkListServer_2", "Remove &mail from server after ___(days)"},
        {"lblListServer_0", "Server &timeout (seconds)"},
        {"lblListServer_1", "&Receive Port #"},
        {"lblNews_1", "&1 Sender Name"},
        {"lblNews_2", "&2 E-Mail Address"},
        {"lblNews_3", "&3 \"Reply to\" address"},
        {"lblNews_4", "&4 Organization"},
        {"lblNews_5", "&5 Starting News Server"},
        {"lblNews_6", "&6 Starting News Group"},
        {"optSigNews_0", "N&o Signature"},
        {"optSigNews_1", "&Text"},
        {"optSigNews_2", "&File"},
        {"chkSigNews_0", "Add signat&ure to the end of all outgoing messages"},
        {"chkSigNews_1", "Don't add to rep&lies and forwards"},
        {"chkNews_1", "Aut&o expand conversation threads"},
        {"chkNews_2", "Mark all messages as read when e&xiting a Newsgroup"},
        {"chkNews_3", "Start Internet News Maximi&zed"},
        {"chkNews_4", "&Use HTML in messages"},
        {"chkNews_5", "N&otify me if there are any new Newsgroups"},
        {"chkNews_6", "Save copy o&f posted messages"},
        {"chkNews_7", "In&clude original message in replies"},
        {"chkNews_8", "Don't &keep read messages"},
        {"chkListNews_1", "&Check for messages every ___(Minutes)"},
        {"chkListNews_2", "&Use this character to indent replies with"},
        {"chkListNews_3", "Mar&k messages as read after previewing for ___(seconds)"},
        {"chkListNews_4", "&Only download ___ headers at one time"},
        {"chkListNews_5", "Dele&te mesages ___ days after downloading"},
    };
    for (const auto& [name, text] : captions) {
        EXPECT_EQ(caption(QLatin1String(name)), QString::fromUtf8(text)) << name;
    }
    EXPECT_EQ(ui::frmMain::getCaption(1, 17), "");
    EXPECT_EQ(ui::frmMain::getCaption(2, 7), "");
    EXPECT_EQ(ui::frmMain::getCaption(1, 99), "");
    EXPECT_EQ(ui::frmMain::ServerCaption(39), "");
}

TEST_F(SettingsWindow, MenuBarStartsAsDesigned) {
    holder = std::make_unique<ui::frmProfiles>(*program, [this] { return window.get(); });
    window = std::make_unique<ui::frmMain>(*program, *holder, ui::frmMain::Actions{});
    struct Row {
        const char* name;
        const char* caption;  // "-" for a separator
        const char* keys;
        bool checked;
    };
    const Row rows[] = {
        {"mnuTop_0", "&Profiles", "", false},
        {"mnuProfiles_0", "Security ON", "", false},
        {"mnuProfiles_1", "Security OFF", "", false},
        {"mnuProfiles_2", "Change Profile Password", "Ctrl+C", false},
        {"mnuProfiles_3", "-", "", false},
        {"mnuProfiles_4", "Save settings as...", "Ctrl+A", false},
        {"mnuProfiles_5", "Delete Profile...", "Ctrl+D", false},
        {"mnuProfiles_6", "Save Changes", "Ctrl+S", false},
        {"mnuProfiles_7", "-", "", false},
        {"mnuProfileList_0", "Profile 1", "", false},
        {"mnuTop_1", "&Accounts", "", false},
        {"mnuAccounts_0", "Save settings as...", "Ctrl+G", false},
        {"mnuAccounts_1", "Delete Account Profile...", "Ctrl+H", false},
        {"mnuAccounts_2", "Save changes", "Ctrl+I", false},
        {"mnuAccounts_3", "-", "", false},
        {"mnuAccounts_4", "Connection Options", "", false},
        {"mnuCon_0", "I connect manually", "", false},
        {"mnuCon_1", "Change..", "Ctrl+J", false},
        {"mnuAccounts_5", "-", "", false},
        {"mnuAccounts_6", "Hosts file", "", false},
        {"mnuHosts_0", "Automatically edit Hosts file", "", true},
        {"mnuHosts_1", "-", "", false},
        {"mnuHosts_2", "Use \"profilename.txt\"", "", false},
        {"mnuHosts_3", "Change..", "Ctrl+K", false},
        {"mnuAccounts_7", "Use only default Account Profile (account.net)", "", true},
        {"mnuAccounts_8", "Use all Account Profiles listed below", "", false},
        {"mnuAccounts_9", "Change default Account Profile...", "Ctrl+F", false},
        {"mnuAccounts_10", "-", "", false},
        {"mnuAccountsList_0", "Account Profile 1", "", false},
        {"mnuTop_2", "&Window", "", false},
        {"mnuWindow_1", "Mail - Main Settings", "F1", false},
        {"mnuWindow_2", "Mail - Signature Settings", "F2", false},
        {"mnuWindow_3", "Mail - Other Settings", "F3", false},
        {"mnuWindow_4", "Mail - Account Settings", "F4", false},
        {"mnuWindow_5", "News - Main Settings", "F5", false},
        {"mnuWindow_6", "News - Signature Settings", "F6", false},
        {"mnuWindow_7", "News - Other Settings", "F7", false},
        {"mnuWindow_8", "Hide Me", "F12", false},
        {"mnuTop_3", "&Switch..", "", false},
        {"mnuSwitch_0", "Disable Internet News settings", "Ctrl+Shift+F1", false},
        {"mnuSwitch_1", "-", "", false},
        {"mnuSwitch_2", "Mail", "Ctrl+M", false},
        {"mnuSwitch_3", "News", "Ctrl+N", false},
        {"mnuTop_4", "He&lp", "", false},
        {"mnuHelp_0", "Contents", "Ctrl+F1", false},
        {"mnuHelp_1", "About Quorvel!", "Ctrl+F2", false},
    };
    for (const Row& row : rows) {
        const QAction* action = item(QLatin1String(row.name));
        ASSERT_NE(action, nullptr) << row.name;
        if (std::string_view(row.caption) == "-") {
            EXPECT_TRUE(action->isSeparator()) << row.name;
        } else {
            EXPECT_EQ(action->text(), QString::fromUtf8(row.caption)) << row.name;
        }
        EXPECT_EQ(action->shortcut().toString(), QLatin1String(row.keys)) << row.name;
        EXPECT_EQ(action->isChecked(), row.checked) << row.name;
        EXPECT_TRUE(action->isEnabled()) << row.name;
    }
}

TEST_F(SettingsWindow, AccountBoxesMaskAndLimitTheirText) {
    open();
    activate();
    control<QLineEdit>("txtServer_4")->setText("abcd");
    EXPECT_EQ(control<QLineEdit>("txtServer_4")->displayText(), QStringLiteral("****"));
    const std::pair<const char*, int> limits[] = {{"txtListServer_1", 4},
                                                  {"txtListServer_2", 3},
                                                  {"txtListServer_3", 3},
                                                  {"txtListServer_4", 3}};
    for (const auto& [name, limit] : limits) {
        EXPECT_EQ(control<QLineEdit>(QLatin1String(name))->maxLength(), limit) << name;
    }

    // The access keys of the two labels lead into the timeout and port boxes.
    window->mnuWindow_Click(4);
    QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), control("txtListServer_3"));
    QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), control("txtListServer_4"));
}

TEST_F(SettingsWindow, WithNewsDisabledTheNewsPanesStayEmpty) {
    program->store.NewsDisabled = true;
    open();
    for (const char* name : {"lblNews_1", "txtNews_1", "chkNews_1", "chkListNews_1"}) {
        EXPECT_EQ(window->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    }
    for (const char* name : {"mnuWindow_5", "mnuWindow_6", "mnuWindow_7", "mnuSwitch_3"}) {
        EXPECT_FALSE(item(QLatin1String(name))->isEnabled()) << name;
    }
    EXPECT_TRUE(item("mnuSwitch_0")->isChecked());
    EXPECT_EQ(text("txtMail_1"), QStringLiteral("Work Sender"));
    EXPECT_TRUE(control("txtServer_1")->isVisibleTo(window->picServer));
}

// Geometry in pixels, compared to a pixel: the layout rounds each measure once.
constexpr int kSlack = 1;

TEST_F(SettingsWindow, WiderWindowWidensTheTextBoxesOnly) {
    open();
    const double h = window->unitH();
    const double w = window->unitW();
    for (const int width : {700, 1000}) {
        window->resize(width, 500);
        const int pane = window->picMainMail->width();
        for (const char* row : {"Mail_1", "Mail_7", "Server_1", "Server_5", "News_1", "News_6"}) {
            const QRect box = control(QStringLiteral("txt%1").arg(QLatin1String(row)))->geometry();
            const QRect label =
                control(QStringLiteral("lbl%1").arg(QLatin1String(row)))->geometry();
            EXPECT_NEAR(box.x() + box.width(), pane - 2 * h, kSlack) << row << " at " << width;
            EXPECT_NEAR(label.width(), 1.3 * w, kSlack) << row << " at " << width;
            EXPECT_NEAR(box.x(), label.x() + label.width(), kSlack) << row << " at " << width;
        }
        EXPECT_NEAR(pane, window->frameGeometry().width() - h / 2, kSlack);
    }
}

TEST_F(SettingsWindow, NewsRowsContinueTheirColumns) {
    open();
    const double h = window->unitH();
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(control(QStringLiteral("txtNews_%1").arg(i))->geometry(),
                  control(QStringLiteral("txtMail_%1").arg(i))->geometry());
        EXPECT_EQ(control(QStringLiteral("chkNews_%1").arg(i))->geometry(),
                  control(QStringLiteral("chkMail_%1").arg(i))->geometry());
    }
    const auto top = [this](const QString& name) { return control(name)->geometry().y(); };
    for (int i = 7; i <= 8; ++i) {
        EXPECT_NEAR(
            top(QStringLiteral("chkNews_%1").arg(i)) - top(QStringLiteral("chkNews_%1").arg(i - 1)),
            1.3 * h, kSlack);
    }
    // The option rows begin below the last check box and keep the mail rows' spacing.
    EXPECT_NEAR(top("chkListNews_1") - top("chkNews_8"), 1.5 * h, kSlack);
    for (int i = 2; i <= 5; ++i) {
        EXPECT_NEAR(top(QStringLiteral("chkListNews_%1").arg(i)) -
                        top(QStringLiteral("chkListNews_%1").arg(i - 1)),
                    top("chkListMail_2") - top("chkListMail_1"), kSlack);
    }
    const QRect check = control("chkListNews_5")->geometry();
    EXPECT_EQ(control("txtListNews_5")->geometry().x(), check.x() + check.width());
    // Pane 4's last line: label, timeout box, label, port box, left to right without overlap.
    const char* line[] = {"lblListServer_0", "txtListServer_3", "lblListServer_1",
                          "txtListServer_4"};
    for (int i = 1; i < 4; ++i) {
        EXPECT_GT(control(QLatin1String(line[i]))->geometry().left(),
                  control(QLatin1String(line[i - 1]))->geometry().right())
            << line[i];
    }
}

TEST_F(SettingsWindow, TooSmallAWindowKeepsTheLastLayout) {
    open();
    window->resize(800, 500);
    const QRect box = control("txtMail_1")->geometry();
    const QRect pane = window->picMainMail->geometry();
    window->resize(120, static_cast<int>(window->unitH()));
    EXPECT_EQ(control("txtMail_1")->geometry(), box);
    EXPECT_EQ(window->picMainMail->geometry(), pane);
    window->showMinimized();
    window->resize(900, 600);
    EXPECT_EQ(control("txtMail_1")->geometry(), box);
}

}  // namespace
}  // namespace quorvel::testing
