#include "app/ending.h"

namespace quorvel::app {

bool Ending::Run(const std::function<void()>& operation) {
    // A command that arrives while another runs (through the events a switch lets through
    // while it waits) would change the state the running one works on.
    if (requested_ || depth_ > 0) {
        return false;
    }
    const Operation running = BeginOperation();
    operation();
    return true;
}

void Ending::Request() {
    if (requested_) {
        return;
    }
    requested_ = true;
    // A question left open would keep the operation that asked it, and so the ending, waiting
    // for a user who may be gone (a logout).
    if (host_ != nullptr && (depth_ > 0 || !live_)) {
        host_->DismissDialogs();
    }
    FinishIfDue();
}

void Ending::Now() {
    requested_ = true;
    if (finished_) {
        return;
    }
    finished_ = true;
    if (host_ != nullptr) {
        host_->SilencePrompts();
    }
    if (depth_ > 0) {
        abandonWrites_();
    }
    inExitRoutine_ = true;
    exitRoutine_();
    inExitRoutine_ = false;
}

bool Ending::Live() {
    live_ = true;
    FinishIfDue();
    return !finished_;
}

void Ending::FinishIfDue() {
    if (requested_ && live_ && depth_ == 0) {
        Finish();
    }
}

void Ending::Finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    if (host_ != nullptr) {
        host_->RemoveIcon();
    }
    inExitRoutine_ = true;
    exitRoutine_();
    inExitRoutine_ = false;
    if (host_ != nullptr) {
        host_->LeaveEventLoop();
    }
}

}  // namespace quorvel::app
