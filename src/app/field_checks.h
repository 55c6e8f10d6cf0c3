#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::app {

// The three arrays of short value boxes beside the option check boxes: txtListMail,
// txtListNews and txtListServer.
enum class ValueBoxes { Mail, News, Server };

// What a value box may hold. A numeric box takes a number within its bounds (inclusive); an
// indent box one of the three indent characters; a free box anything.
struct ValueBoxRule {
    enum class Kind { Number, IndentCharacter, Free };
    Kind kind;
    double lower;
    double upper;
    std::string_view defaultText;  // filled in when the box gets the focus empty
    bool hasCheckBox;              // the check box of the same index switches the check off
};

// Nullopt for an index without a value box of its own rule.
std::optional<ValueBoxRule> RuleFor(ValueBoxes boxes, int index);
// The text an empty box gets when it receives the focus; "" for an index without a rule.
std::string DefaultText(ValueBoxes boxes, int index);

// The outcome of checking a value box as it loses the focus. When refused, `message` is shown
// and `putBack` replaces the entry.
struct FieldVerdict {
    bool accepted = true;
    std::string message;
    std::string putBack;
};

// `optionChecked` is the state of the box's check box; boxes without one ignore it.
FieldVerdict CheckValueBox(ValueBoxes boxes, int index, std::string_view text, bool optionChecked);

}  // namespace quorvel::app
