#include <gtest/gtest.h>

#include "app_fixture.h"

namespace quorvel::testing {
namespace {

class Passwords : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        addProfile("Work");
        program->context.CurrentProfile = "Work";
    }
    app::ProfilePasswords& passwords() { return program->passwords; }
};

TEST_F(Passwords, StoredPasswordIsComparedExactlyUntilRightOrCancelled) {
    makeSecure("Work", "Secret");
    struct Case {
        std::vector<std::string> typed;
        bool ok;
        int incorrect;
    };
    const std::vector<Case> cases = {
        {{"Secret"}, true, 0},
        {{"secret", "Secret"}, true, 1},   // letter case counts
        {{"Secret ", "Secret"}, true, 1},  // so does a trailing blank
        {{"nope", "no", ""}, false, 2},    // cancel after two wrong tries
        {{""}, false, 0},
    };
    for (const Case& c : cases) {
        prompts.shown.clear();
        prompts.passwordAnswers.assign(c.typed.begin(), c.typed.end());
        passwords().AskProfilePassword();
        EXPECT_EQ(passwords().PasswordOK, c.ok) << c.typed.front();
        EXPECT_EQ(prompts.shown.size(), static_cast<std::size_t>(c.incorrect));
        for (const auto& text : prompts.texts()) {
            EXPECT_EQ(text, "Incorrect password");
        }
    }
}

TEST_F(Passwords, AFirstPasswordIsSetWhenNoneUsableIsStored) {
    for (const std::string stored : {"", "ab"}) {
        makeSecure("Work", stored);
        prompts.shown.clear();
        prompts.inputPrompts.clear();
        prompts.inputAnswers = {"  ab  ", " abc "};
        passwords().AskProfilePassword();
        EXPECT_TRUE(passwords().PasswordOK);
        EXPECT_EQ(prompts.inputPrompts, (std::vector<std::string>{"Enter new password for Work",
                                                                  "Enter new password for Work"}));
        EXPECT_EQ(prompts.texts(),
                  std::vector<std::string>{"Password must be at least 3 charactors long"});
        EXPECT_EQ(get(std::string(settings::kProfilesKey) + "\\Work", "Profile Password"),
                  Variant("abc"));
        EXPECT_EQ(prompts.passwordDialogs, 0);
    }
}

TEST_F(Passwords, CancellingTheFirstPasswordStoresNothing) {
    makeSecure("Work", "");
    prompts.inputAnswers = {"   "};
    passwords().AskProfilePassword();
    EXPECT_FALSE(passwords().PasswordOK);
    EXPECT_EQ(get(std::string(settings::kProfilesKey) + "\\Work", "Profile Password"), Variant(""));
}

}  // namespace
}  // namespace quorvel::testing
