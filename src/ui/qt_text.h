#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quorvel::ui {

// The program's strings are bytes in the platform's ANSI encoding; Qt wants Unicode.
inline QString FromAnsi(std::string_view text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToAnsi(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Message texts break their lines with a lone carriage return; on screen that is a new line.
inline QString ShownText(std::string_view text) {
    QString shown = FromAnsi(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

}  // namespace quorvel::ui
