#include "app/tray_menu.h"

#include <gtest/gtest.h>

#include "app/help.h"
#include "tray_fixture.h"

namespace quorvel::testing {
namespace {

TEST_F(Tray, ButtonsChooseTheClient) {
    struct Case {
        int message;
        bool newsDisabled;
        std::string caption;
        std::string started;
    };
    const std::vector<Case> cases = {
        {app::WM_LBUTTONDOWN, false, "News Mode", "News---Home"},
        {app::WM_LBUTTONDOWN, true, "Mail Mode", "Mail---Home"},
        {app::WM_RBUTTONDOWN, false, "Mail Mode", "Mail---Home"},
        {app::WM_RBUTTONDOWN, true, "Mail Mode", "Mail---Home"},
    };
    for (const Case& c : cases) {
        program->store.NewsDisabled = c.newsDisabled;
        program->store.RunningProfile = "";
        processes.started.clear();
        clickAndChoose(c.message, 0);
        EXPECT_EQ(tray->ModeCaption, c.caption);
        ASSERT_EQ(processes.started.size(), 1u);
        EXPECT_NE(processes.started[0].argument.find(c.started), std::string::npos)
            << c.message << " " << c.newsDisabled;
        EXPECT_FALSE(tray->MenuOpen);
    }
}

TEST_F(Tray, OtherMessagesAndAnOpenSettingsWindowOpenNothing) {
    for (const int message : {512, 514, 515, 517, 518}) {
        tray->pichook_MouseMove(message);
    }
    EXPECT_EQ(view.popups, 0);
    program->windowShown = true;
    tray->pichook_MouseMove(app::WM_RBUTTONDOWN);
    EXPECT_EQ(view.popups, 0);
    program->windowShown = false;
    tray->MenuOpen = true;  // a click already being handled
    tray->pichook_MouseMove(app::WM_RBUTTONDOWN);
    EXPECT_EQ(view.popups, 0);
}

TEST_F(Tray, CheckMarkFollowsTheChoice) {
    EXPECT_EQ(tray->ProfileChecked, (std::vector<bool>{false, true, false, false}));
    clickAndChoose(app::WM_RBUTTONDOWN, 0);
    EXPECT_EQ(tray->ProfileChecked, (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(program->context.CurrentProfile, "Home");
    EXPECT_EQ(get(std::string(settings::kImnKey), "Current Profile"), Variant("Home"));
}

TEST_F(Tray, CancelledPasswordKeepsEverything) {
    makeSecure("Home", "Secret");
    prompts.passwordAnswers = {""};
    clickAndChoose(app::WM_RBUTTONDOWN, 0);
    EXPECT_EQ(program->context.CurrentProfile, "Work");
    EXPECT_EQ(tray->ProfileChecked, (std::vector<bool>{false, true, false, false}));
    EXPECT_TRUE(processes.started.empty());

    prompts.passwordAnswers = {"Secret"};
    clickAndChoose(app::WM_RBUTTONDOWN, 0);
    EXPECT_EQ(program->context.CurrentProfile, "Home");
    clickAndChoose(app::WM_RBUTTONDOWN, 0);  // opened in this run: not asked again
    EXPECT_EQ(prompts.passwordDialogs, 2);
}

TEST_F(Tray, MenuIsRebuiltFromTheList) {
    holder.names = {"Home", "Work"};
    tray->SetMenu();
    EXPECT_EQ(tray->ProfileCaptions, (std::vector<std::string>{"Home", "Work"}));
    EXPECT_EQ(tray->ItemCount, 2);
    program->context.CurrentProfile = "";
    holder.names = {};
    tray->SetMenu();
    EXPECT_EQ(tray->ProfileCaptions.size(), 1u);  // item 0 stays
    EXPECT_FALSE(tray->ProfilesEnabled);
    EXPECT_EQ(tray->ProfileChecked, std::vector<bool>{false});
}

TEST_F(Tray, FixedItems) {
    tray->mnuMain_Click(0);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{app::AboutText("5.1.0")});
    tray->mnuMain_Click(2);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"show settings"}));
}

}  // namespace
}  // namespace quorvel::testing
