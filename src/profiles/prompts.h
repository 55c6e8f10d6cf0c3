#pragma once

#include <string>
#include <string_view>

namespace quorvel::profiles {

// The title of every message box that names no other.
inline constexpr std::string_view kProgramTitle = "Quorvel!";

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { Ok, Cancel, Yes, No };

// Message boxes, behind one interface: the program shows real dialogs, tests answer from a
// script and keep a record. Lines inside a text are separated by a carriage return ("\r").
class Prompts {
  public:
    virtual ~Prompts() = default;
    virtual Answer MsgBox(std::string_view text, Buttons buttons = Buttons::Ok,
                          Icon icon = Icon::None, std::string_view title = kProgramTitle) = 0;
};

}  // namespace quorvel::profiles
