// The settings window's construction, its own events and its remembered placement.
#include "ui/settings/frm_main.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cmath>

#include "ui/dialogs/frm_accounts.h"
#include "ui/dialogs/frm_profiles.h"

namespace quorvel::ui {
namespace {

double ToTwips(int pixels, double dpi) {
    return std::round(app::PixelsToTwips(pixels, dpi));
}

}  // namespace

frmMain::frmMain(app::Program& program, frmProfiles& profiles, Actions actions)
    : program_(program), profiles_(profiles), actions_(std::move(actions)) {
    setObjectName(QStringLiteral("frmMain"));
    // The rows are laid out in units of a text set in Arial; captions in the same family keep
    // the proportions the layout was made for (a wider family would overrun the labels).
    QFont arial = font();
    arial.setFamily(QStringLiteral("Arial"));
    setFont(arial);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    createPanes();
    createDesignElements();
    createMenus();
}

frmMain::~frmMain() = default;

void frmMain::Form_Load() {
    accounts = new frmAccounts(program_, *this);
    program_.editor.WindowOpened();
    RestoreWindowPlacement();
    loadControls();
    looks();

    auto& store = program_.store;
    store.LoadSecureFlag();
    if (store.SecureFlag == 1) {
        store.ProfileExists();
        // A protected profile not yet opened in this run shows as a blank window; its password
        // is asked only when the user picks it.
        if (!store.ProfileFound) {
            program_.context.CurrentProfile = "";
        }
    }
    mnuWindow[1]->setChecked(true);
    currentPane = 1;
    setProfileMenu();
    getProfile();
    show();
}

void frmMain::Form_Activate() {
    program_.windowShown = true;
    if (!activatedOnce_) {
        // The first layout ran before the window had its frame; the outer size is known now.
        activatedOnce_ = true;
        ApplyPendingPlacement();
        looks();
    }
}

void frmMain::Form_Resize() {
    if (program_.windowShown && isVisible() && !isMinimized()) {
        looks();
    }
}

void frmMain::Form_QueryUnload(int& cancel, int unloadMode) {
    cancel = 0;
    unloading_ = true;
    checkChanged(!program_.context.CurrentProfile.empty());
    if (unloadMode == 0) {
        SaveWindowPlacement();
        program_.ending.Request();
        return;
    }
    program_.windowShown = false;
    SaveWindowPlacement();
}

void frmMain::UnloadToTray() {
    int cancel = 0;
    Form_QueryUnload(cancel, 1);
    hide();
    // Back to the profile the client holds, whichever profile the window showed.
    program_.store.LoadCurrentProfile();
    if (actions_.hidden) {
        actions_.hidden();
    }
}

bool frmMain::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    switch (event->type()) {
        case QEvent::WindowActivate:
            Form_Activate();
            break;
        case QEvent::Move:
        case QEvent::Show:
            ApplyPendingPlacement();
            break;
        default:
            break;
    }
    return handled;
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ApplyPendingPlacement();
    Form_Resize();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (program_.ending.Busy() || program_.ending.Requested()) {
        // Closed during an operation (the wait of a switch, say): the pending edits are not
        // touched under it, and the window goes with the program once the operation is over.
        program_.ending.Request();
        event->ignore();
        return;
    }
    int cancel = 0;
    program_.RunCommand([this, &cancel] { Form_QueryUnload(cancel, 0); });
    event->accept();
}

double frmMain::Dpi() const {
    const QScreen* shown = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    return shown != nullptr ? shown->logicalDotsPerInch() : 96.0;
}

app::ScreenTwips frmMain::ScreenNow() const {
    const QScreen* shown = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (shown == nullptr) {
        return {};
    }
    const QSize size = shown->geometry().size();
    return {app::PixelsToTwips(size.width(), shown->logicalDotsPerInchX()),
            app::PixelsToTwips(size.height(), shown->logicalDotsPerInchY())};
}

app::WindowTwips frmMain::PlacementNow() const {
    const QRect frame = frameGeometry();
    const double dpi = Dpi();
    return {ToTwips(frame.x(), dpi), ToTwips(frame.y(), dpi), ToTwips(frame.width(), dpi),
            ToTwips(frame.height(), dpi)};
}

void frmMain::SaveWindowPlacement() {
    app::SaveWindowPlacement(program_, PlacementNow());
}

// The stored measures are the outer frame's. Qt places a window by its frame but sizes it by
// its client area, and the frame's size is known only once the window manager has framed the
// window; until then the frame is taken as nothing and corrected as soon as it is known.
void frmMain::RestoreWindowPlacement() {
    const app::WindowTwips placement = app::RestoreWindowPlacement(program_, ScreenNow());
    const double dpi = Dpi();
    pendingFrame_ =
        QRect(app::TwipsToPixels(placement.left, dpi), app::TwipsToPixels(placement.top, dpi),
              app::TwipsToPixels(placement.width, dpi), app::TwipsToPixels(placement.height, dpi));
    placementPending_ = true;
    resize(std::max(pendingFrame_.width(), 0), std::max(pendingFrame_.height(), 0));
    move(pendingFrame_.topLeft());
}

void frmMain::ApplyPendingPlacement() {
    if (!placementPending_ || !isVisible() || windowHandle() == nullptr) {
        return;
    }
    const QMargins frame = windowHandle()->frameMargins();
    if (frame.isNull()) {
        return;
    }
    placementPending_ = false;
    resize(std::max(pendingFrame_.width() - frame.left() - frame.right(), 0),
           std::max(pendingFrame_.height() - frame.top() - frame.bottom(), 0));
    move(pendingFrame_.topLeft());
}

}  // namespace quorvel::ui
