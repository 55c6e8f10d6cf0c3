#pragma once

#include <QObject>

class QSocketNotifier;

namespace quorvel::standin {

// Ends the Qt event loop normally when the process gets SIGTERM, which is how the switcher
// asks a client to close. A signal handler may not touch Qt, so it only writes a byte into a
// pipe whose other end the event loop watches. One per process.
class SigtermQuitter : public QObject {
    Q_OBJECT
  public:
    explicit SigtermQuitter(QObject* parent = nullptr);
    ~SigtermQuitter() override;

    bool installed() const { return notifier_ != nullptr; }

  private:
    void drain();

    int readEnd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace quorvel::standin
