#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace quorvel::ui {

// Sizes a dialog to the given shares of the screen's width and height and centres it there.
inline void PlaceOnScreen(QWidget& dialog, double widthShare, double heightShare) {
    const QScreen* screen =
        dialog.screen() != nullptr ? dialog.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    const int width = static_cast<int>(area.width() * widthShare);
    const int height = static_cast<int>(area.height() * heightShare);
    dialog.resize(width, height);
    dialog.move(area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2);
}

}  // namespace quorvel::ui
