#include <gtest/gtest.h>

#include "app/help.h"
#include "app_fixture.h"
#include "profiles/profiles_fixture.h"

namespace quorvel::testing {
namespace {

const std::string kApp(settings::kAppKey);
const std::string kImn(settings::kImnKey);
const std::string kWork = settings::ProfileKey("Work");
using Texts = std::vector<std::string>;

class Windows final : public app::ProgramWindows {
  public:
    int trays = 0;
    int firstRuns = 0;
    void OpenTray() override { ++trays; }
    void OpenAfterFirstProfile() override { ++firstRuns; }
};

class Startup : public AppFixture {
  protected:
    Windows windows;

    void SetUp() override {
        AppFixture::SetUp();
        put(kApp, "version40", Variant("Yes"));
        put(kApp, "Current Version", Variant("5.1.0"));
        addProfile("Home");
        addProfile("Work");
        put(kImn + "\\Mail", "Sender Name", Variant("Client Sender"));
    }
    app::Course start(const std::string& commandLine = "") {
        return program->Main(commandLine, windows);
    }
};

TEST_F(Startup, EachCourse) {
    EXPECT_EQ(start(), app::Course::NormalStart);
    EXPECT_EQ(windows.trays, 1);

    instance.another = true;
    EXPECT_EQ(start(), app::Course::SecondInstance);
    EXPECT_EQ(start("Wo"), app::Course::SecondInstance);  // two characters are no command line

    EXPECT_EQ(start("work/m"), app::Course::CommandLineLaunch);  // runs beside the instance
    EXPECT_EQ(get(kImn, "Current Profile"), Variant("Work"));
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_NE(processes.started[0].argument.find("Mail---Work."), std::string::npos);
    EXPECT_EQ(windows.trays, 1);
}

TEST_F(Startup, FirstRunAsksAndGathersOnlyOnYes) {
    for (const Variant& marker : {Variant(""), Variant("1"), Variant("No")}) {
        put(kApp, "version40", marker);
        prompts.answers = {profiles::Answer::No};
        EXPECT_EQ(start(), app::Course::FirstRunDeclined) << marker.text();
    }
    EXPECT_EQ(prompts.shown.size(), 3u);
    prompts.answers = {profiles::Answer::Yes};
    EXPECT_EQ(start(), app::Course::FirstRun);
    EXPECT_EQ(get(kApp, "version40"), Variant("Yes"));
    EXPECT_EQ(get(kApp, "Profile List"), Variant("Client Sender;|"));
    EXPECT_EQ(windows.firstRuns, 1);
}

TEST_F(Startup, AFirstProfileTheStoreRefusesOpensNoWindowAndIsOfferedAgain) {
    QUORVEL_SKIP_WITHOUT_TRANSACTIONS();
    FaultyHive faulty(sqlite);
    faulty.failValue = "Profile List";  // dooms the first profile's transaction alone
    newProgram(faulty);
    put(kApp, "version40", Variant(""));
    prompts.answers = {profiles::Answer::Yes};
    EXPECT_EQ(start(), app::Course::FirstRunFailed);
    EXPECT_EQ(windows.firstRuns + windows.trays, 0);
    EXPECT_EQ(get(kApp, "version40"), Variant(""));
    EXPECT_EQ(prompts.shown.size(), 2u) << "the question, then what went wrong";
}

TEST_F(Startup, VersionBookkeepingRunsUnlessTheVersionIsThisOneAndOnlyOneDisablesNews) {
    const std::tuple<Variant, std::optional<int>, bool> cases[] = {
        {Variant("5.1.0"), std::nullopt, false},
        {Variant("5.0.2"), 1, true},
        {Variant(5), 7, false}};
    for (const auto& [version, news, disabled] : cases) {
        put(kApp, "Current Version", version,
            version.isNumber() ? registry::REG_DWORD : registry::REG_SZ);
        put(kApp, "Current Profile", Variant("Work"));
        put(kApp, "WinDir", Variant("old"));
        if (news) {
            put(kApp, "Disable News", Variant(*news), registry::REG_DWORD);
        }
        start();
        const bool bookkeeping = version.isNumber() || version.text() != "5.1.0";
        EXPECT_EQ(get(kApp, "Current Profile"), Variant(bookkeeping ? "" : "Work"))
            << version.text();
        EXPECT_EQ(get(kApp, "WinDir"), Variant(bookkeeping ? "/win" : "old")) << version.text();
        EXPECT_EQ(get(kApp, "Current Version"), Variant("5.1.0"));
        EXPECT_EQ(program->store.NewsDisabled, disabled);
        EXPECT_EQ(get(kApp, "Disable News"), Variant(news.value_or(0)));  // made when missing
    }
}

TEST_F(Startup, AProtectedProfileStartsFromTheCommandLineOnlyWithItsPasswordAndIsHeldOnStart) {
    makeSecure("Work", "Secret");
    prompts.passwordAnswers = {""};
    EXPECT_EQ(start("Work/m"), app::Course::NormalStart);  // refused: a normal start instead
    EXPECT_TRUE(processes.started.empty());
    prompts.passwordAnswers = {"Secret"};
    EXPECT_EQ(start("Work/m"), app::Course::CommandLineLaunch);
    EXPECT_EQ(processes.started.size(), 1u);

    put(kImn, "Current Profile", Variant("Home"));
    start();
    EXPECT_EQ(program->context.CurrentProfile, "Home");
    EXPECT_EQ(program->store.ProfileNames, std::vector<std::string>{""});
}

TEST_F(Startup, ExitBlanksTheClientOnlyForAProtectedProfile) {
    const std::pair<std::optional<int>, bool> cases[] = {
        {1, true}, {2, false}, {std::nullopt, false}};
    for (const auto& [secure, blanked] : cases) {
        put(kImn + "\\Mail\\POP3\\pop.Work", "Account", Variant("ann"));
        put(kImn, "Store Root", Variant("/mail/work"));
        put(std::string(settings::kWabFileKey), "", Variant("/mail/work.wab"));
        put(kImn, "Current Profile", Variant("Work"));
        if (secure) {
            put(kWork, "Secure Profile", Variant(*secure), registry::REG_DWORD);
        } else {
            hive.openKey(registry::Root::CurrentUser, kWork)->deleteValue("Secure Profile");
        }
        program->ShutDown();
        EXPECT_EQ(hive.openKey(registry::Root::CurrentUser, kImn + "\\Mail\\POP3") == nullptr,
                  blanked);
        EXPECT_EQ(get(kImn, "Store Root"), Variant(blanked ? "c:\\unsecure" : "/mail/work"));
        EXPECT_EQ(get(std::string(settings::kWabFileKey), ""),
                  Variant(blanked ? "/win/unsecure.wab" : "/mail/work.wab"));
    }
}

TEST_F(Startup, APasswordIsComparedExactlyAndAFirstOneSetWhenNoneUsableIsStored) {
    program->context.CurrentProfile = "Work";
    app::ProfilePasswords& passwords = program->passwords;
    makeSecure("Work", "Secret");
    // Letter case and blanks count; cancel after two wrong tries.
    for (const Texts& typed : {Texts{"secret", "Secret "}, Texts{"Secret"}}) {
        prompts.passwordAnswers.assign(typed.begin(), typed.end());
        passwords.AskProfilePassword();
        EXPECT_EQ(passwords.PasswordOK, typed.size() == 1);
    }
    EXPECT_EQ(prompts.texts(), Texts(2, "Incorrect password"));
    EXPECT_EQ(prompts.passwordDialogs, 4);

    for (const std::string stored : {"", "ab"}) {
        makeSecure("Work", stored);
        prompts.inputAnswers = {"  ab  ", " abc "};
        passwords.AskProfilePassword();
        EXPECT_TRUE(passwords.PasswordOK);
        EXPECT_EQ(get(kWork, "Profile Password"), Variant("abc"));
    }
    EXPECT_EQ(prompts.texts().back(), "Password must be at least 3 charactors long");
    EXPECT_EQ(prompts.shown.size(), 4u);
    EXPECT_EQ(prompts.inputPrompts, Texts(4, "Enter new password for Work"));
    EXPECT_EQ(prompts.passwordDialogs, 4);

    makeSecure("Work", "");
    prompts.inputAnswers = {"   "};  // cancelled: nothing is stored
    passwords.AskProfilePassword();
    EXPECT_FALSE(passwords.PasswordOK);
    EXPECT_EQ(get(kWork, "Profile Password"), Variant(""));
}

// The help document is looked for beside the program, then where an installed program keeps it.
TEST_F(AppFixture, TheHelpDocumentIsFoundBesideTheProgramOrInItsInstalledDataFolder) {
    const std::string beside = "/usr/bin/inform.htm";
    const std::string installed = "/usr/bin/../share/quorvel/inform.htm";
    const std::string browserKey =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
    reg().CreateKey(browserKey, registry::Root::LocalMachine);
    reg().SetValue(browserKey, "", Variant("/usr/bin/browser"), registry::REG_SZ,
                   registry::Root::LocalMachine);
    const std::vector<std::pair<std::vector<std::string>, std::string>> layouts = {
        {{beside, installed}, beside}, {{installed}, installed}, {{}, beside}};
    for (const auto& [present, opened] : layouts) {
        clientFiles.files = {present.begin(), present.end()};
        processes.started.clear();
        ASSERT_NE(app::StartHelp(*program, "/usr/bin"), 0u);
        EXPECT_EQ(processes.started.at(0).argument, opened);
    }
}

}  // namespace
}  // namespace quorvel::testing
