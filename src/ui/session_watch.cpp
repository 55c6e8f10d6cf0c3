#include "ui/session_watch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>

namespace quorvel::ui {

SessionWatch::SessionWatch(app::Ending& ending) : ending_(ending) {
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(this);
    connect(application, &QCoreApplication::aboutToQuit, this, [this] { ending_.Now(); });
#ifndef QT_NO_SESSIONMANAGER
    if (QGuiApplication::platformName() == QStringLiteral("windows")) {
        connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { ending_.Request(); });
        sessionWindow_ = std::make_unique<QWindow>();
        sessionWindow_->setObjectName(QStringLiteral("SessionWindow"));
        sessionWindow_->create();
    }
#endif
}

SessionWatch::~SessionWatch() {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

bool SessionWatch::eventFilter(QObject* watched, QEvent* event) {
    // Once the program has ended, a quit (Windows sends one after WM_ENDSESSION) goes through.
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit &&
        !ending_.Finished()) {
        ending_.Request();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quorvel::ui
