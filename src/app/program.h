#pragma once

#include <functional>
#include <string>

#include "app/client_launcher.h"
#include "app/ending.h"
#include "app/passwords.h"
#include "app/platform.h"
#include "app/profile_editor.h"
#include "app/prompts.h"
#include "app/services.h"
#include "profiles/apply_profile.h"
#include "profiles/core.h"
#include "profiles/profile_store.h"
#include "registry/registry.h"
#include "settings/base64.h"
#include "settings/catalogue.h"
#include "settings/setting_transfer.h"

namespace quorvel::app {

// The windows the start-up opens: on a normal start the hidden profile-list holder and the
// tray; after the first profile also the settings window.
class ProgramWindows {
  public:
    virtual ~ProgramWindows() = default;
    virtual void OpenTray() = 0;
    virtual void OpenAfterFirstProfile() = 0;
};

// How a start went, and so whether the program lives on.
enum class Course {
    CommandLineLaunch,  // the client(s) started; the program ends
    SecondInstance,     // another instance runs; this one ends silently
    FirstRunDeclined,   // the user said No to gathering the first profile; the program ends
    FirstRunFailed,     // the first profile could not be saved (the user was told); it ends
    FirstRun,           // the first profile is made; tray and settings window are open
    NormalStart,        // the tray is open; the program waits for the user
};

// The program: its shared state and routines, built over one registry store on the core's
// wiring. Every object the windows work with lives here and is handed to them by reference.
class Program : public profiles::Core {
    // First, so that the members below can hold on to it.
    Services services_;

  public:
    Program(registry::Hive& hive, const Services& services);

    ProfilePasswords passwords;
    // Before the launcher, which starts no client once an ending has been asked for.
    Ending ending;
    ClientLauncher launcher;
    // The settings window's work; last, as it reaches all of the above.
    ProfileEditor editor{*this};

    std::string AppVersion;    // "5.1.0"
    bool TrayLoaded = false;   // the tray has finished loading
    bool windowShown = false;  // the settings window is open

    // The start-up sequence. `commandLine` is every argument joined by single blanks.
    Course Main(const std::string& commandLine, ProgramWindows& windows);
    // Makes `name` the current profile when it is not protected, or was opened in this run, or
    // the user gives its password; otherwise CurrentProfile stays as it was and the answer is
    // false.
    bool UnlockProfile(const std::string& name);
    // The exit routine: blanks the client's account, store and address book when the profile
    // it holds is protected. It runs through `ending`, which also ends the program.
    void ShutDown();
    // A command the user gave (a menu item, a profile choice) as one operation: not begun once
    // the program is ending, and a failure that escapes it is reported instead of ending the
    // program. False when it was not run.
    bool RunCommand(const std::function<void()>& command);

    Prompts& prompts() { return services_.prompts; }
    const Services& services() const { return services_; }

  private:
    // Steps before the roads part: constants, "Disable News", the version bookkeeping.
    void Prepare();
    // The command-line road; true when it launched (the program then ends).
    bool TryCommandLine(const std::string& commandLine);
    Course FirstRun(ProgramWindows& windows);
};

}  // namespace quorvel::app
