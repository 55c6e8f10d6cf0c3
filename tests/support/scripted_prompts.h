#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/prompts.h"

namespace quorvel::testing {

// Answers message boxes, input boxes and the password dialog from a script and keeps a record
// of every one shown. A box without a scripted answer gets the answer that backs out (OK where
// that is all there is, else Cancel or No), an input box or the password dialog "".
class ScriptedPrompts final : public app::Prompts {
  public:
    struct Shown {
        std::string text;
    };

    std::vector<Shown> shown;
    std::deque<profiles::Answer> answers;
    // Runs as every question (box, input box, password dialog) is asked, with its text.
    std::function<void(std::string_view)> onAsk;

    profiles::Answer MsgBox(std::string_view text, profiles::Buttons buttons, profiles::Icon,
                            std::string_view) override {
        shown.push_back({std::string(text)});
        asked(text);
        if (answers.empty()) {
            return buttons == profiles::Buttons::Ok      ? profiles::Answer::Ok
                   : buttons == profiles::Buttons::YesNo ? profiles::Answer::No
                                                         : profiles::Answer::Cancel;
        }
        const profiles::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::string> inputAnswers;
    std::vector<std::string> inputPrompts;
    std::deque<std::string> passwordAnswers;
    int passwordDialogs = 0;

    std::string InputBox(std::string_view prompt, std::string_view) override {
        inputPrompts.emplace_back(prompt);
        asked(prompt);
        return Next(inputAnswers);
    }
    std::string PasswordDialog() override {
        ++passwordDialogs;
        asked("the password dialog");
        return Next(passwordAnswers);
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const Shown& box : shown) {
            result.push_back(box.text);
        }
        return result;
    }

  private:
    void asked(std::string_view shownText) const {
        if (onAsk) {
            onAsk(shownText);
        }
    }
    static std::string Next(std::deque<std::string>& script) {
        if (script.empty()) {
            return "";
        }
        std::string answer = script.front();
        script.pop_front();
        return answer;
    }
};

}  // namespace quorvel::testing
