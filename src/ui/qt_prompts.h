#pragma once

#include <functional>

#include "app/prompts.h"

namespace quorvel::ui {

// Real dialogs for the program's questions: message boxes, input boxes and the password dialog.
// While the program is ending they are not shown: the text goes to standard error and the
// answer is the one that backs out, so that nothing waits for a user who may be gone.
class QtPrompts final : public app::Prompts {
  public:
    // Asked before every question: true when it is to be answered without being shown.
    void SetBackingOut(std::function<bool()> backingOut) { backingOut_ = std::move(backingOut); }
    // From now on nothing is shown at all (the display is gone).
    void Silence() { silenced_ = true; }

    profiles::Answer MsgBox(std::string_view text, profiles::Buttons buttons, profiles::Icon icon,
                            std::string_view title) override;
    std::string InputBox(std::string_view prompt, std::string_view title) override;
    std::string PasswordDialog() override;

  private:
    bool Unseen(std::string_view text) const;

    std::function<bool()> backingOut_;
    bool silenced_ = false;
};

}  // namespace quorvel::ui
