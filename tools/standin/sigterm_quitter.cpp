#include "sigterm_quitter.h"

#include <QCoreApplication>
#include <QSocketNotifier>

namespace quorvel::standin {

SigtermQuitter::SigtermQuitter(QObject* parent) : QObject(parent) {
    if (!installed()) {
        return;
    }
    auto* notifier = new QSocketNotifier(signals_.readEnd(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        signals_.Drain();
        QCoreApplication::quit();
    });
}

}  // namespace quorvel::standin
