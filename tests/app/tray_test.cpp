#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "app/tray_menu.h"
#include "app_fixture.h"

namespace quorvel::testing {
namespace {

const std::string kImn(settings::kImnKey);
using Texts = std::vector<std::string>;

class RecordingView final : public app::TrayView {
  public:
    int popups = 0;
    std::function<void()> whileOpen = [] {};  // what the user picks while the menu is up
    void PopUpMenu() override {
        ++popups;
        whileOpen();
    }
    void ShowSettings() override {}
};

class Tray : public AppFixture {
  protected:
    FakeProfileList holder;
    RecordingView view;
    std::unique_ptr<app::TrayMenu> tray;

    void SetUp() override {
        AppFixture::SetUp();
        for (const char* name : {"Home", "Work", "Spare"}) {
            addProfile(name);
            holder.names.emplace_back(name);
        }
        program->AppVersion = "5.1.0";
        program->context.CurrentProfile = "Work";
        tray = std::make_unique<app::TrayMenu>(*program, view, holder);
        tray->Form_Load();
    }
    // A click on the icon, then a choice of profile item `item` in the menu.
    void clickAndChoose(int message, int item) {
        view.whileOpen = [this, item] { tray->mnuProfiles_Click(item); };
        tray->pichook_MouseMove(message);
    }
};

TEST_F(Tray, ButtonsChooseTheClient) {
    const struct {
        int message;
        bool newsDisabled;
        std::string caption, started;
    } cases[] = {
        {app::WM_LBUTTONDOWN, false, "News Mode", "News---Home"},
        {app::WM_LBUTTONDOWN, true, "Mail Mode", "Mail---Home"},
        {app::WM_RBUTTONDOWN, false, "Mail Mode", "Mail---Home"},
    };
    for (const auto& c : cases) {
        program->store.NewsDisabled = c.newsDisabled;
        program->store.RunningProfile = "";
        clickAndChoose(c.message, 0);
        EXPECT_EQ(tray->ModeCaption, c.caption);
        EXPECT_NE(processes.started.back().argument.find(c.started), std::string::npos);
        EXPECT_FALSE(tray->MenuOpen);
    }
    EXPECT_EQ(processes.started.size(), 3u);
}

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
    EXPECT_EQ(endingHost.calls, (Texts{"dismiss", "remove icon", "leave"}));
}

TEST_F(Ending, ANewChoiceWhileASwitchPumpsEventsIsNotTaken) {
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
    ASSERT_EQ(processes.started.size(), 2u);
    EXPECT_EQ(view.popups, 2);  // the first choice of the fixture and this one; no third
}

TEST(EndingAtStartUp, WaitsUntilTheProgramWouldLive) {
    int exitRoutines = 0;
    app::Ending starting([&exitRoutines] { ++exitRoutines; }, [] {});
    RecordingEndingHost host;
    starting.SetHost(host);
    starting.Request();  // a kill while the start-up shows a message box
    EXPECT_EQ(exitRoutines, 0);
    EXPECT_FALSE(starting.Live());
    EXPECT_EQ(exitRoutines, 1);
    EXPECT_EQ(host.calls, (Texts{"dismiss", "remove icon", "leave"}));
    EXPECT_TRUE(app::Ending([] {}, [] {}).Live());  // nothing asked for: the program lives on
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
    EXPECT_EQ(endingHost.calls, Texts{"silence"});
}

TEST_F(Ending, ACommandThatFailsIsReportedAndNoneRunsOnceTheProgramEnds) {
    EXPECT_TRUE(program->RunCommand([] { throw std::runtime_error("Is a directory"); }));
    EXPECT_EQ(prompts.texts().back(), "Quorvel could not finish this command: Is a directory");
    program->ending.Request();
    bool ran = false;
    EXPECT_FALSE(program->RunCommand([&ran] { ran = true; }));
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace quorvel::testing
