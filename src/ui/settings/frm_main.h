#pragma once

#include <QHash>
#include <QMainWindow>
#include <QRect>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/field_checks.h"
#include "app/profile_values.h"
#include "app/program.h"
#include "app/window_placement.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QRadioButton;

namespace quorvel::ui {

class frmAccounts;
class frmProfiles;

// The settings window: one profile's client settings on seven panes, of which one shows at a
// time, with the menus that save, switch and manage profiles. The profile editor does the work;
// the window moves values between its controls and the editor. Its controls are private and
// carry object names after their control arrays ("txtMail_1", "mnuProfiles_6"). The window's
// work is split over several files by purpose:
//   frm_main.cpp           construction and the window's own events
//   frm_main_layout.cpp    the rows, their captions and their layout
//   frm_main_load.cpp      filling the window from the values the profile editor loads
//   frm_main_fields.cpp    reactions to edits, focus and the value boxes' checks
//   frm_main_menus.cpp     the menu bar and the commands that show things
//   frm_main_commands.cpp  the commands that change data, handed to the profile editor
//   frm_main_save.cpp      the window's content as the values the profile editor saves
//   frm_main_help.cpp      the Help menu
class frmMain final : public QMainWindow {
    Q_OBJECT
  public:
    struct Actions {
        // The program unloaded the window ("Hide Me"): the tray takes over again.
        std::function<void()> hidden;
    };

    // `profiles` holds the profile names the Profiles menu mirrors.
    frmMain(app::Program& program, frmProfiles& profiles, Actions actions);
    ~frmMain() override;

    // --- The window's events (frm_main.cpp)
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    // `unloadMode` 0: the user closed the window, which ends the program; anything else: the
    // program unloads it. Closing is never refused, so `cancel` stays 0.
    void Form_QueryUnload(int& cancel, int unloadMode);
    // "Hide Me": the program unloads the window and goes on in the tray.
    void UnloadToTray();

    // --- Loading (frm_main_load.cpp): the current profile, or its shown account profile.
    void getProfile();
    void getAccount();

    // --- Menus (frm_main_menus.cpp)
    void selWindow();
    void setProfileMenu();
    void setAccountsMenu();
    void mnuTop_Click(int index);
    void mnuWindow_Click(int index);

    // --- Commands that change data (frm_main_commands.cpp)
    void mnuProfiles_Click(int index);
    void mnuAccounts_Click(int index);
    void mnuCon_Click(int index);
    void mnuHosts_Click(int index);
    void mnuSwitch_Click(int index);
    void mnuHelp_Click(int index);

    // --- Saving (frm_main_save.cpp)
    // Offers to save pending edits before the window shows something else or closes. False when
    // the user wanted them saved and the store could not keep them (the user has been told).
    // `savingExisting`: the edits belong to the current profile whatever its name.
    bool checkChanged(bool savingExisting = false);
    // What the window holds, for saving.
    app::ProfileEdits collectEdits() const;
    // The menus, the window's caption and the hidden lists, as the profile editor has them.
    void showEditorState();
    // After the account profiles' dialog; `listChanged`: names were deleted.
    void AccountsChanged(bool listChanged);
    // After the connection dialog stored a choice.
    void showConnection(const std::string& caption);

    // The layout units: the measuring label's width and height, in pixels.
    double unitW() const { return w_; }
    double unitH() const { return h_; }

  protected:
    // Whether `key` is the shortcut of a menu item that can be chosen now.
    bool IsMenuShortcut(QKeyCombination key) const;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // --- Rows, captions and layout (frm_main_layout.cpp)
    // Captions by caption number: rows (0+), check boxes (10+), option rows (20+). `amode` 1
    // is the mail table, anything else the news table; unknown numbers give "".
    static std::string getCaption(std::int16_t amode, std::int16_t Index);
    static std::string ServerCaption(std::int16_t Index);
    void loadControls();
    void looks();

    // Loading helpers.
    void clearBoxes();
    // The lists of the Profiles and Accounts menus.
    void mnuProfileList_Click(int index);
    void mnuAccountsList_Click(int index);

    // --- Help (frm_main_help.cpp)
    // Opens the help document in the registered browser; the browser's task, or 0.
    app::TaskId startHelp();

    // --- Field entry (frm_main_fields.cpp)
    void txtMail_Change(int index);
    void txtNews_Change(int index);
    void txtListMail_Change(int index);
    void txtListNews_Change(int index);
    void txtSigMail_Change();
    void txtSigNews_Change();
    void txtSigFileMail_Change();
    void txtSigFileNews_Change();
    void chkMail_Click(int index);
    void chkNews_Click(int index);
    void chkListMail_Click(int index);
    void chkListNews_Click(int index);
    void chkSigMail_Click(int index);
    void chkSigNews_Click(int index);
    void optSigMail_Click(int index);
    void optSigNews_Click(int index);
    void txtServer_Change(int index);
    void txtListServer_Change(int index);
    void chkServer_Click(int index);
    void chkListServer_Click(int index);
    void picMainMail_GotFocus();
    void picMainNews_GotFocus();
    void picOtherMail_GotFocus();
    void picOtherNews_GotFocus();
    void picServer_GotFocus();
    void txtListMail_LostFocus(int index);
    void txtListNews_LostFocus(int index);
    void txtListServer_LostFocus(int index);

    // The window's frame in twips, as the placement memory stores it.
    app::WindowTwips PlacementNow() const;

    // The pane shown, 1 to 7 in Window menu order.
    std::int16_t currentPane = 1;

    // --- Panes, 1 to 7 in Window menu order (element 0 unused)
    QWidget* picMainMail;
    QWidget* picSigMail;
    QWidget* picOtherMail;
    QWidget* picServer;
    QWidget* picMainNews;
    QWidget* picSigNews;
    QWidget* picOtherNews;
    std::array<QWidget*, 8> panes{};

    // --- Rows. Element 0 of each array is the hidden design element; loadControls creates
    // the rest. The news arrays keep only element 0 while news settings are disabled.
    std::vector<QLabel*> lblMail;
    std::vector<QLineEdit*> txtMail;
    std::vector<QCheckBox*> chkMail;
    std::vector<QCheckBox*> chkListMail;
    std::vector<QLineEdit*> txtListMail;
    std::vector<QLabel*> lblServer;
    std::vector<QLineEdit*> txtServer;
    std::vector<QCheckBox*> chkServer;
    std::vector<QCheckBox*> chkListServer;
    std::vector<QLineEdit*> txtListServer;
    std::vector<QLabel*> lblListServer;
    std::vector<QLabel*> lblNews;
    std::vector<QLineEdit*> txtNews;
    std::vector<QCheckBox*> chkNews;
    std::vector<QCheckBox*> chkListNews;
    std::vector<QLineEdit*> txtListNews;
    std::array<QRadioButton*, 3> optSigMail{};
    std::array<QRadioButton*, 3> optSigNews{};
    std::array<QCheckBox*, 2> chkSigMail{};
    std::array<QCheckBox*, 2> chkSigNews{};
    QPlainTextEdit* txtSigMail;
    QPlainTextEdit* txtSigNews;
    QLineEdit* txtSigFileMail;
    QLineEdit* txtSigFileNews;
    QLabel* lblSuccess;  // measures the layout units; never shown
    QLabel* lblTest;     // measures option captions; never shown

    // --- Menus. Items are addressed by their index in the menu's control array; "-" items
    // are separators. mnuWindow starts at index 1 (element 0 is null).
    std::array<QMenu*, 5> mnuTop{};
    std::vector<QAction*> mnuProfiles;
    std::vector<QAction*> mnuProfileList;
    std::vector<QAction*> mnuAccounts;
    std::vector<QAction*> mnuCon;
    std::vector<QAction*> mnuHosts;
    std::vector<QAction*> mnuAccountsList;
    std::vector<QAction*> mnuWindow;
    std::vector<QAction*> mnuSwitch;
    std::vector<QAction*> mnuHelp;

    // The hidden holder of the shown profile's account profile names.
    frmAccounts* accounts = nullptr;

    // What an event filter watches: a pane, or a text box of an array, with its index.
    enum class Watched {
        Pane,
        Mail,
        News,
        Server,
        ListMail,
        ListNews,
        ListServer,
        SigMail,
        SigNews,
        SigFileMail,
        SigFileNews
    };
    struct WatchedControl {
        Watched kind;
        int index;
    };

    // Construction helpers (frm_main_layout.cpp, frm_main_menus.cpp).
    void createPanes();
    void createDesignElements();
    void createSignaturePane(int pane, std::array<QRadioButton*, 3>& options,
                             std::array<QCheckBox*, 2>& checks, QPlainTextEdit*& text,
                             QLineEdit*& file, const char* suffix);
    void createMenus();
    void connectRows();
    void watch(QObject* control, Watched kind, int index);
    void layoutRows(double W, double H);

    // Placement (frm_main.cpp).
    void RestoreWindowPlacement();
    void SaveWindowPlacement();
    void ApplyPendingPlacement();
    app::ScreenTwips ScreenNow() const;
    double Dpi() const;

    // Field entry helpers (frm_main_fields.cpp).
    void textGotFocus(QObject* control, Watched kind, int index);
    void checkValueBox(app::ValueBoxes boxes, int index);
    QLineEdit* valueBox(app::ValueBoxes boxes, int index) const;
    QCheckBox* optionBox(app::ValueBoxes boxes, int index) const;

    // Mapping helpers (frm_main_save.cpp, frm_main_load.cpp).
    app::PaneValues collectPane(bool news) const;
    app::AccountValues collectAccount() const;
    void showPane(const app::PaneValues& pane, bool news);
    void showAccount(const app::AccountValues& account);
    void showAccountCount(bool several);
    void checkProfileItems();

    // Command helpers (frm_main_commands.cpp).
    void showSecurity(bool on);
    void choosePolling(bool onlyDefault);

    app::Program& program_;
    frmProfiles& profiles_;
    Actions actions_;
    QHash<QObject*, WatchedControl> watched_;
    double w_ = 0;
    double h_ = 0;
    int profileItemCount_ = 0;
    int accountItemCount_ = 0;
    int lastPaneItem_ = 0;
    bool activatedOnce_ = false;
    // Set while a value box's check runs: the focus it moves must not start another check.
    bool checkingField_ = false;
    bool unloading_ = false;
    // The browser showing the help document, started by "Contents".
    app::TaskId helpTask_ = 0;
    // The placement to apply again once the window manager has given the window its frame.
    bool placementPending_ = false;
    QRect pendingFrame_;
};

}  // namespace quorvel::ui
