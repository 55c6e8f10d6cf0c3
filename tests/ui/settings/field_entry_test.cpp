// Editing in the settings window: change flags, focus and the value boxes' checks.
#include "ui/settings/settings_window_fixture.h"

namespace quorvel::testing {
namespace {

class FieldEntry : public SettingsWindow {
  protected:
    void SetUp() override {
        SettingsWindow::SetUp();
        open();
        activate();
    }
    // The user types `typed` into the box, then moves on to another control.
    void enterAndLeave(const char* name, const char* typed, const char* next) {
        QLineEdit* field = box(QLatin1String(name));
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClicks(field, QLatin1String(typed));
        control(QLatin1String(next))->setFocus(Qt::TabFocusReason);
    }
};

TEST_F(FieldEntry, RefusedValuesAreReportedPutBackAndKeepTheFocus) {
    window->mnuWindow_Click(3);
    control<QCheckBox>("chkListMail_1")->setChecked(true);
    enterAndLeave("txtListMail_1", "0", "chkMail_1");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "This value must be between 1 and 120");
    EXPECT_EQ(prompts.shown[0].icon, profiles::Icon::Information);
    EXPECT_EQ(prompts.shown[0].buttons, profiles::Buttons::Ok);
    EXPECT_EQ(prompts.shown[0].title, "Quorvel!");
    EXPECT_EQ(text("txtListMail_1"), QStringLiteral("1"));
    EXPECT_EQ(QApplication::focusWidget(), box("txtListMail_1"));

    control<QCheckBox>("chkListMail_2")->setChecked(true);
    enterAndLeave("txtListMail_2", ">>", "chkMail_1");
    EXPECT_EQ(prompts.shown.back().text, "Must be one of the following characters  > or | or :");
    EXPECT_EQ(text("txtListMail_2"), QStringLiteral(">"));
    EXPECT_EQ(prompts.shown.size(), 2u);  // taking the focus back started no second check
}

TEST_F(FieldEntry, EditsMarkTheHalfOfTheWindowTheyBelongTo) {
    struct Case {
        const char* control;
        bool profile;
    };
    const Case cases[] = {
        {"txtSigFileMail", true}, {"chkNews_7", true},        {"optSigMail_2", true},
        {"txtServer_3", false},   {"chkListServer_1", false},
    };
    for (const Case& c : cases) {
        window->getProfile();
        QWidget* edited = control(QLatin1String(c.control));
        if (auto* line = qobject_cast<QLineEdit*>(edited)) {
            line->setText(line->text() + QStringLiteral("9"));
        } else {
            qobject_cast<QAbstractButton*>(edited)->click();
        }
        EXPECT_EQ(program->editor.profileChanged, c.profile) << c.control;
        EXPECT_EQ(program->editor.accountChanged, !c.profile) << c.control;
    }
    auto* signature = control<QPlainTextEdit>("txtSigNews");
    window->getProfile();
    signature->setPlainText(QStringLiteral("-- \nAnn"));
    EXPECT_TRUE(program->editor.profileChanged);

    // Opening a top menu enables its save item only for its own half.
    window->getProfile();
    control<QCheckBox>("chkServer_1")->click();
    window->mnuTop_Click(1);
    window->mnuTop_Click(0);
    EXPECT_TRUE(item("mnuAccounts_2")->isEnabled());
    EXPECT_FALSE(item("mnuProfiles_6")->isEnabled());
}

}  // namespace
}  // namespace quorvel::testing
