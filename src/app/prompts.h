#pragma once

#include <string>
#include <string_view>

#include "profiles/prompts.h"

namespace quorvel::app {

// Every question the program asks: message boxes, input boxes and the password dialog.
class Prompts : public profiles::Prompts {
  public:
    // An input box with the program's title and no default text; "" for Cancel.
    virtual std::string InputBox(std::string_view prompt,
                                 std::string_view title = profiles::kProgramTitle) = 0;
    // The password dialog: the text exactly as typed; "" for Cancel or the close box.
    virtual std::string PasswordDialog() = 0;
};

}  // namespace quorvel::app
