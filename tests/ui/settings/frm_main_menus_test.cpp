// The settings window's viewing commands, its placement, and how it closes.
#include <QListWidget>
#include <QScreen>

#include "ui/settings/settings_window_fixture.h"

namespace quorvel::testing {
namespace {

TEST_F(SettingsWindow, WindowMenuShowsOnePaneAtATime) {
    open();
    struct Case {
        int item;
        QWidget* ui::frmMain::*pane;
        const char* caption;
    };
    const Case cases[] = {
        {2, &ui::frmMain::picSigMail, "Quorvel! - Work - Mail - Signature"},
        {3, &ui::frmMain::picOtherMail, "Quorvel! - Work - Mail - Other"},
        {4, &ui::frmMain::picServer, "Quorvel! - Work - Accounts - acct"},
        {4, &ui::frmMain::picServer, "Quorvel! - Work - Accounts - acct"},
        {5, &ui::frmMain::picMainNews, "Quorvel! - Work - News - Main"},
        {6, &ui::frmMain::picSigNews, "Quorvel! - Work - News - Signature"},
        {7, &ui::frmMain::picOtherNews, "Quorvel! - Work - News - Other"},
        {1, &ui::frmMain::picMainMail, "Quorvel! - Work - Mail - Main"},
    };
    for (const Case& c : cases) {
        item(QStringLiteral("mnuWindow_%1").arg(c.item))->trigger();
        EXPECT_EQ(window->currentPane, c.item);
        EXPECT_EQ(window->windowTitle(), QLatin1String(c.caption));
        for (int pane = 1; pane <= 7; ++pane) {
            EXPECT_EQ(window->panes[static_cast<std::size_t>(pane)]->isVisible(), pane == c.item)
                << c.item << " " << pane;
            EXPECT_EQ(item(QStringLiteral("mnuWindow_%1").arg(pane))->isChecked(), pane == c.item)
                << c.item << " " << pane;
        }
        // The Accounts menu works only beside the Accounts pane, also through its shortcuts.
        EXPECT_EQ(item("mnuTop_1")->isEnabled(), c.item == 4);
    }
}

TEST_F(SettingsWindow, AccountsPaneNeedsAProfile) {
    program->context.CurrentProfile = "";
    open();
    window->mnuWindow_Click(4);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "You must select a profile from the list or save current settings as a new profile "
              "before viewing Accounts window.");
    EXPECT_EQ(prompts.shown[0].title, "No profile selected!");
    EXPECT_EQ(prompts.shown[0].icon, profiles::Icon::Exclamation);
    EXPECT_EQ(window->currentPane, 1);
    EXPECT_TRUE(window->picMainMail->isVisible());
}

TEST_F(SettingsWindow, ProfileMenuFollowsTheList) {
    addProfile("Spare");
    open();
    const auto items = [this] {
        QStringList captions;
        for (QAction* action : window->mnuProfileList) {
            captions << action->text();
        }
        return captions;
    };
    EXPECT_EQ(items(), QStringList({"Home", "Work", "Spare"}));
    program->editor.ProfileNames.pop_back();
    window->setProfileMenu();
    EXPECT_EQ(items(), QStringList({"Home", "Work"}));
    program->editor.ProfileNames.erase(program->editor.ProfileNames.begin());
    window->setProfileMenu();
    EXPECT_EQ(items(), QStringList({"Work"}));
    EXPECT_TRUE(item("mnuProfileList_0")->isChecked());
}

TEST_F(SettingsWindow, ChoosingAProfileLoadsItUnlessItsPasswordIsWrong) {
    makeSecure("Home", "secret");
    open();
    window->mnuWindow_Click(3);
    prompts.passwordAnswers = {"wrong"};
    item("mnuProfileList_0")->trigger();
    EXPECT_EQ(program->context.CurrentProfile, "Work");
    EXPECT_EQ(text("txtMail_1"), QStringLiteral("Work Sender"));
    EXPECT_TRUE(item("mnuProfileList_1")->isChecked());
    EXPECT_FALSE(item("mnuProfileList_0")->isChecked());

    prompts.passwordAnswers = {"secret"};
    item("mnuProfileList_0")->trigger();
    EXPECT_EQ(program->context.CurrentProfile, "Home");
    EXPECT_EQ(text("txtMail_1"), QStringLiteral("Home Sender"));
    EXPECT_TRUE(item("mnuProfileList_0")->isChecked());
    EXPECT_FALSE(item("mnuProfileList_1")->isChecked());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel! - Home - Mail - Other"));
}

TEST_F(SettingsWindow, ChoosingAnAccountProfileShowsIt) {
    put(mailKey(), "Account Profile List", Variant("acct;Other;|"));
    put(accountKey("Other"), "Default POP3 Server", Variant("pop.other"));
    open();
    // Away from the Accounts pane its menu does nothing, also through a shortcut.
    item("mnuAccountsList_1")->trigger();
    EXPECT_EQ(program->context.AccountProfile, "acct");

    window->mnuWindow_Click(4);
    item("mnuAccountsList_1")->trigger();
    EXPECT_EQ(program->context.AccountProfile, "Other");
    EXPECT_EQ(text("txtServer_1"), QStringLiteral("pop.other"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel! - Work - Accounts - Other"));
    EXPECT_FALSE(item("mnuAccountsList_0")->isChecked());
    EXPECT_TRUE(item("mnuAccountsList_1")->isChecked());
    EXPECT_FALSE(program->editor.accountChanged);

    control<QLineEdit>("txtServer_1")->setText("edited");
    item("mnuAccountsList_1")->trigger();  // already shown: nothing happens
    EXPECT_EQ(text("txtServer_1"), QStringLiteral("edited"));
}

// Frame measures in twips, as stored.
QRect StoredRect(const QRect& pixels, double dpi) {
    const auto twips = [dpi](int p) { return static_cast<int>(std::lround(p * 1440 / dpi)); };
    return {twips(pixels.x()), twips(pixels.y()), twips(pixels.width()), twips(pixels.height())};
}

TEST_F(SettingsWindow, OpensWhereItWasLeftAndHideMeRemembersIt) {
    const double dpi = QApplication::primaryScreen()->logicalDotsPerInch();
    const QRect stored(150, 75, 600, 450);  // pixels
    const QRect twips = StoredRect(stored, dpi);
    put(std::string(settings::kAppKey), "Width", Variant(std::to_string(twips.width())));
    put(std::string(settings::kAppKey), "Height", Variant(std::to_string(twips.height())));
    put(std::string(settings::kAppKey), "Top", Variant(std::to_string(twips.y())));
    put(std::string(settings::kAppKey), "Left", Variant(std::to_string(twips.x())));
    put(std::string(settings::kImnKey), "Current Profile", Variant("Home"));
    open();
    EXPECT_EQ(window->frameGeometry(), stored);

    window->move(40, 30);
    window->resize(700, 500);
    window->mnuWindow_Click(8);
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(ended(), 0);
    EXPECT_FALSE(program->windowShown);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(program->context.CurrentProfile, "Home");
    const QRect saved = StoredRect(window->frameGeometry(), dpi);
    EXPECT_EQ(get(std::string(settings::kAppKey), "Width"), Variant(std::to_string(saved.width())));
    EXPECT_EQ(get(std::string(settings::kAppKey), "Left"), Variant(std::to_string(saved.x())));
}

TEST_F(SettingsWindow, TheCloseBoxEndsTheProgram) {
    open();
    window->close();
    EXPECT_EQ(ended(), 1);
    EXPECT_EQ(hidden, 0);
    EXPECT_FALSE(get(std::string(settings::kAppKey), "Width").isBlank());
}

}  // namespace
}  // namespace quorvel::testing
