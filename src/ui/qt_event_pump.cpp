#include "ui/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace quorvel::ui {

// The windows stay drawn and signals and timers are served, but clicks and keys wait until the
// operation that pumps (a switch, a save) is over: they would start another one in its middle.
constexpr auto kNoUserInput = QEventLoop::ExcludeUserInputEvents;

void QtEventPump::ProcessEvents() {
    QCoreApplication::processEvents(kNoUserInput);
}

void QtEventPump::ProcessEventsFor(int milliseconds) {
    // A nested loop sleeps until an event or the timer comes, instead of polling.
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(kNoUserInput);
}

}  // namespace quorvel::ui
