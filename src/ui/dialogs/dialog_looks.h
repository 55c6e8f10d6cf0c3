#pragma once

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QWidget>
#include <string>
#include <vector>

#include "ui/qt_text.h"

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

// A hidden list box that mirrors a list of names; left alone, with its selection, while it
// shows them already.
inline void MirrorNames(QListWidget& list, const std::vector<std::string>& names) {
    bool same = list.count() == static_cast<int>(names.size());
    for (int i = 0; same && i < list.count(); ++i) {
        same = ToAnsi(list.item(i)->text()) == names[static_cast<std::size_t>(i)];
    }
    if (same) {
        return;
    }
    list.clear();
    for (const std::string& name : names) {
        list.addItem(FromAnsi(name));
    }
}

}  // namespace quorvel::ui
