#pragma once

#include <QObject>

#include "platform/signal_pipe.h"

namespace quorvel::standin {

// Ends the Qt event loop normally when the process gets SIGTERM, which is how the switcher
// asks a client to close. One per process.
class SigtermQuitter : public QObject {
    Q_OBJECT
  public:
    explicit SigtermQuitter(QObject* parent = nullptr);

    bool installed() const { return signals_.readEnd() >= 0; }

  private:
    platform::SignalPipe signals_{platform::EndingSignals::Terminate};
};

}  // namespace quorvel::standin
