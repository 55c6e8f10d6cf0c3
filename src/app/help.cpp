#include "app/help.h"

#include "app/program.h"
#include "registry/names.h"

namespace quorvel::app {
namespace {

constexpr std::string_view kBrowserKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
constexpr std::string_view kNoBrowser =
    "Internet Explorer could not be started,please open Quorvel! Information document manually";
constexpr std::string_view kHelpDocument = "inform.htm";
// An installed program keeps its data in share/quorvel beside its bin folder.
constexpr std::string_view kInstalledHelpDocument = "../share/quorvel/inform.htm";

// Beside the program in a build folder or the Windows folder, else where an installed program
// keeps it. With neither there, the browser is sent to the one beside the program, and says it
// is missing.
std::string HelpDocument(const Services& services, const std::string& folder) {
    const std::string beside = services.files.JoinPath(folder, kHelpDocument);
    const std::string installed = services.files.JoinPath(folder, kInstalledHelpDocument);
    if (!services.clientFiles.FileExists(beside) && services.clientFiles.FileExists(installed)) {
        return installed;
    }
    return beside;
}

}  // namespace

std::string AboutText(std::string_view version) {
    return "Quorvel!\rVersion " + std::string(version) +
           "\r\rProfiles for Internet Mail and News: keeps any number of complete sets of the "
           "client's settings and switches the client from one to another.";
}

TaskId StartHelp(Program& program, const std::string& folder) {
    auto& reg = program.reg;
    auto& transfer = program.transfer;
    // The browser is remembered program-wide; a failed write only means it is looked up again.
    const auto remember = [&](const std::string& browser) {
        auto scope = reg.BeginTransaction();
        reg.RegValue = Variant(browser);
        transfer.CopySetting(settings::kProfileSide, settings::setting::kIePath);
        static_cast<void>(scope->commit());
    };

    transfer.ReadSetting(settings::kProfileSide, settings::setting::kIePath);
    std::string browser = reg.RegValue.text();
    if (browser.empty()) {
        reg.GetValue(kBrowserKey, "", registry::Root::LocalMachine);
        const Variant registered = reg.RegValue;
        if (registered.isNumeric() || registry::CharacterCount(registered.text()) < 4) {
            program.prompts().MsgBox(kNoBrowser);
            return 0;
        }
        browser = registered.text();
        remember(browser);
    }

    const std::string document = HelpDocument(program.services(), folder);
    std::string error;
    const TaskId task =
        program.services().processes.Start(browser, document, kMaximizedFocus, error);
    if (task == 0) {
        // A remembered browser that is gone is forgotten: the next try looks it up again.
        remember("");
        program.prompts().MsgBox(kNoBrowser);
    }
    return task;
}

}  // namespace quorvel::app
