#pragma once

#include "app/prompts.h"

class QWidget;

namespace quorvel::ui {

// Real dialogs for the program's questions: message boxes, input boxes and the password dialog.
class QtPrompts final : public app::Prompts {
  public:
    profiles::Answer MsgBox(std::string_view text, profiles::Buttons buttons, profiles::Icon icon,
                            std::string_view title) override;
    std::string InputBox(std::string_view prompt, std::string_view title) override;
    std::string PasswordDialog() override;
};

}  // namespace quorvel::ui
