// Saving the settings window: every pane in its stored form, save as with the account
// profiles it copies, the pending-edit questions, and a store that cannot save.
#include <QRadioButton>

#include "ui/settings/saving_fixture.h"

namespace quorvel::testing {
namespace {

using profiles::Answer;

class SavingWork : public SavingWindow {
  protected:
    // Work with the account profiles Home and Work, each with a password; Home the default.
    void SetUp() override {
        SavingWindow::SetUp();
        put(mailKey(), "Account Profile List", Variant("Home;Work;|"));
        put(mailKey(), "Default Account Profile", Variant("Home"));
        for (const char* account : {"Home", "Work"}) {
            put(accountKey(account), "Default POP3 Server", Variant(std::string("pop.") + account));
            reg().SetValue(accountKey(account), "Password",
                           Variant(program->base64.Base64Encode(std::string("pw-") + account)),
                           registry::REG_BINARY);
        }
        put(std::string(settings::kImnKey), "Current Profile", Variant("Work"));
    }
    Variant mail(const std::string& name, const std::string& profile = "Work") {
        return get(mailKey(profile), name);
    }
};

TEST_F(SavingWork, SaveChangesStoresEveryPaneInItsStoredForm) {
    openWindow();
    window->txtMail[1]->setText("Ann Other");
    window->chkMail[2]->setChecked(true);
    const std::pair<int, const char*> mailRows[] = {{1, "10"}, {2, ">"}, {3, "0"}};
    for (const auto& [row, text] : mailRows) {
        window->chkListMail[static_cast<std::size_t>(row)]->setChecked(true);
        window->txtListMail[static_cast<std::size_t>(row)]->setText(text);
    }
    window->chkListNews[1]->setChecked(false);
    window->chkListNews[2]->setChecked(false);
    window->optSigMail[2]->setChecked(true);
    window->chkSigMail[0]->setChecked(true);
    window->chkSigMail[1]->setChecked(true);
    window->optSigNews[0]->setChecked(true);
    window->chkSigNews[0]->setChecked(true);
    window->mnuAccounts_Click(8);
    item("mnuProfiles_6")->trigger();

    EXPECT_FALSE(window->profileChanged);
    const std::pair<const char*, Variant> stored[] = {
        {"Sender Name", Variant("Ann Other")},  {"Maximize Mail Window", Variant(1)},
        {"Poll For Mail", Variant(600000)},     {"Indent Char", Variant(62)},
        {"MarkPreviewAsRead", Variant(0)},      {"Signature Type", Variant(65538)},
        {"PollMultiplePopServers", Variant(1)},
    };
    for (const auto& [name, value] : stored) {
        EXPECT_EQ(mail(name), value) << name;
    }
    EXPECT_EQ(get(newsKey(), "Polling Interval"), Variant(-1));
    EXPECT_EQ(get(newsKey(), "Indent Char"), Variant(0));
    EXPECT_EQ(get(newsKey(), "Signature Type"), Variant(0));
    EXPECT_EQ(get(profileKey("Work"), "Secure Profile"), Variant(0));
    // The client holds Work: the next switch must write it again.
    EXPECT_EQ(get(std::string(settings::kImnKey), "Current Profile"), Variant(""));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(SavingWork, AccountsPaneFillsEmptyBoxesAndKeepsWhatItCannotStore) {
    openWindow();
    window->mnuWindow_Click(4);
    window->txtServer[4]->setText("s3cret");
    window->txtListServer[1]->setText("");
    window->txtListServer[3]->setText("");
    window->txtListServer[4]->setText("");
    item("mnuAccounts_2")->trigger();
    EXPECT_EQ(get(accountKey("Home"), "MaxRecvMessageSizeKB"), Variant(0));
    EXPECT_EQ(get(accountKey("Home"), "RecvTimeout"), Variant(60));
    EXPECT_EQ(get(accountKey("Home"), "Port"), Variant(110));
    EXPECT_EQ(program->base64.Base64DecodeHex(get(accountKey("Home"), "Password").text()),
              "s3cret");

    // A port that is no number, saved while its box still has the focus: the stored one stays.
    window->txtListServer[4]->setText("pop3");
    window->mnuAccounts_Click(2);
    EXPECT_EQ(get(accountKey("Home"), "Port"), Variant(110));
    EXPECT_FALSE(window->accountChanged);
}

TEST_F(SavingWork, SaveAsCopiesTheAccountProfilesWithTheirPasswords) {
    openWindow();
    window->txtMail[1]->setText("Copied Sender");
    window->mnuAccounts_Click(8);
    prompts.inputAnswers = {"  Work Copy "};
    item("mnuProfiles_4")->trigger();

    EXPECT_EQ(listed("Profile List"), "Home;Work;Work Copy;|");
    EXPECT_EQ(mail("Sender Name", "Work Copy"), Variant("Copied Sender"));
    EXPECT_EQ(mail("Account Profile List", "Work Copy"), Variant("Home;Work;|"));
    EXPECT_EQ(mail("Default Account Profile", "Work Copy"), Variant("Home"));
    EXPECT_EQ(mail("PollMultiplePopServers", "Work Copy"), Variant(1));  // the menu's choice
    for (const char* account : {"Home", "Work"}) {
        const std::string copied = mailKey("Work Copy") + "\\" + account;
        EXPECT_EQ(get(copied, "Default POP3 Server"),
                  get(accountKey(account), "Default POP3 Server"));
        EXPECT_EQ(get(copied, "Password"), get(accountKey(account), "Password")) << account;
    }
    EXPECT_EQ(mail("Sender Name"), Variant("Work Sender"));  // the old profile is untouched
    EXPECT_EQ(program->context.CurrentProfile, "Work Copy");
    EXPECT_EQ(program->context.AccountProfile, "Home");  // the pane still shows its own
    EXPECT_EQ(window->windowTitle(), QString("Quorvel! - Work Copy - Mail - Main"));
    EXPECT_TRUE(item("mnuProfileList_2")->isChecked());
    EXPECT_FALSE(item("mnuProfileList_1")->isChecked());
}

TEST_F(SavingWork, SaveAsAnExistingNameAsksFirst) {
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        SCOPED_TRACE(answer == Answer::Yes ? "Yes" : "No");
        prompts.shown.clear();
        program->context.CurrentProfile = "Work";
        openWindow();
        window->txtMail[2]->setText("changed@example.com");
        const std::string before = store();
        prompts.inputAnswers = {"home"};  // the store knows no case
        prompts.answers = {answer};
        window->mnuProfiles_Click(4);
        ASSERT_EQ(prompts.texts(), std::vector<std::string>{
                                       "This profile already exists, do you want to overwrite?"});
        EXPECT_EQ(listed("Profile List"), "Home;Work;|");
        if (answer == Answer::No) {
            EXPECT_EQ(store(), before);
            EXPECT_EQ(program->context.CurrentProfile, "Work");
        } else {
            EXPECT_EQ(mail("Sender EMail", "Home"), Variant("changed@example.com"));
            EXPECT_EQ(mail("Default Account Profile", "Home"), Variant("acct"));  // its own
            EXPECT_EQ(program->context.CurrentProfile, "Home");
            EXPECT_EQ(window->windowTitle(), QString("Quorvel! - Home - Mail - Main"));
        }
    }
}

TEST_F(SavingWork, SaveAsFromABlankWindowStartsWithAnAccountProfileOfItsOwn) {
    program->context.CurrentProfile = "";
    openWindow();
    prompts.inputAnswers = {"Fresh"};
    window->mnuProfiles_Click(4);
    EXPECT_EQ(mail("Account Profile List", "Fresh"), Variant("Account1;|"));
    EXPECT_EQ(mail("Default Account Profile", "Fresh"), Variant("Account1"));
    EXPECT_EQ(get(mailKey("Fresh") + "\\Account1", "Port"), Variant(110));
    EXPECT_EQ(program->context.AccountProfile, "Account1");
    EXPECT_EQ(window->windowTitle(), QString("Quorvel! - Fresh - Mail - Main"));
}

TEST_F(SavingWork, ClosingWithEditsOnBothHalvesAsksOnceAndSavesBoth) {
    openWindow();
    window->txtMail[1]->setText("Both Halves");
    window->txtServer[1]->setText("pop.both");
    prompts.answers = {Answer::Yes};
    window->close();
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Settings for Profile \"Work\" have been changed, do you "
                                       "want to save these changes?"});
    EXPECT_EQ(mail("Sender Name"), Variant("Both Halves"));
    EXPECT_EQ(get(accountKey("Home"), "Default POP3 Server"), Variant("pop.both"));
    EXPECT_EQ(ended, 1);
}

TEST_F(SavingWork, AccountEditsAloneAskAboutTheAccountProfile) {
    openWindow();
    window->mnuWindow_Click(4);
    window->txtServer[1]->setText("pop.unsaved");
    prompts.answers = {Answer::No};
    window->mnuAccountsList_Click(1);
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Settings for Account Profile \"Home\" have been changed, "
                                       "do you want to save these changes?"});
    EXPECT_EQ(get(accountKey("Home"), "Default POP3 Server"), Variant("pop.Home"));
    EXPECT_EQ(window->txtServer[1]->text(), QString("pop.Work"));
}

TEST_F(SavingWork, AStoreThatCannotSaveLeavesNothingHalfWritten) {
    useFaultyStore();
    openWindow();
    window->txtMail[1]->setText("Not Kept");
    faulty->failCommit = true;
    const std::string before = store();
    prompts.inputAnswers = {"Copy"};
    window->mnuProfiles_Click(4);
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Quorvel could not save the profile \"Copy\": the registry "
                                       "store could not save the change. Nothing has been "
                                       "changed."});
    EXPECT_EQ(store(), before);
    EXPECT_EQ(holder->ProfileNamesInList(), (std::vector<std::string>{"Home", "Work"}));
    EXPECT_EQ(window->mnuProfileList.size(), 2u);
    EXPECT_EQ(program->context.CurrentProfile, "Work");
    EXPECT_TRUE(window->profileChanged);  // the edits wait for the next save

    faulty->failCommit = false;
    window->mnuProfiles_Click(6);
    EXPECT_EQ(mail("Sender Name"), Variant("Not Kept"));
}

}  // namespace
}  // namespace quorvel::testing
