#include "app/profile_editor.h"

#include <gtest/gtest.h>

#include "app/app_fixture.h"
#include "profiles/profiles_fixture.h"

namespace quorvel::testing {
namespace {

using profiles::Answer;
using Saved = app::ProfileEditor::Saved;
using Texts = std::vector<std::string>;

// What a window that changed nothing hands back for saving.
app::PaneValues Unchanged(app::PaneValues pane) {
    pane.signature = pane.signature.value_or(app::SignatureBoxes{-1, false, false});
    for (const auto& value : pane.values) {
        pane.optionChecked.push_back(value.has_value() && !value->empty());
    }
    return pane;
}

class Editor : public AppFixture {
  protected:
    std::unique_ptr<FaultyHive> faulty;

    void SetUp() override {
        AppFixture::SetUp();
        addProfile("Home");
        addProfile("Work");
        useProgram(hive);
    }
    void useProgram(registry::Hive& over) {
        newProgram(over);
        program->context.CurrentProfile = "Work";
        editor().LoadProfileList();
        editor().WindowOpened();
    }
    app::ProfileEditor& editor() { return program->editor; }

    // The current profile loaded, as the window hands it back unchanged.
    app::ProfileEdits loaded() {
        const auto view = editor().LoadProfile();
        EXPECT_TRUE(view.has_value());
        return {view->menus.secure.value_or(false), Unchanged(view->mail), Unchanged(view->news),
                !view->menus.pollOnlyDefault.value_or(true), view->account};
    }
    static std::string mail(const std::string& p) { return settings::ProfileMailKey(p); }
    std::string listed() { return get(std::string(settings::kAppKey), "Profile List").text(); }
};

TEST_F(Editor, LoadingShowsTheProfileAndStoresTheDefaultsItFilledIn) {
    put(mail("Work") + "\\acct", "RecvTimeout", Variant(5), registry::REG_DWORD);
    const auto view = editor().LoadProfile();
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->mail.rows.front(), "Work Sender");
    EXPECT_EQ(view->news.rows[4], "news.Work");
    EXPECT_EQ(view->account.numbers[2], "30");  // a timeout below 30 s
    EXPECT_EQ(program->context.AccountProfile, "acct");
    EXPECT_EQ(get(mail("Work"), "Host file name"), Variant("Work.txt"));
    EXPECT_EQ(get(mail("Work") + "\\acct", "RecvTimeout"), Variant(30));
    EXPECT_EQ(get(mail("Work") + "\\acct", "Port"), Variant(110));
    program->context.CurrentProfile = "";
    EXPECT_FALSE(editor().LoadProfile().has_value());
}

TEST_F(Editor, SavedUnderANewNameTheProfileTakesTheShownAccountProfilesAlong) {
    put(mail("Work"), "Account Profile List", Variant("acct;spare;|"));
    put(mail("Work") + "\\spare", "Default POP3 Server", Variant("pop.spare"));
    app::ProfileEdits edits = loaded();
    edits.account.server[3] = "secret";
    ASSERT_TRUE(editor().SaveAccount(edits.account));
    edits.mail.rows.front() = "Copied Sender";
    prompts.inputAnswers = {"  Copy "};

    EXPECT_EQ(editor().SaveAs(edits), Saved::Saved);
    EXPECT_EQ(program->context.CurrentProfile, "Copy");
    EXPECT_EQ(listed(), "Home;Work;Copy;|");
    EXPECT_EQ(get(mail("Copy"), "Sender Name"), Variant("Copied Sender"));
    EXPECT_EQ(get(mail("Copy") + "\\spare", "Default POP3 Server"), Variant("pop.spare"));
    // A setting the old account profile lacks stays missing, so that the copy shows the same
    // defaults.
    EXPECT_FALSE(raw(mail("Copy") + "\\spare", "RecvTimeout"));
    // The password is stored encoded, and reads back as typed.
    EXPECT_NE(get(mail("Copy") + "\\acct", "Password"), Variant("secret"));
    editor().LoadProfile();
    EXPECT_EQ(editor().LoadAccount().server[3], "secret");
    EXPECT_EQ(get(mail("Work"), "Sender Name"), Variant("Work Sender"));
}

TEST_F(Editor, SavingOverAnotherProfileAsksFirstAndKeepsItsAccountProfiles) {
    app::ProfileEdits edits = loaded();
    edits.mail.rows.front() = "Replaced";
    prompts.inputAnswers = {"home", "home"};
    prompts.answers = {Answer::No, Answer::Yes};
    EXPECT_EQ(editor().SaveAs(edits), Saved::Not);
    EXPECT_EQ(get(mail("Home"), "Sender Name"), Variant("Home Sender"));
    EXPECT_EQ(program->context.CurrentProfile, "Work");

    EXPECT_EQ(editor().SaveAs(edits), Saved::ShowAnew);
    EXPECT_EQ(prompts.texts(), Texts(2, "This profile already exists, do you want to overwrite?"));
    EXPECT_EQ(program->context.CurrentProfile, "Home");  // as the list spells it
    EXPECT_EQ(get(mail("Home"), "Sender Name"), Variant("Replaced"));
    EXPECT_EQ(get(mail("Home") + "\\acct", "Default POP3 Server"), Variant("pop.Home"));
    EXPECT_EQ(listed(), "Home;Work;|");
}

TEST_F(Editor, AStoreThatCannotKeepAnOperationLeavesEverythingAsItWas) {
    QUORVEL_SKIP_WITHOUT_TRANSACTIONS();
    put(mail("Work"), "Account Profile List", Variant("acct;|"));
    faulty = std::make_unique<FaultyHive>(sqlite);
    useProgram(*faulty);
    app::ProfileEdits edits = loaded();
    faulty->failCommit = true;
    prompts.inputAnswers = {"Copy", "Other"};
    EXPECT_EQ(editor().SaveAs(edits), Saved::Not);
    EXPECT_EQ(prompts.texts().back(),
              "Quorvel could not save the profile \"Copy\": the registry store could not save "
              "the change. Nothing has been changed.");
    EXPECT_EQ(program->context.CurrentProfile, "Work");
    EXPECT_EQ(editor().ProfileNames, (Texts{"Home", "Work"}));
    EXPECT_FALSE(hive.openKey(registry::Root::CurrentUser, settings::ProfileKey("Copy")));

    edits.account.server[3] = "typed";
    EXPECT_FALSE(editor().SaveAccountAs(edits.account));
    EXPECT_EQ(editor().AccountNames, Texts{"acct"});
    EXPECT_EQ(program->context.AccountProfile, "acct");
}

TEST_F(Editor, DeletingProfilesKeepsOneAndTheListFollowsWithDone) {
    std::string chosen;
    prompts.answers = {Answer::Yes, Answer::Yes};
    EXPECT_TRUE(editor().DeleteProfile(chosen));
    EXPECT_EQ(chosen, "Home");  // the first name, when none was chosen
    EXPECT_FALSE(hive.openKey(registry::Root::CurrentUser, settings::ProfileKey("Home")));
    EXPECT_EQ(listed(), "Home;Work;|");
    EXPECT_FALSE(editor().DeleteProfile(chosen));
    EXPECT_EQ(prompts.texts().back(), "You must keep at least one profile entry");

    EXPECT_TRUE(editor().FinishProfileDeletions());
    EXPECT_EQ(listed(), "Work;|");
    EXPECT_EQ(program->context.CurrentProfile, "");
    EXPECT_FALSE(editor().FinishProfileDeletions());
}

TEST_F(Editor, DeletingAccountProfilesKeepsADefaultAndPollsSeveralOnlyWhileThereAreSeveral) {
    put(mail("Work"), "Account Profile List", Variant("acct;two;three;|"));
    put(mail("Work"), "PollMultiplePopServers", Variant(1), registry::REG_DWORD);
    loaded();
    std::string chosen = "three";
    prompts.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
    EXPECT_TRUE(editor().DeleteAccount(chosen));
    EXPECT_TRUE(editor().FinishAccountDeletions());
    EXPECT_EQ(get(mail("Work"), "PollMultiplePopServers"), Variant(1));
    EXPECT_TRUE(editor().SeveralAccounts());

    chosen = "acct";
    EXPECT_TRUE(editor().DeleteAccount(chosen));
    EXPECT_EQ(editor().DefaultAccount, "two");
    EXPECT_EQ(get(mail("Work"), "Default Account Profile"), Variant("two"));
    EXPECT_TRUE(editor().FinishAccountDeletions());
    EXPECT_EQ(get(mail("Work"), "Account Profile List"), Variant("two;|"));
    // One account profile left: only the default one can be polled.
    EXPECT_EQ(get(mail("Work"), "PollMultiplePopServers"), Variant(0));
    EXPECT_EQ(program->context.AccountProfile, "two");
}

TEST_F(Editor, APasswordNeedsThreeCharactersAndIsStoredAtOnce) {
    loaded();
    prompts.inputAnswers = {"ab", " abc "};
    EXPECT_TRUE(editor().ChangePassword());
    EXPECT_EQ(prompts.texts(), Texts{"Password must be at least 3 characters long"});
    EXPECT_EQ(get(settings::ProfileKey("Work"), "Profile Password"), Variant("abc"));
    EXPECT_TRUE(editor().profileChanged);  // "Secure Profile" follows with the next save
    EXPECT_TRUE(editor().TurnSecurityOn());
    EXPECT_EQ(prompts.inputPrompts.size(), 2u);  // a stored password is not asked again
}

TEST_F(Editor, NewsOffIsStoredForAllProfilesAndEndsTheProgram) {
    prompts.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(editor().SetNewsDisabled(true));
    EXPECT_EQ(ended(), 0);
    EXPECT_TRUE(editor().SetNewsDisabled(true));
    EXPECT_EQ(get(std::string(settings::kAppKey), "Disable News"), Variant(1));
    EXPECT_EQ(ended(), 1);
}

}  // namespace
}  // namespace quorvel::testing
