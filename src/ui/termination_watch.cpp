#include "ui/termination_watch.h"

#include <QSocketNotifier>

namespace quorvel::ui {

TerminationWatch::TerminationWatch(std::function<void()> onTerminate)
    : onTerminate_(std::move(onTerminate)) {
    if (signals_.readEnd() < 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signals_.readEnd(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        signals_.Drain();
        onTerminate_();  // asked once or many times, the program ends once
    });
}

}  // namespace quorvel::ui
