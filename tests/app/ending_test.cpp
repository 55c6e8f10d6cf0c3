#include "app/ending.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tray_fixture.h"

namespace quorvel::testing {
namespace {

const std::string kImn(settings::kImnKey);

class Ending : public Tray {
  protected:
    // The client holds Work, which is protected and opened in this run, and its mail client
    // runs: choosing Home closes it and waits a second before starting Home's.
    void SetUp() override {
        Tray::SetUp();
        makeSecure("Work", "Secret");
        put(kImn + "\\Mail\\POP3\\pop.Work", "Account", Variant("ann"));
        program->store.ProfileNames = {"", "Work"};
        clickAndChoose(app::WM_RBUTTONDOWN, 1);
        ASSERT_EQ(processes.started.size(), 1u);
        endingHost.calls.clear();
    }
    bool blanked() { return get(kImn, "Store Root") == Variant("c:\\unsecure"); }
};

TEST_F(Ending, QuitRemovesTheIconThenRunsTheExitRoutineOnce) {
    view.whileOpen = [this] { tray->mnuMain_Click(1); };
    tray->pichook_MouseMove(app::WM_RBUTTONDOWN);
    EXPECT_TRUE(blanked());
    EXPECT_EQ(endingHost.calls, (std::vector<std::string>{"remove icon", "leave"}));

    // A signal or a close box after it changes nothing, and the tray takes no more clicks.
    put(kImn, "Store Root", Variant("/mail/work"));
    program->ending.Request();
    program->ending.Now();
    tray->pichook_MouseMove(app::WM_RBUTTONDOWN);
    EXPECT_FALSE(blanked());
    EXPECT_EQ(ended(), 1);
    EXPECT_EQ(view.popups, 2);
}

TEST_F(Ending, AnEndingDuringTheWaitOfARestartWaitsForTheSwitchAndStartsNoClient) {
    // Home is protected too: the exit routine must see the switch whole, and blank Home.
    makeSecure("Home", "Other");
    program->store.ProfileNames.push_back("Home");
    clock.duringWait = [this] {
        if (program->ending.Busy()) {
            program->ending.Request();
            EXPECT_EQ(ended(), 0) << "the exit routine ran in the middle of the switch";
        }
    };
    clickAndChoose(app::WM_RBUTTONDOWN, 0);
    EXPECT_EQ(processes.started.size(), 1u) << "a client was started after the ending";
    EXPECT_EQ(get(kImn, "Current Profile"), Variant("Home"));
    EXPECT_TRUE(blanked());
    EXPECT_EQ(ended(), 1);
    // Dialogs open at the time were closed, so that the operation could come to its end.
    EXPECT_EQ(endingHost.calls.front(), "dismiss");
}

TEST_F(Ending, ANewChoiceWhileASwitchPumpsEventsIsNotTaken) {
    // The events a switch lets through while it waits carry a click on the icon and a choice.
    int tries = 0;
    clock.duringWait = [this, &tries] {
        if (program->ending.Busy() && tries++ == 0) {
            tray->pichook_MouseMove(app::WM_RBUTTONDOWN);
            tray->mnuProfiles_Click(2);
        }
    };
    clickAndChoose(app::WM_RBUTTONDOWN, 0);
    EXPECT_GT(tries, 0);
    EXPECT_EQ(get(kImn, "Current Profile"), Variant("Home"));
    EXPECT_EQ(program->context.CurrentProfile, "Home");
    ASSERT_EQ(processes.started.size(), 2u);
    EXPECT_NE(processes.started[1].argument.find("Mail---Home"), std::string::npos);
    EXPECT_EQ(view.popups, 2);  // the first choice of the fixture and this one; no third
}

TEST(EndingAtStartUp, WaitsUntilTheProgramWouldLive) {
    int exitRoutines = 0;
    app::Ending starting([&exitRoutines] { ++exitRoutines; }, [] {});
    RecordingEndingHost host;
    starting.SetHost(host);
    starting.Request();  // a kill while the start-up shows a message box
    EXPECT_EQ(host.calls, std::vector<std::string>{"dismiss"});
    EXPECT_EQ(exitRoutines, 0);
    EXPECT_FALSE(starting.Live());
    EXPECT_EQ(exitRoutines, 1);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"dismiss", "remove icon", "leave"}));

    app::Ending quiet([] {}, [] {});
    EXPECT_TRUE(quiet.Live());  // nothing asked for: the program lives on
}

TEST_F(Ending, TheProcessEndingFromOutsideUndoesTheOperationAndStillBlanks) {
    QUORVEL_SKIP_WITHOUT_TRANSACTIONS();
    // The display goes away while a command has written half of what it writes.
    program->RunCommand([this] {
        auto transaction = reg().BeginTransaction();
        reg().SetValue(kImn, "Current Profile", Variant("Half"), registry::REG_SZ);
        program->ending.Now();
    });
    EXPECT_EQ(get(kImn, "Current Profile"), Variant("Work"));
    EXPECT_TRUE(blanked());
    EXPECT_EQ(endingHost.calls, std::vector<std::string>{"silence"});
    // The abandoned operation's scopes, gone since, leave the store as usable as before.
    auto next = reg().BeginTransaction();
    reg().SetValue(kImn, "Current Profile", Variant("Next"), registry::REG_SZ);
    EXPECT_TRUE(next->commit());
    EXPECT_EQ(get(kImn, "Current Profile"), Variant("Next"));
}

TEST_F(Ending, ACommandThatFailsIsReportedAndNoneRunsOnceTheProgramEnds) {
    EXPECT_TRUE(program->RunCommand([] { throw std::runtime_error("Is a directory"); }));
    ASSERT_FALSE(prompts.shown.empty());
    EXPECT_EQ(prompts.shown.back().text, "Quorvel could not finish this command: Is a directory");

    program->ending.Request();
    bool ran = false;
    EXPECT_FALSE(program->RunCommand([&ran] { ran = true; }));
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace quorvel::testing
