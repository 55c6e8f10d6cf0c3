// The baseline of the tray instance's memory: a Qt program with an icon in the notification area
// and a menu on it, waiting for the user (or, where the desktop has no notification area, a
// small window in its place, as the tray instance shows then). Ends on SIGTERM.
#include <csignal>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    std::signal(SIGTERM, [](int) { std::_Exit(0); });

    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter(&pixmap).fillRect(4, 4, 24, 24, Qt::darkBlue);
    const QIcon icon(pixmap);

    QMenu menu;
    menu.addAction(QStringLiteral("Quit"), &application, &QApplication::quit);
    QSystemTrayIcon tray(icon);
    tray.setContextMenu(&menu);
    QPushButton standIn(QStringLiteral("Menu"));
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        tray.show();
    } else {
        standIn.setMenu(&menu);
        standIn.show();
    }
    return QApplication::exec();
}
