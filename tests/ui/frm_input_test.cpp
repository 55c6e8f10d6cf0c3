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

TEST(ShownText, CarriageReturnsBreakLines) {
    EXPECT_EQ(ShownText("a\rb\r\nc"), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(app::TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(app::TwipsToPixels(4598, 96), 307);
}

}  // namespace
}  // namespace quorvel::ui
