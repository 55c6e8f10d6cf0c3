#include "app/tray_menu.h"

#include "app/help.h"

namespace quorvel::app {

void TrayMenu::Form_Load() {
    SetMenu();
    program_.TrayLoaded = true;
}

void TrayMenu::pichook_MouseMove(int message) {
    if (program_.windowShown || program_.ending.Requested()) {
        return;  // the tray keeps still while the settings window is open, and once it ends
    }
    program_.services().events.ProcessEvents();
    if (MenuOpen) {
        return;  // a click is already being handled
    }
    MenuOpen = true;
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
        if (message == WM_RBUTTONDOWN || program_.store.NewsDisabled) {
            ClientMode = 1;
            ModeCaption = "Mail Mode";
        } else {
            ClientMode = 2;
            ModeCaption = "News Mode";
        }
        view_.PopUpMenu();
        program_.services().events.ProcessEvents();
    }
    MenuOpen = false;
}

std::string TrayMenu::AboutText() const {
    return app::AboutText(program_.AppVersion);
}

void TrayMenu::mnuMain_Click(int index) {
    switch (index) {
        case 0:
            program_.prompts().MsgBox(AboutText());
            break;
        case 1:
            Form_QueryUnload();
            break;
        case 2:
            view_.ShowSettings();
            break;
        default:
            break;
    }
}

void TrayMenu::mnuProfiles_Click(int index) {
    if (!ProfilesEnabled || index < 0 || index >= static_cast<int>(ProfileCaptions.size())) {
        return;
    }
    program_.RunCommand([this, index] {
        ChosenItem = static_cast<std::int16_t>(index);
        setCheck(ProfileCaptions[static_cast<std::size_t>(index)]);
    });
}

void TrayMenu::setCheck(const std::string& aString) {
    auto& context = program_.context;
    auto& store = program_.store;
    const std::string previous = context.CurrentProfile;
    if (!program_.UnlockProfile(aString)) {
        return;  // refused: check marks and the current profile stay as they were
    }
    const std::int16_t previousChecked = CheckedItem;
    MoveCheck(CheckedItem, ChosenItem);
    store.AddProfileName();
    if (!program_.applier.ApplyProfile()) {
        // The user has been told; the client still holds the previous profile, so the menu
        // says so too.
        MoveCheck(ChosenItem, previousChecked);
        context.CurrentProfile = previous;
        return;
    }
    if (ClientMode == 1) {
        program_.launcher.StartMail();
    } else if (ClientMode == 2) {
        program_.launcher.StartNews();
    }
}

void TrayMenu::MoveCheck(std::int16_t from, std::int16_t to) {
    const auto off = static_cast<std::size_t>(from);
    const auto on = static_cast<std::size_t>(to);
    if (off < ProfileChecked.size()) {
        ProfileChecked[off] = false;
    }
    if (on < ProfileChecked.size()) {
        ProfileChecked[on] = true;
    }
    CheckedItem = to;
}

void TrayMenu::SetMenu() {
    const std::vector<std::string> names = holder_.ProfileNamesInList();
    const std::size_t n = names.size();
    // Item 0 always stays; with no names it says so and takes no choice.
    ProfileCaptions.resize(std::max<std::size_t>(n, 1));
    ProfileChecked.assign(ProfileCaptions.size(), false);
    ProfilesEnabled = n > 0;
    if (n == 0) {
        ProfileCaptions[0] = "(no profiles)";
    }
    for (std::size_t i = 0; i < n; ++i) {
        ProfileCaptions[i] = names[i];
        if (names[i] == program_.context.CurrentProfile) {
            ProfileChecked[i] = true;
            CheckedItem = static_cast<std::int16_t>(i);
            ChosenItem = static_cast<std::int16_t>(i);
        }
    }
    ItemCount = static_cast<std::int16_t>(n);
}

void TrayMenu::Form_QueryUnload() {
    program_.ending.Request();
}

}  // namespace quorvel::app
