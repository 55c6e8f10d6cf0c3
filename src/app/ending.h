#pragma once

#include <functional>

namespace quorvel::app {

// What the desktop does when the program ends.
class EndingHost {
  public:
    virtual ~EndingHost() = default;
    // Closes every question and dialog that is open, each as its Cancel would, so that an
    // operation waiting for the user comes to its end.
    virtual void DismissDialogs() = 0;
    // Takes the icon (or the window that stands in for it) off the desktop.
    virtual void RemoveIcon() = 0;
    // Leaves the event loop, so that the program ends with status 0.
    virtual void LeaveEventLoop() = 0;
    // The process ends before any question could be answered: questions are no longer shown.
    virtual void SilencePrompts() = 0;
};

// How the running program ends. Every way of ending (Quit, the settings window's close box, a
// signal, the end of the session, a lost display) runs the exit routine exactly once. An ending
// that arrives while an operation is under way (a switch with its wait, a save) takes effect
// when the operation has finished; from the moment it is asked for, no client is started and
// no new operation begins.
class Ending {
  public:
    // `exitRoutine` is the program's ShutDown; `abandonWrites` undoes the store writes of an
    // operation that will never finish.
    Ending(std::function<void()> exitRoutine, std::function<void()> abandonWrites)
        : exitRoutine_(std::move(exitRoutine)), abandonWrites_(std::move(abandonWrites)) {}
    Ending(const Ending&) = delete;
    Ending& operator=(const Ending&) = delete;

    void SetHost(EndingHost& host) { host_ = &host; }

    // Marks an operation that an ending must not cut in two; operations nest.
    class Operation {
      public:
        explicit Operation(Ending& ending) : ending_(ending) { ++ending_.depth_; }
        ~Operation() {
            if (--ending_.depth_ == 0) {
                ending_.FinishIfDue();
            }
        }
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

      private:
        Ending& ending_;
    };
    [[nodiscard]] Operation BeginOperation() { return Operation(*this); }

    // Runs `operation` as one operation, unless an ending has been asked for or another
    // operation runs (then it is not run at all and the answer is false).
    bool Run(const std::function<void()>& operation);

    // Asks the program to end: at once, or when the operation under way has finished, or, during
    // the start-up, as soon as the program would start to live.
    void Request();
    // The process is about to be ended from outside (the session is over, the display is gone):
    // no waiting for an operation, whose store writes are undone first, and no questions.
    void Now();
    // The start-up is over and the program goes on living; false when an ending asked for
    // during the start-up has already ended it.
    bool Live();

    // An ending has been asked for (or has run): nothing new may begin.
    bool Requested() const { return requested_; }
    // Questions are answered as Cancel without being shown: an ending waits for the operation
    // that asks them. The exit routine's own questions are shown.
    bool BackingOut() const { return requested_ && !inExitRoutine_; }
    bool Busy() const { return depth_ > 0; }
    bool Finished() const { return finished_; }

  private:
    void FinishIfDue();
    void Finish();

    std::function<void()> exitRoutine_;
    std::function<void()> abandonWrites_;
    EndingHost* host_ = nullptr;
    int depth_ = 0;
    bool live_ = false;
    bool requested_ = false;
    bool inExitRoutine_ = false;
    bool finished_ = false;
};

}  // namespace quorvel::app
