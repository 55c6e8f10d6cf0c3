#include "ui/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace quorvel::ui {

void QtEventPump::ProcessEvents() {
    QCoreApplication::processEvents();
}

void QtEventPump::ProcessEventsFor(int milliseconds) {
    // A nested loop sleeps until an event or the timer comes, instead of polling.
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace quorvel::ui
