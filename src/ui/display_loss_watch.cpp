#include "ui/display_loss_watch.h"

#include <cstdio>
#include <cstdlib>

namespace quorvel::ui {
namespace {

// An exit handler takes no argument, so the watch it serves is the one thing it can find:
// set by the watch's constructor and cleared by its destructor, on the Qt thread.
std::function<void()>* gOnLoss =
    nullptr;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

void OnExit() {
    if (gOnLoss == nullptr) {
        return;
    }
    std::function<void()>* onLoss = gOnLoss;
    gOnLoss = nullptr;
    (*onLoss)();
    std::fflush(nullptr);
    // What would follow (Qt's own teardown) talks to a display that is gone.
    std::_Exit(0);
}

}  // namespace

DisplayLossWatch::DisplayLossWatch(std::function<void()> onLoss) : onLoss_(std::move(onLoss)) {
    static const bool registered = std::atexit(OnExit) == 0;
    if (registered) {
        gOnLoss = &onLoss_;
    }
}

DisplayLossWatch::~DisplayLossWatch() {
    if (gOnLoss == &onLoss_) {
        gOnLoss = nullptr;
    }
}

}  // namespace quorvel::ui
