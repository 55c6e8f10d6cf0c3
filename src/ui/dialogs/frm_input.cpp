#include "ui/dialogs/frm_input.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "app/window_placement.h"
#include "ui/qt_text.h"

namespace quorvel::ui {
namespace {

// The dialog's client area and its controls, in twips.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};
constexpr int kClientWidth = 4598;
constexpr int kClientHeight = 1100;
constexpr TwipRect kText1{120, 360, 2772, 372};
constexpr TwipRect kOK{3360, 120, 972, 372};
constexpr TwipRect kCancel{3360, 600, 972, 372};

}  // namespace

frmInput::frmInput(QWidget* parent)
    : QDialog(parent),
      Text1(new QLineEdit(this)),
      btnOK(new QPushButton(QStringLiteral("OK"), this)),
      btnCancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("frmInput"));
    setWindowTitle(QStringLiteral("Enter password"));
    Text1->setObjectName(QStringLiteral("Text1"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    Text1->setEchoMode(QLineEdit::Password);
    // Every typed character shows as "*", whatever the style would draw.
    Text1->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    btnOK->setDefault(true);  // Enter chooses OK; Esc rejects the dialog, which is Cancel

    QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
    const auto place = [dpi](QWidget* control, const TwipRect& r) {
        control->setGeometry(app::TwipsToPixels(r.left, dpi), app::TwipsToPixels(r.top, dpi),
                             app::TwipsToPixels(r.width, dpi), app::TwipsToPixels(r.height, dpi));
    };
    place(Text1, kText1);
    place(btnOK, kOK);
    place(btnCancel, kCancel);
    setFixedSize(app::TwipsToPixels(kClientWidth, dpi), app::TwipsToPixels(kClientHeight, dpi));
    if (screen != nullptr) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    setTabOrder(Text1, btnOK);
    setTabOrder(btnOK, btnCancel);
    Text1->setFocus();

    connect(btnOK, &QPushButton::clicked, this, &frmInput::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmInput::btnCancel_Click);
}

void frmInput::btnOK_Click() {
    entered_ = ToAnsi(Text1->text());  // never trimmed: blanks are part of a password
    accept();
}

void frmInput::btnCancel_Click() {
    entered_.clear();
    reject();
}

}  // namespace quorvel::ui
