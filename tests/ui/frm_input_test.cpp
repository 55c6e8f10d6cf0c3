#include "ui/dialogs/frm_input.h"
#include "app/window_placement.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "ui/qt_text.h"

namespace quorvel::ui {
namespace {

// Shows the dialog modally, types `text`, then presses `key`; returns what it handed back.
std::string Answer(const QString& text, Qt::Key key) {
    frmInput dialog;
    QTimer::singleShot(0, &dialog, [&] {
        auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("Text1"));
        QTest::keyClicks(box, text);
        QTest::keyClick(box, key);
    });
    dialog.exec();
    return dialog.EnteredPassword();
}

TEST(PasswordDialog, EnterIsOkEscIsCancelAndNothingIsTrimmed) {
    EXPECT_EQ(Answer(QStringLiteral(" Secret "), Qt::Key_Return), " Secret ");
    EXPECT_EQ(Answer(QStringLiteral("Secret"), Qt::Key_Escape), "");
    EXPECT_EQ(Answer(QString(), Qt::Key_Return), "");
}

TEST(PasswordDialog, LayoutFollowsTheDesignInTwips) {
    frmInput dialog;
    const double dpi = dialog.screen()->logicalDotsPerInchX();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Enter password"));
    EXPECT_EQ(dialog.size(), QSize(app::TwipsToPixels(4598, dpi), app::TwipsToPixels(1100, dpi)));
    const auto* text = dialog.findChild<QLineEdit*>(QStringLiteral("Text1"));
    const auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("btnOK"));
    const auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("btnCancel"));
    ASSERT_TRUE(text && ok && cancel);
    EXPECT_EQ(text->echoMode(), QLineEdit::Password);
    EXPECT_EQ(text->geometry(), QRect(app::TwipsToPixels(120, dpi), app::TwipsToPixels(360, dpi),
                                      app::TwipsToPixels(2772, dpi), app::TwipsToPixels(372, dpi)));
    EXPECT_EQ(cancel->geometry().top(), app::TwipsToPixels(600, dpi));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
}

TEST(ShownText, CarriageReturnsBreakLines) {
    EXPECT_EQ(ShownText("a\rb\r\nc"), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(app::TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(app::TwipsToPixels(4598, 96), 307);
}

}  // namespace
}  // namespace quorvel::ui
