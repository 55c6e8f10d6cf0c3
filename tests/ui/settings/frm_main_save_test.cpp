// Saving the settings window: the panes in their stored form, save as with the account
// profiles it copies, the pending-edit question, and a store that cannot save.
#include <QRadioButton>

#include <sqlite3.h>

#include "ui/settings/saving_fixture.h"

namespace quorvel::testing {
namespace {

using profiles::Answer;

class SavingWork : public SavingWindow {
  protected:
    // Work with the account profiles Home (the default) and Work, each with a password.
    void SetUp() override {
        SavingWindow::SetUp();
        put(mailKey(), "Account Profile List", Variant("Home;Work;|"));
        put(mailKey(), "Default Account Profile", Variant("Home"));
        for (const std::string account : {"Home", "Work"}) {
            put(accountKey(account), "Default POP3 Server", Variant("pop." + account));
            reg().SetValue(accountKey(account), "Password",
                           Variant(program->base64.Base64Encode("pw-" + account)),
                           registry::REG_BINARY);
        }
        put(std::string(settings::kImnKey), "Current Profile", Variant("Work"));
        openWindow();
    }
    Variant mail(const std::string& name, const std::string& profile = "Work") {
        return get(mailKey(profile), name);
    }
};

// The conversions have their own table; here each kind of row is wired to its setting.
TEST_F(SavingWork, SaveChangesStoresThePanesInTheirStoredForm) {
    window->txtMail[1]->setText("Ann Other");
    window->chkListMail[1]->setChecked(true);
    window->txtListMail[1]->setText("10");
    window->chkListNews[2]->setChecked(false);
    window->optSigMail[2]->setChecked(true);
    window->chkSigMail[0]->setChecked(true);
    window->chkSigMail[1]->setChecked(true);
    window->mnuAccounts_Click(8);
    item("mnuProfiles_6")->trigger();

    EXPECT_EQ(mail("Sender Name"), Variant("Ann Other"));
    EXPECT_EQ(mail("Poll For Mail"), Variant(600000));
    EXPECT_EQ(mail("Signature Type"), Variant(65538));
    EXPECT_EQ(mail("PollMultiplePopServers"), Variant(1));
    EXPECT_EQ(get(newsKey(), "Indent Char"), Variant(0));
    EXPECT_EQ(get(profileKey("Work"), "Secure Profile"), Variant(0));
    EXPECT_FALSE(program->editor.profileChanged);
    // The client holds Work: the next switch must write it again.
    EXPECT_EQ(get(std::string(settings::kImnKey), "Current Profile"), Variant(""));
}

TEST_F(SavingWork, AccountsPaneFillsEmptyBoxesAndKeepsWhatItCannotStore) {
    window->mnuWindow_Click(4);
    window->txtServer[4]->setText("s3cret");
    window->txtListServer[3]->setText("");
    window->txtListServer[4]->setText("");
    item("mnuAccounts_2")->trigger();
    EXPECT_EQ(get(accountKey("Home"), "RecvTimeout"), Variant(60));
    EXPECT_EQ(get(accountKey("Home"), "Port"), Variant(110));
    EXPECT_EQ(program->base64.Base64DecodeHex(get(accountKey("Home"), "Password").text()),
              "s3cret");
    // Saved while the box still has the focus, a port that is no number leaves the stored one.
    window->txtListServer[4]->setText("pop3");
    window->mnuAccounts_Click(2);
    EXPECT_EQ(get(accountKey("Home"), "Port"), Variant(110));
}

TEST_F(SavingWork, SaveAsCopiesTheAccountProfilesWithTheirPasswords) {
    window->txtMail[1]->setText("Copied Sender");
    prompts.inputAnswers = {"  Work Copy "};
    item("mnuProfiles_4")->trigger();

    EXPECT_EQ(listed("Profile List"), "Home;Work;Work Copy;|");
    EXPECT_EQ(mail("Sender Name", "Work Copy"), Variant("Copied Sender"));
    EXPECT_EQ(mail("Sender Name"), Variant("Work Sender"));
    EXPECT_EQ(mail("Account Profile List", "Work Copy"), Variant("Home;Work;|"));
    EXPECT_EQ(mail("Default Account Profile", "Work Copy"), Variant("Home"));
    for (const std::string account : {"Home", "Work"}) {
        const std::string copy = mailKey("Work Copy") + "\\" + account;
        EXPECT_EQ(get(copy, "Default POP3 Server"), Variant("pop." + account));
        EXPECT_EQ(get(copy, "Password"), get(accountKey(account), "Password")) << account;
    }
    EXPECT_EQ(program->context.AccountProfile, "Home");  // the pane still shows its own
    EXPECT_EQ(window->windowTitle(), QString("Quorvel! - Work Copy - Mail - Main"));
    EXPECT_TRUE(item("mnuProfileList_2")->isChecked());
}

TEST_F(SavingWork, SaveAsAnExistingNameAsksFirst) {
    window->txtMail[2]->setText("changed@example.com");
    const std::string before = store();
    prompts.inputAnswers = {"home", "home"};  // the store knows no case
    prompts.answers = {Answer::No, Answer::Yes};
    window->mnuProfiles_Click(4);
    EXPECT_EQ(store(), before);
    EXPECT_EQ(program->context.CurrentProfile, "Work");

    window->mnuProfiles_Click(4);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>(
                                   2, "This profile already exists, do you want to overwrite?"));
    EXPECT_EQ(listed("Profile List"), "Home;Work;|");
    EXPECT_EQ(mail("Sender EMail", "Home"), Variant("changed@example.com"));
    EXPECT_EQ(mail("Default Account Profile", "Home"), Variant("acct"));  // keeps its own
    EXPECT_EQ(window->windowTitle(), QString("Quorvel! - Home - Mail - Main"));
}

// Whether another process sharing the store (the client, quorvel-reg, a command line) could
// write to it now, waiting for it at most a second.
bool AnotherProcessCanWrite(const std::string& store) {
    sqlite3* db = nullptr;
    const bool wrote =
        sqlite3_open(store.c_str(), &db) == SQLITE_OK &&
        sqlite3_busy_timeout(db, 1000) == SQLITE_OK &&
        sqlite3_exec(db, "BEGIN IMMEDIATE; COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return wrote;
}

TEST_F(SavingWork, OverwriteQuestionsLeaveTheStoreFreeForOthers) {
    std::vector<bool> othersWrote;
    prompts.whileShown = [&](const ScriptedPrompts::Shown&) {
        othersWrote.push_back(AnotherProcessCanWrite(dir.file("registry.db")));
    };
    window->mnuWindow_Click(4);
    prompts.inputAnswers = {"Work"};
    prompts.answers = {Answer::Yes};
    window->mnuAccounts_Click(0);
    prompts.inputAnswers = {"home"};
    prompts.answers = {Answer::Yes};
    window->mnuProfiles_Click(4);
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{
                                   "This Account Profile already exists, do you want to overwrite?",
                                   "This profile already exists, do you want to overwrite?"}));
    EXPECT_EQ(othersWrote, (std::vector<bool>{true, true}));
}

TEST_F(SavingWork, SaveAsFromABlankWindowStartsWithAnAccountProfileOfItsOwn) {
    program->context.CurrentProfile = "";
    openWindow();
    prompts.inputAnswers = {"Fresh"};
    window->mnuProfiles_Click(4);
    EXPECT_EQ(mail("Account Profile List", "Fresh"), Variant("Account1;|"));
    EXPECT_EQ(mail("Default Account Profile", "Fresh"), Variant("Account1"));
    EXPECT_EQ(get(mailKey("Fresh") + "\\Account1", "Port"), Variant(110));
}

TEST_F(SavingWork, ClosingWithEditsOnBothHalvesAsksOnceAndSavesBoth) {
    window->txtMail[1]->setText("Both Halves");
    window->txtServer[1]->setText("pop.both");
    prompts.answers = {Answer::Yes};
    window->close();
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Settings for Profile \"Work\" have been changed, do you "
                                       "want to save these changes?"});
    EXPECT_EQ(mail("Sender Name"), Variant("Both Halves"));
    EXPECT_EQ(get(accountKey("Home"), "Default POP3 Server"), Variant("pop.both"));
    EXPECT_EQ(ended(), 1);
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
    EXPECT_EQ(program->editor.ProfileNames, (std::vector<std::string>{"Home", "Work"}));
    EXPECT_EQ(program->context.CurrentProfile, "Work");
    EXPECT_TRUE(program->editor.profileChanged);  // the edits wait for the next save

    faulty->failCommit = false;
    window->mnuProfiles_Click(6);
    EXPECT_EQ(mail("Sender Name"), Variant("Not Kept"));
}

}  // namespace
}  // namespace quorvel::testing
