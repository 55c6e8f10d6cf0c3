#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

#include "app/app_fixture.h"
#include "profiles/profiles_fixture.h"
#include "ui/dialogs/frm_accounts.h"
#include "ui/dialogs/frm_profiles.h"
#include "ui/settings/frm_main.h"

namespace quorvel::testing {

// The settings window over a fresh store holding the profiles Home and Work, Work shown, with
// the profile holder that is also the deletion dialog, as the program builds them; optionally
// over a store whose commits fail on request. Controls are reached by their object names.
class SettingsWindow : public AppFixture {
  protected:
    std::unique_ptr<FaultyHive> faulty;
    std::unique_ptr<ui::frmProfiles> holder;
    std::unique_ptr<ui::frmMain> window;
    int hidden = 0;

    void SetUp() override {
        AppFixture::SetUp();
        addProfile("Home");
        addProfile("Work");
        program->context.CurrentProfile = "Work";
    }
    void TearDown() override {
        window.reset();
        holder.reset();
    }

    // The window as the tray opens it, after the desktop has activated it.
    void open() {
        window.reset();
        holder = std::make_unique<ui::frmProfiles>(*program, [this] { return window.get(); });
        window = std::make_unique<ui::frmMain>(*program, *holder,
                                               ui::frmMain::Actions{[this] { ++hidden; }});
        window->Form_Load();
        window->Form_Activate();
    }
    // The same store behind a hive that can refuse commits; open follows.
    void useFaultyStore() {
        window.reset();
        faulty = std::make_unique<FaultyHive>(hive);
        newProgram(*faulty);
        program->context.CurrentProfile = "Work";
    }
    // For tests that move the focus: the window must be the active one.
    void activate() {
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::string mailKey(const std::string& profile = "Work") const {
        return settings::ProfileMailKey(profile);
    }
    std::string newsKey(const std::string& profile = "Work") const {
        return settings::ProfileKey(profile) + "\\News";
    }
    std::string accountKey(const std::string& account = "acct") const {
        return mailKey() + "\\" + account;
    }
    std::string store() { return Dump(hive, "Software"); }

    template <typename Control = QWidget>
    Control* control(const QString& name) const {
        Control* found = window->findChild<Control*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QAction* item(const QString& name) const { return control<QAction>(name); }
    QLineEdit* box(const QString& name) const { return control<QLineEdit>(name); }
    QString text(const QString& name) const { return box(name)->text(); }
    bool checked(const QString& name) const { return control<QAbstractButton>(name)->isChecked(); }
    void check(const QString& name, bool on = true) const {
        control<QAbstractButton>(name)->setChecked(on);
    }
    ui::frmAccounts& accounts() const { return *control<ui::frmAccounts>("frmAccounts"); }
};

}  // namespace quorvel::testing
