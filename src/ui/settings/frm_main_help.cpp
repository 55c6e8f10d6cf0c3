// The Help menu: the help document in the registered browser, and the about box.
#include <QCoreApplication>
#include <QDir>

#include "registry/names.h"
#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {
namespace {

constexpr std::int16_t kProfile = settings::kProfileSide;
constexpr std::string_view kBrowserKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
constexpr std::string_view kNoBrowser =
    "Internet Explorer could not be started,please open Quorvel! Information document manually";
constexpr std::string_view kHelpDocument = "inform.htm";

}  // namespace

void frmMain::mnuHelp_Click(int index) {
    if (index == 0) {
        if (helpTask_ == 0 || !program_.services().processes.Activate(helpTask_)) {
            helpTask_ = startHelp();
        }
    } else if (index == 1) {
        program_.prompts().MsgBox(
            "Quorvel!\rVersion " + program_.AppVersion +
            "\r\rProfiles for Internet Mail and News: keeps any number of complete sets of the "
            "client's settings and switches the client from one to another.");
    }
}

app::TaskId frmMain::startHelp() {
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    // The browser is remembered program-wide; a failed write only means it is looked up again.
    const auto remember = [&](const std::string& browser) {
        auto scope = reg.BeginTransaction();
        reg.RegValue = Variant(browser);
        transfer.CopySetting(kProfile, 8, 5);
        static_cast<void>(scope->commit());
    };

    transfer.ReadSetting(kProfile, 8, 5);
    std::string browser = reg.RegValue.text();
    if (browser.empty()) {
        reg.GetValue(kBrowserKey, "", registry::Root::LocalMachine);
        const Variant registered = reg.RegValue;
        if (registered.isNumeric() || registry::CharacterCount(registered.text()) < 4) {
            program_.prompts().MsgBox(kNoBrowser);
            return 0;
        }
        browser = registered.text();
        remember(browser);
    }

    const std::string folder =
        ToAnsi(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    const std::string document = program_.services().files.JoinPath(folder, kHelpDocument);
    std::string error;
    const app::TaskId task =
        program_.services().processes.Start(browser, document, app::kMaximizedFocus, error);
    if (task == 0) {
        // A remembered browser that is gone is forgotten: the next try looks it up again.
        remember("");
        program_.prompts().MsgBox(kNoBrowser);
    }
    return task;
}

}  // namespace quorvel::ui
