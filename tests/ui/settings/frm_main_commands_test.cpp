// The settings window's menu commands: their guards, the name and password entries, the
// immediate writes, switching, news on and off, and help.
#include <QCoreApplication>

#include "ui/settings/saving_fixture.h"

namespace quorvel::testing {
namespace {

using profiles::Answer;

TEST_F(SavingWindow, CommandsWithoutAProfileSayWhatIsMissing) {
    program->context.CurrentProfile = "";
    openWindow();
    const std::string start = "You must select a profile from the list or save current settings";
    const std::string profilesEnd = " as a new profile before using these menu items.";
    const std::string switchEnd = " as a new profile before using this menu.";
    struct Case {
        void (ui::frmMain::*command)(int);
        int index;
        std::string text;
        std::string title;
    };
    const Case cases[] = {
        {&ui::frmMain::mnuProfiles_Click, 0, start + profilesEnd, "No profile selected!"},
        {&ui::frmMain::mnuProfiles_Click, 1, start + profilesEnd, "No profile selected!"},
        {&ui::frmMain::mnuProfiles_Click, 2, start + profilesEnd, "No profile selected!"},
        {&ui::frmMain::mnuProfiles_Click, 5, start + profilesEnd, "No profile selected!"},
        {&ui::frmMain::mnuProfiles_Click, 6, start + profilesEnd, "No profile selected!"},
        {&ui::frmMain::mnuSwitch_Click, 0, start + switchEnd, "No profile selected!"},
        {&ui::frmMain::mnuSwitch_Click, 2, start + switchEnd, "No profile selected!"},
        {&ui::frmMain::mnuAccounts_Click, 0, "Please save this profile first.", "Quorvel!"},
        {&ui::frmMain::mnuAccounts_Click, 8, "Please save this profile first.", "Quorvel!"},
    };
    const std::string before = store();
    for (const Case& c : cases) {
        prompts.shown.clear();
        (window.get()->*c.command)(c.index);
        ASSERT_EQ(prompts.shown.size(), 1u) << c.index;
        EXPECT_EQ(prompts.shown[0].text, c.text) << c.index;
        EXPECT_EQ(prompts.shown[0].title, c.title) << c.index;
    }
    EXPECT_EQ(store(), before);
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(SavingWindow, NewNamesAreAskedForUntilOneFits) {
    openWindow();
    const std::string tooShort = "Name must be at least 3 characters long";
    const std::string invalid = "Invalid name, do you want to try again";
    struct Case {
        std::deque<std::string> typed;
        std::deque<Answer> answers;
        std::vector<std::string> messages;
        std::string saved;  // "" when nothing is saved
    };
    const Case cases[] = {
        {{"ab", "a b c"}, {}, {tooShort}, "a b c"},
        {{"Home/Work"}, {Answer::No}, {invalid}, ""},
        {{"Semi;colon", "Semicolon"}, {Answer::Yes}, {invalid}, "Semicolon"},
        {{"   "}, {}, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.front());
        prompts.shown.clear();
        prompts.inputPrompts.clear();
        prompts.inputAnswers = c.typed;
        prompts.answers = c.answers;
        const auto names = holder->ProfileNamesInList();
        window->mnuProfiles_Click(4);
        EXPECT_EQ(prompts.texts(), c.messages);
        EXPECT_EQ(prompts.inputPrompts.size(), c.typed.size());
        EXPECT_EQ(holder->ProfileNamesInList().size(), names.size() + (c.saved.empty() ? 0 : 1));
        if (!c.saved.empty()) {
            EXPECT_EQ(holder->ProfileNamesInList().back(), c.saved);
        }
    }
    EXPECT_EQ(prompts.inputPrompts.back(),
              "Enter a new profile name of at least 3 characters.\rUse only letters and/or "
              "numbers.\rDo NOT use special characters like  ^ : , % \" $ # @  * ? / \\ ( ) { } "
              "< >");
}

TEST_F(SavingWindow, AccountProfileSavedUnderANewName) {
    openWindow();
    window->mnuWindow_Click(4);
    prompts.inputAnswers = {"Second"};
    window->mnuAccounts_Click(0);
    EXPECT_EQ(prompts.inputPrompts.back(),
              "Enter a new Account Profile name of at least 3 characters.\rUse only letters "
              "and/or numbers.\rThe name must NOT contain spaces or the following characters\r"
              "  ^ : , % \" $ # @  * ? / \\ ( ) { } < >");
    EXPECT_EQ(get(mailKey(), "Account Profile List"), Variant("Second;|"));
    EXPECT_EQ(get(accountKey("Second"), "Default POP3 Server"), Variant("pop.Work"));
    EXPECT_EQ(window->windowTitle(), QString("Quorvel! - Work - Accounts - Second"));
    EXPECT_TRUE(item("mnuAccountsList_0")->isChecked());
}

TEST_F(SavingWindow, SecurityOnNeedsAPassword) {
    struct Case {
        const char* stored;  // "" for none
        std::deque<std::string> typed;
        bool on;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"kept", {}, true, {}},
        {"", {""}, false, {}},
        {"", {"ab", "abc"}, true, {"Password must be at least 3 characters long"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        put(profileKey("Work"), "Profile Password", Variant(c.stored));
        prompts.shown.clear();
        prompts.inputAnswers = c.typed;
        openWindow();
        window->mnuProfiles_Click(0);
        EXPECT_EQ(item("mnuProfiles_0")->isChecked(), c.on);
        EXPECT_EQ(item("mnuProfiles_1")->isChecked(), !c.on);
        EXPECT_EQ(window->profileChanged, c.on);
        EXPECT_EQ(prompts.texts(), c.messages);
        EXPECT_EQ(prompts.inputPrompts.size(), c.typed.size());
        prompts.inputPrompts.clear();
    }
    EXPECT_EQ(get(profileKey("Work"), "Profile Password"), Variant("abc"));
    window->mnuProfiles_Click(6);
    EXPECT_EQ(get(profileKey("Work"), "Secure Profile"), Variant(1));

    // Off again keeps the password for the next time.
    window->mnuProfiles_Click(1);
    window->mnuProfiles_Click(6);
    EXPECT_EQ(get(profileKey("Work"), "Secure Profile"), Variant(0));
    EXPECT_EQ(get(profileKey("Work"), "Profile Password"), Variant("abc"));
}

TEST_F(SavingWindow, HostsFileChoicesAreWrittenAtOnce) {
    openWindow();
    const std::string note =
        "This file must exist in your Windows folder and be properly set up by you in order to "
        "use multiple accounts at once in Internet Mail.";
    window->mnuHosts_Click(2);
    window->mnuHosts_Click(2);  // already chosen: no second note
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{note});
    EXPECT_EQ(get(mailKey(), "Automake Hosts"), Variant(1));
    EXPECT_TRUE(item("mnuHosts_2")->isChecked());
    EXPECT_TRUE(item("mnuHosts_3")->isEnabled());

    prompts.inputAnswers = {" office.txt "};
    window->mnuHosts_Click(3);
    EXPECT_EQ(prompts.inputPrompts.back(),
              "Enter a new Hosts file name (with extension).\r" + note);
    EXPECT_EQ(get(mailKey(), "Host file name"), Variant("office.txt"));
    EXPECT_EQ(item("mnuHosts_2")->text(), QString("Use \"office.txt\""));

    window->mnuHosts_Click(0);
    EXPECT_EQ(get(mailKey(), "Automake Hosts"), Variant(0));
    EXPECT_FALSE(item("mnuHosts_3")->isEnabled());
    EXPECT_FALSE(window->profileChanged);

    // Polling: choosing the checked item again is no edit.
    window->mnuAccounts_Click(7);
    EXPECT_FALSE(window->profileChanged);
    window->mnuAccounts_Click(8);
    EXPECT_TRUE(window->profileChanged);
    EXPECT_TRUE(item("mnuAccounts_6")->isEnabled());
}

TEST_F(SavingWindow, SwitchMailMakesTheShownProfileTheClientsAndStartsIt) {
    openWindow();
    window->txtMail[1]->setText("Pending");
    prompts.answers = {Answer::No};
    window->mnuSwitch_Click(2);
    EXPECT_EQ(prompts.texts().size(), 1u);  // the pending edits were offered
    EXPECT_EQ(get(std::string(settings::kImnKey), "Current Profile"), Variant("Work"));
    EXPECT_EQ(get(std::string(settings::kImnKey) + "\\Mail", "Sender Name"),
              Variant("Work Sender"));
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_NE(processes.started[0].argument.find("Mail---Work"), std::string::npos);
    EXPECT_EQ(program->context.AccountProfile, "acct");
}

TEST_F(SavingWindow, NewsOnOrOffEndsTheProgramWithTheValueWritten) {
    const std::string tail =
        "\rClicking Yes below will make this change and close Quorvel. Then "
        "when you re-start Quorvel the News settings will be ";
    struct Case {
        bool disabled;
        Answer answer;
        std::string question;
        Variant stored;
    };
    const Case cases[] = {
        {false, Answer::No,
         "This will disable News settings for all profiles." + tail +
             "unavailable.\rAre you sure you want to do this?",
         Variant(0)},
        {false, Answer::Yes, "", Variant(1)},
        {true, Answer::Yes,
         "This will enable News settings for all profiles." + tail +
             "available.\rAre you sure you want to do this?",
         Variant(0)},
    };
    for (const Case& c : cases) {
        put(std::string(settings::kAppKey), "Disable News", Variant(c.disabled ? 1 : 0),
            registry::REG_DWORD);
        program->store.NewsDisabled = c.disabled;
        ended = 0;
        program->context.CurrentProfile = "Work";
        prompts.shown.clear();
        prompts.answers = {c.answer};
        openWindow();
        window->txtMail[1]->setText("Never asked about");
        window->mnuSwitch_Click(0);
        ASSERT_EQ(prompts.shown.size(), 1u);
        if (!c.question.empty()) {
            EXPECT_EQ(prompts.shown[0].text, c.question);
        }
        EXPECT_EQ(listed("Disable News"), c.stored.text());
        EXPECT_EQ(ended, c.answer == Answer::Yes ? 1 : 0);
    }
}

TEST_F(SavingWindow, HelpOpensTheDocumentInTheRegisteredBrowser) {
    openWindow();
    const std::string noBrowser =
        "Internet Explorer could not be started,please open Quorvel! Information document "
        "manually";
    window->mnuHelp_Click(0);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{noBrowser});
    EXPECT_TRUE(processes.started.empty());

    const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
    reg().CreateKey(key, registry::Root::LocalMachine);
    reg().SetValue(key, "", Variant("/usr/bin/browser"), registry::REG_SZ,
                   registry::Root::LocalMachine);
    window->mnuHelp_Click(0);
    window->mnuHelp_Click(0);  // still open: brought to the front
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0].program, "/usr/bin/browser");
    EXPECT_EQ(processes.started[0].argument,
              QCoreApplication::applicationDirPath().toStdString() + "/inform.htm");
    EXPECT_EQ(processes.started[0].style, app::kMaximizedFocus);
    EXPECT_EQ(listed("IE Path"), "/usr/bin/browser");
    processes.closeByHand(processes.started[0].task);
    window->mnuHelp_Click(0);
    EXPECT_EQ(processes.started.size(), 2u);

    prompts.shown.clear();
    window->mnuHelp_Click(1);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_NE(prompts.shown[0].text.find("\rVersion " + program->AppVersion), std::string::npos);
}

}  // namespace
}  // namespace quorvel::testing
