#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>
#include <string_view>

#include "ui/qt_text.h"

namespace quorvel::ui {

// Values in and out of the settings window's controls, in the program's own terms: ANSI text,
// line breaks as carriage return and line feed, and check boxes as 0 (unchecked), 1 (checked)
// or 2 (greyed).

inline std::string BoxText(const QLineEdit* box) {
    return ToAnsi(box->text());
}

inline std::string BoxText(const QPlainTextEdit* box) {
    QString text = box->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return ToAnsi(text);
}

// A stored text longer than the box takes when typing is still shown whole: cutting it would
// change the setting behind the user's back. The box's own limit applies again to the next
// text that fits it.
inline void SetBoxText(QLineEdit* box, std::string_view text) {
    const QString shown = FromAnsi(text);
    const QVariant designLimit = box->property("designMaxLength");
    if (designLimit.isValid()) {
        box->setMaxLength(std::max(designLimit.toInt(), static_cast<int>(shown.size())));
    }
    box->setText(shown);
}

inline void SetBoxText(QPlainTextEdit* box, std::string_view text) {
    QString shown = FromAnsi(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box->setPlainText(shown);
}

inline int CheckValue(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        default:
            return 0;
    }
}

inline void SetCheckValue(QCheckBox* box, int value) {
    box->setCheckState(value == 2   ? Qt::PartiallyChecked
                       : value == 1 ? Qt::Checked
                                    : Qt::Unchecked);
}

}  // namespace quorvel::ui
