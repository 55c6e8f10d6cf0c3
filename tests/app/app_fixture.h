#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/program.h"
#include "fake_platform.h"
#include "profiles/profiles_fixture.h"
#include "settings/client_keys.h"
#include "support/scripted_prompts.h"

namespace quorvel::testing {

// A whole program over the core's fresh store, a fake desktop and scripted answers, the client
// installed. `reg()` is the program's registry layer; put and get are the core's, on the same
// store.
class AppFixture : public ProfilesFixture {
  protected:
    FakeProcesses processes;
    FakeClientFiles clientFiles;
    FakeClock clock;
    FakeInstance instance;
    RecordingEndingHost endingHost;
    std::unique_ptr<app::Program> program;
    const std::string mailJunction = "/win/Internet Mail.{89292102-4755-11cf-9DC2-00AA006C2B84}";

    void SetUp() override {
        folders.folder = "/win";
        files.joinWithSlash = true;
        clientFiles.files = {mailJunction,
                             "/win/Internet News.{89292103-4755-11cf-9DC2-00AA006C2B84}"};
        newProgram(hive);
        for (const char* key : {"\\Mail", "\\News"}) {
            reg().CreateKey(std::string(settings::kImnKey) + key, registry::Root::CurrentUser);
        }
        reg().CreateKey(std::string(settings::kWabFileKey), registry::Root::CurrentUser);
    }
    // A program started anew over `over`, past its start-up: an ending runs at once.
    void newProgram(registry::Hive& over) {
        program = std::make_unique<app::Program>(
            over,
            app::Services{processes, clientFiles, files, clock, clock, prompts, instance, folders});
        program->store.WinDir = "/win";
        program->ending.SetHost(endingHost);
        program->ending.Live();
    }
    registry::Registry& reg() { return program->reg; }
    int ended() const {
        return static_cast<int>(
            std::count(endingHost.calls.begin(), endingHost.calls.end(), "leave"));
    }
    // A profile with one account profile, added at the end of "Profile List".
    void addProfile(const std::string& name, int maximizeMail = 1) {
        const std::string mail = settings::ProfileMailKey(name);
        put(mail, "Sender Name", Variant(name + " Sender"));
        put(mail, "Default Account Profile", Variant("acct"));
        put(mail, "Maximize Mail Window", Variant(maximizeMail), registry::REG_DWORD);
        put(mail + "\\acct", "Default POP3 Server", Variant("pop." + name));
        put(settings::ProfileKey(name) + "\\News", "DefaultServer", Variant("news." + name));
        std::string list = get(std::string(settings::kAppKey), "Profile List").text();
        list = list.substr(0, list.find('|'));
        put(std::string(settings::kAppKey), "Profile List", Variant(list + name + ";|"));
    }
    void makeSecure(const std::string& name, const std::string& password) {
        put(settings::ProfileKey(name), "Secure Profile", Variant(1), registry::REG_DWORD);
        put(settings::ProfileKey(name), "Profile Password", Variant(password));
    }
};

}  // namespace quorvel::testing
