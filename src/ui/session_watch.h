#pragma once

#include <QObject>
#include <QWindow>
#include <memory>

#include "app/ending.h"

namespace quorvel::ui {

// The session manager's ways of ending the program. On X11 the end of the session arrives as
// Qt's quit event (the manager's "die"), which would otherwise close the windows behind the
// program's back; it becomes an ending request, which waits for an operation under way. On
// Windows, WM_QUERYENDSESSION arrives as Qt's commit-data request and WM_ENDSESSION as
// aboutToQuit, after which the system ends the process: the exit routine runs there at once.
// (On X11 commit data is also asked at every checkpoint of a session that goes on, so there it
// ends nothing.) Windows sends those messages to top-level windows only, and a program in the
// tray may have none open: a hidden one is kept for them.
class SessionWatch final : public QObject {
    Q_OBJECT
  public:
    explicit SessionWatch(app::Ending& ending);
    ~SessionWatch() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    app::Ending& ending_;
    std::unique_ptr<QWindow> sessionWindow_;
};

}  // namespace quorvel::ui
