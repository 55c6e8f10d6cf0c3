// The settings window's menu commands: their guards, the name and password entries, the
// immediate writes, switching, news on and off, and help.
#include <QCoreApplication>

#include "ui/settings/saving_fixture.h"

namespace quorvel::testing {
namespace {

using profiles::Answer;

class Commands : public SavingWindow {
  protected:
    void SetUp() override {
        SavingWindow::SetUp();
        openWindow();
    }
};

TEST_F(Commands, CommandsWithoutAProfileSayWhatIsMissing) {
    program->context.CurrentProfile = "";
    openWindow();
    const std::string start = "You must select a profile from the list or save current settings";
    struct Case {
        void (ui::frmMain::*command)(int);
        int index;
        std::string text;
        std::string title;
    };
    const Case cases[] = {
        {&ui::frmMain::mnuProfiles_Click, 6,
         start + " as a new profile before using these menu items.", "No profile selected!"},
        {&ui::frmMain::mnuSwitch_Click, 2, start + " as a new profile before using this menu.",
         "No profile selected!"},
        {&ui::frmMain::mnuAccounts_Click, 0, "Please save this profile first.", "Quorvel!"},
    };
    const std::string before = store();
    for (const Case& c : cases) {
        prompts.shown.clear();
        (window.get()->*c.command)(c.index);
        ASSERT_EQ(prompts.shown.size(), 1u) << c.text;
        EXPECT_EQ(prompts.shown[0].text, c.text);
        EXPECT_EQ(prompts.shown[0].title, c.title);
    }
    EXPECT_EQ(store(), before);
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(Commands, NewNamesAreAskedForUntilOneFits) {
    const std::string invalid = "Invalid name, do you want to try again";
    struct Case {
        std::deque<std::string> typed;
        std::deque<Answer> answers;
        std::vector<std::string> messages;
        std::size_t profiles;  // listed afterwards
    };
    const Case cases[] = {
        {{"ab", "a b c"}, {}, {"Name must be at least 3 characters long"}, 3},
        {{"Home/Work"}, {Answer::No}, {invalid}, 3},
        {{"Semi;colon", "Semicolon"}, {Answer::Yes}, {invalid}, 4},
    };
    for (const Case& c : cases) {
        prompts.shown.clear();
        prompts.inputAnswers = c.typed;
        prompts.answers = c.answers;
        window->mnuProfiles_Click(4);
        EXPECT_EQ(prompts.texts(), c.messages) << c.typed.front();
        EXPECT_EQ(program->editor.ProfileNames.size(), c.profiles) << c.typed.front();
    }
    EXPECT_EQ(program->editor.ProfileNames[2], "a b c");
    EXPECT_EQ(prompts.inputPrompts.back(),
              "Enter a new profile name of at least 3 characters.\rUse only letters and/or "
              "numbers.\rDo NOT use special characters like  ^ : , % \" $ # @  * ? / \\ ( ) { } "
              "< >");
}

TEST_F(Commands, AccountProfileSavedUnderANewName) {
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
}

TEST_F(Commands, SecurityOnNeedsAPassword) {
    struct Case {
        const char* stored;
        std::deque<std::string> typed;
        bool on;
    };
    const Case cases[] = {{"kept", {}, true}, {"", {""}, false}, {"", {"ab", "abc"}, true}};
    for (const Case& c : cases) {
        put(profileKey("Work"), "Profile Password", Variant(c.stored));
        prompts.inputPrompts.clear();
        prompts.inputAnswers = c.typed;
        openWindow();
        window->mnuProfiles_Click(0);
        EXPECT_EQ(item("mnuProfiles_0")->isChecked(), c.on) << c.stored;
        EXPECT_EQ(item("mnuProfiles_1")->isChecked(), !c.on) << c.stored;
        EXPECT_EQ(prompts.inputPrompts.size(), c.typed.size()) << c.stored;
    }
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Password must be at least 3 characters long"});
    EXPECT_EQ(prompts.inputPrompts.back(), "Enter a password for Work");
    EXPECT_EQ(get(profileKey("Work"), "Profile Password"), Variant("abc"));
    window->mnuProfiles_Click(6);
    EXPECT_EQ(get(profileKey("Work"), "Secure Profile"), Variant(1));
    window->mnuProfiles_Click(1);  // off again keeps the password
    window->mnuProfiles_Click(6);
    EXPECT_EQ(get(profileKey("Work"), "Secure Profile"), Variant(0));
    EXPECT_EQ(get(profileKey("Work"), "Profile Password"), Variant("abc"));
}

TEST_F(Commands, HostsFileChoicesAreWrittenAtOnce) {
    const std::string note =
        "This file must exist in your Windows folder and be properly set up by you in order to "
        "use multiple accounts at once in Internet Mail.";
    window->mnuHosts_Click(2);
    window->mnuHosts_Click(2);  // already chosen: no second note
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{note});
    EXPECT_EQ(get(mailKey(), "Automake Hosts"), Variant(1));
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
    EXPECT_FALSE(program->editor.profileChanged);

    window->mnuAccounts_Click(7);  // the checked polling item again is no edit
    EXPECT_FALSE(program->editor.profileChanged);
    window->mnuAccounts_Click(8);
    EXPECT_TRUE(program->editor.profileChanged);
    EXPECT_TRUE(item("mnuAccounts_6")->isEnabled());
}

TEST_F(Commands, SwitchMailMakesTheShownProfileTheClientsAndStartsIt) {
    window->txtMail[1]->setText("Pending");
    prompts.answers = {Answer::No};
    window->mnuSwitch_Click(2);
    EXPECT_EQ(prompts.texts().size(), 1u);  // the pending edits were offered
    EXPECT_EQ(get(std::string(settings::kImnKey), "Current Profile"), Variant("Work"));
    EXPECT_EQ(get(std::string(settings::kImnKey) + "\\Mail", "Sender Name"),
              Variant("Work Sender"));
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_NE(processes.started[0].argument.find("Mail---Work"), std::string::npos);
}

TEST_F(Commands, NewsOnOrOffEndsTheProgramWithTheValueWritten) {
    const auto question = [](const char* turn, const char* available) {
        return std::string("This will ") + turn +
               " News settings for all profiles.\rClicking Yes below will make this change and "
               "close Quorvel. Then when you re-start Quorvel the News settings will be " +
               available + ".\rAre you sure you want to do this?";
    };
    struct Case {
        bool disabled;
        Answer answer;
        std::string question;
        const char* stored;
    };
    const Case cases[] = {
        {false, Answer::No, question("disable", "unavailable"), "0"},
        {false, Answer::Yes, question("disable", "unavailable"), "1"},
        {true, Answer::Yes, question("enable", "available"), "0"},
    };
    for (const Case& c : cases) {
        window.reset();
        newProgram(hive);  // a program ends once
        endingHost.calls.clear();
        put(std::string(settings::kAppKey), "Disable News", Variant(c.disabled ? 1 : 0),
            registry::REG_DWORD);
        program->store.NewsDisabled = c.disabled;
        program->context.CurrentProfile = "Work";
        prompts.shown.clear();
        prompts.answers = {c.answer};
        openWindow();
        window->txtMail[1]->setText("Never asked about");
        window->mnuSwitch_Click(0);
        EXPECT_EQ(prompts.texts(), std::vector<std::string>{c.question});
        EXPECT_EQ(listed("Disable News"), c.stored);
        EXPECT_EQ(ended(), c.answer == Answer::Yes ? 1 : 0);
    }
}

TEST_F(Commands, HelpOpensTheDocumentInTheRegisteredBrowser) {
    window->mnuHelp_Click(0);
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Internet Explorer could not be started,please open "
                                       "Quorvel! Information document manually"});
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

    window->mnuHelp_Click(1);
    EXPECT_NE(prompts.texts().back().find("\rVersion " + program->AppVersion), std::string::npos);
}

}  // namespace
}  // namespace quorvel::testing
