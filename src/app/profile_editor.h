#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/profile_list.h"
#include "app/profile_values.h"

namespace quorvel::app {

class Program;

// The work behind the settings window and its dialogs: the live list of profile names, the
// shown profile's account profile names, loading a profile into plain values and every store
// operation the window offers. Each operation asks its questions first and then writes as one
// transaction; when the store cannot keep it, nothing of it stays, here or in the store, and
// the user is told. The window only moves values between its controls and these calls.
class ProfileEditor final : public ProfileListHolder {
  public:
    explicit ProfileEditor(Program& program) : program_(program) {}

    // How the "No profile selected!" message ends, for the Profiles menu and the Switch menu.
    static constexpr std::string_view kProfilesEnding =
        " as a new profile before using these menu items.";
    static constexpr std::string_view kSwitchEnding = " as a new profile before using this menu.";

    // "Profile List" in display order; loaded once, then kept in step by the operations.
    std::vector<std::string> ProfileNames;
    // The shown profile's account profiles, and its default one.
    std::vector<std::string> AccountNames;
    std::string DefaultAccount;
    // The profile the window was last filled from or saved into.
    std::string loadedProfile;
    // Edits that wait for saving, as the window reports them.
    bool profileChanged = false;
    bool accountChanged = false;

    void LoadProfileList();
    // A settings window opens: it shows nothing yet, and has no edits.
    void WindowOpened();
    std::vector<std::string> ProfileNamesInList() const override { return ProfileNames; }

    // --- Loading. The defaults a load writes back are stored with it.
    // The current profile as the window shows it; nullopt when no profile is current (the
    // window is blank).
    std::optional<ProfileView> LoadProfile();
    // The shown account profile (AccountProfile) of the current profile.
    AccountValues LoadAccount();
    // Makes `name` the shown account profile.
    void ChooseAccount(const std::string& name) const;
    // With fewer than two account profiles only the default one can be polled.
    bool SeveralAccounts() const { return AccountNames.size() >= 2; }

    // --- Saving. `shown` is what the window holds.
    // Offers to save pending edits before the window shows something else. False when the user
    // wanted them saved and the store could not keep them.
    // `savingExisting`: the edits belong to the current profile whatever its name.
    bool OfferToSave(const ProfileEdits& shown, bool savingExisting = false);
    bool SaveChanges(const ProfileEdits& shown);
    // "Save settings as...": asks for the name (and whether to overwrite), then saves. The
    // result tells whether the window must show the saved profile anew, as it does not show
    // it whole: a new profile that got a first account profile of its own, or another existing
    // profile overwritten, which keeps its own account profiles.
    enum class Saved { Not, Saved, ShowAnew };
    Saved SaveAs(const ProfileEdits& shown);
    bool SaveAccount(const AccountValues& shown);
    // Asks for the name (and whether to overwrite), then saves the pane as that account profile,
    // which becomes the shown one.
    bool SaveAccountAs(const AccountValues& shown);

    // True when a profile is shown; otherwise tells the user, with the menu's own ending.
    bool ProfileShown(std::string_view ending);
    // True when the window shows a saved profile; otherwise asks the user to save it first.
    bool ProfileSaved();

    // --- Security. True when "Security ON" is to be checked; the stored "Secure Profile"
    // follows when the profile is saved.
    bool TurnSecurityOn();
    bool ChangePassword();

    // --- Choices written at once; they are no edits that wait for saving.
    // `wasChosen`: the item was checked already.
    bool ChooseHosts(bool automatic, bool wasChosen);
    // The new caption of the named hosts file's item, or nullopt.
    std::optional<std::string> RenameHostsFile();
    ConnectionView LoadConnection();
    // The new caption of the connection item, or nullopt.
    std::optional<std::string> StoreConnection(int option, const std::string& entry);
    bool SetDefaultAccount(const std::string& name);

    // --- Deleting. A deletion removes the key at once; the list follows with Finish...
    // `name` "" is the first name; it then stays chosen.
    bool DeleteProfile(std::string& name);
    // True when the list changed: no profile is current any more.
    bool FinishProfileDeletions();
    bool DeleteAccount(std::string& name);
    // True when the list changed: the default account profile is the shown one now.
    bool FinishAccountDeletions();

    // --- Switching.
    void Switch(bool mail, const ProfileEdits& shown);
    // Asks, stores the choice for all profiles and ends the program; false when not done.
    bool SetNewsDisabled(bool disable);

  private:
    // Runs `work` as one store operation; see the class comment. `what` completes "Quorvel
    // could not ...".
    // `work` returns false when it cannot be done; it is undone then.
    bool Operation(const std::string& what, const std::function<bool()>& work);
    PaneValues LoadPane(bool news);
    // Whether there are several account profiles; nullopt when the list is unreadable.
    std::optional<bool> LoadAccountList();
    // The rule of SeveralAccounts, stored.
    void StorePollingRule();
    void WriteProfile(const ProfileEdits& shown, bool savingExisting);
    void WritePane(const PaneValues& pane, bool news);
    void CopyAccountProfiles(const ProfileEdits& shown);
    void CopyAccount(const std::string& name);
    void WriteAccount(const AccountValues& shown);
    bool AskOverwrite(std::string_view question);

    Program& program_;
    bool profileListChanged_ = false;
    bool accountListChanged_ = false;
    // Set by a save whose profile the window does not show whole.
    bool showAnew_ = false;
};

}  // namespace quorvel::app
