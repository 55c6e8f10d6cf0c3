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
#include "ui/dialogs/frm_accounts.h"
#include "ui/dialogs/frm_profiles.h"
#include "ui/settings/frm_main.h"

namespace quorvel::testing {

// The settings window over a fresh store holding the profiles Home and Work, Work shown.
class SettingsWindow : public AppFixture {
  protected:
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
        holder = std::make_unique<ui::frmProfiles>(*program, [this] { return window.get(); });
        window = std::make_unique<ui::frmMain>(*program, *holder,
                                               ui::frmMain::Actions{[this] { ++hidden; }});
        window->Form_Load();
        window->Form_Activate();
    }
    // For tests that move the focus: the window must be the active one.
    void activate() {
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::string mailKey(const std::string& profile = "Work") const {
        return std::string(settings::kProfilesKey) + "\\" + profile + "\\Mail";
    }
    std::string newsKey(const std::string& profile = "Work") const {
        return std::string(settings::kProfilesKey) + "\\" + profile + "\\News";
    }
    std::string accountKey(const std::string& account = "acct") const {
        return mailKey() + "\\" + account;
    }

    template <typename Control = QWidget>
    Control* control(const QString& name) const {
        Control* found = window->findChild<Control*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QAction* item(const QString& name) const { return control<QAction>(name); }
    QString text(const QString& name) const { return control<QLineEdit>(name)->text(); }
    bool checked(const QString& name) const { return control<QAbstractButton>(name)->isChecked(); }
    // A label's or button's caption.
    QString caption(const QString& name) const {
        QWidget* found = control(name);
        if (auto* label = qobject_cast<QLabel*>(found)) {
            return label->text();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(found)) {
            return button->text();
        }
        return QString();
    }
};

}  // namespace quorvel::testing
