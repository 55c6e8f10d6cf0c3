#include "ui/tray/frm_tray.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>

#include "app/app_fixture.h"

namespace quorvel::testing {
namespace {

class Names final : public app::ProfileListHolder {
  public:
    std::vector<std::string> names{"Home", "Work"};
    std::vector<std::string> ProfileNamesInList() const override { return names; }
};

class TrayForm : public AppFixture {
  protected:
    Names holder;
    std::unique_ptr<ui::frmTray> tray;

    void SetUp() override {
        AppFixture::SetUp();
        addProfile("Home");
        addProfile("Work");
        program->context.CurrentProfile = "Work";
        tray = std::make_unique<ui::frmTray>(*program, holder, [] {});
        tray->Form_Load();
    }
    QAction* item(const QString& name) { return tray->menu()->findChild<QAction*>(name); }
};

TEST_F(TrayForm, MenuCarriesTheItemsTheirNamesAndTheCheckMark) {
    const std::vector<std::pair<QString, QString>> fixed = {
        {"mnuMain_0", "About Quorvel!"}, {"mnuMain_1", "Quit"},     {"mnuMain_2", "Show Settings"},
        {"mnuMain_4", "News Mode"},      {"mnuProfiles_0", "Home"}, {"mnuProfiles_1", "Work"},
    };
    for (const auto& [name, caption] : fixed) {
        ASSERT_NE(item(name), nullptr) << name.toStdString();
        EXPECT_EQ(item(name)->text(), caption) << name.toStdString();
    }
    EXPECT_TRUE(item("mnuMain_3")->isSeparator());
    EXPECT_TRUE(item("mnuMain_5")->isSeparator());
    EXPECT_FALSE(item("mnuProfiles_0")->isChecked());
    EXPECT_TRUE(item("mnuProfiles_1")->isChecked());

    holder.names = {"Solo"};
    tray->SetMenu();
    EXPECT_EQ(item("mnuProfiles_1"), nullptr);
    EXPECT_EQ(item("mnuProfiles_0")->text(), QStringLiteral("Solo"));
}

TEST_F(TrayForm, ChoosingAnItemSwitchesAndQuitEnds) {
    tray->logic().ClientMode = 1;
    item("mnuProfiles_0")->trigger();
    EXPECT_EQ(program->context.CurrentProfile, "Home");
    EXPECT_TRUE(item("mnuProfiles_0")->isChecked());
    EXPECT_FALSE(item("mnuProfiles_1")->isChecked());
    ASSERT_EQ(processes.started.size(), 1u);
    item("mnuMain_1")->trigger();
    EXPECT_EQ(ended(), 1);
}

TEST_F(TrayForm, WithoutANotificationAreaTheUserIsToldOnceAndGetsAWindow) {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        GTEST_SKIP() << "this desktop has a notification area";
    }
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_NE(prompts.shown[0].text.find("no notification area"), std::string::npos);
    bool standInShown = false;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        standInShown |=
            widget->objectName() == QStringLiteral("frmTrayStandIn") && widget->isVisible();
    }
    EXPECT_TRUE(standInShown);
}

}  // namespace
}  // namespace quorvel::testing
