#pragma once

#include "app/ending.h"

namespace quorvel::ui {

class QtProgramWindows;
class QtPrompts;

// The desktop's part of the program's end: open dialogs closed, the icon removed, the event
// loop left.
class QtEndingHost final : public app::EndingHost {
  public:
    QtEndingHost(QtProgramWindows& windows, QtPrompts& prompts)
        : windows_(windows), prompts_(prompts) {}

    void DismissDialogs() override;
    void RemoveIcon() override;
    void LeaveEventLoop() override;
    void SilencePrompts() override;

  private:
    QtProgramWindows& windows_;
    QtPrompts& prompts_;
};

}  // namespace quorvel::ui
