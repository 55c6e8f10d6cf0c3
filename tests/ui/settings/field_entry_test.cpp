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

TEST_F(FieldEntry, UncheckedOptionsAndThePortTakeAnything) {
    window->mnuWindow_Click(3);
    control<QCheckBox>("chkListMail_1")->setChecked(false);
    enterAndLeave("txtListMail_1", "500", "chkMail_1");
    window->mnuWindow_Click(4);
    enterAndLeave("txtListServer_4", "abcd", "txtServer_1");
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(text("txtListMail_1"), QStringLiteral("500"));
    EXPECT_EQ(text("txtListServer_4"), QStringLiteral("abc"));

    // The timeout has no check box and is always checked.
    enterAndLeave("txtListServer_3", "20", "txtServer_1");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "This value must be between 30 and 300");
    EXPECT_EQ(text("txtListServer_3"), QStringLiteral("30"));
}

TEST_F(FieldEntry, EnteringAnEmptyValueBoxFillsItsDefault) {
    put(accountKey(), "RecvTimeout", Variant(""));  // shows blank, as it is no number
    window->getProfile();
    window->mnuWindow_Click(4);
    ASSERT_TRUE(text("txtListServer_3").isEmpty());
    box("txtListServer_2")->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(text("txtListServer_2"), QStringLiteral("1"));
    program->editor.accountChanged = false;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), box("txtListServer_3"));
    EXPECT_EQ(text("txtListServer_3"), QStringLiteral("30"));
    EXPECT_EQ(box("txtListServer_3")->selectedText(), QStringLiteral("30"));
    EXPECT_TRUE(program->editor.accountChanged);
    EXPECT_FALSE(program->editor.profileChanged);
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

TEST_F(FieldEntry, PanesHandTheFocusToTheirFirstRow) {
    struct Case {
        int pane;
        const char* name;
        const char* first;  // the pane itself when it hands the focus to no row
    };
    const Case cases[] = {{3, "picOtherMail", "chkMail_1"},
                          {4, "picServer", "txtServer_1"},
                          {5, "picMainNews", "txtNews_1"},
                          {2, "picSigMail", "picSigMail"}};
    for (const Case& c : cases) {
        window->mnuWindow_Click(c.pane);
        control(QLatin1String(c.name))->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(QApplication::focusWidget(), control(QLatin1String(c.first))) << c.pane;
    }
}

}  // namespace
}  // namespace quorvel::testing
