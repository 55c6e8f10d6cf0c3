#include "ui/tray/frm_tray.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/program_icon.h"
#include "ui/qt_text.h"

namespace quorvel::ui {
namespace {

// The tray's mouse messages as the icon reports them.
int MessageFor(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return app::WM_LBUTTONDOWN;
        case QSystemTrayIcon::Context:
            return app::WM_RBUTTONDOWN;
        case QSystemTrayIcon::DoubleClick:
            return 515;
        default:
            return app::WM_MOUSEMOVE;
    }
}

// How often the stand-in window looks for a notification area that has appeared since.
constexpr int kTrayWatchMilliseconds = 1000;

// Stands in for the icon on a desktop without a notification area: left and right clicks on
// its button open the menu as clicks on the icon would.
class MenuButton final : public QPushButton {
  public:
    MenuButton(const QString& text, std::function<void(int)> click, QWidget* parent)
        : QPushButton(text, parent), click_(std::move(click)) {}

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        click_(event->button() == Qt::RightButton ? app::WM_RBUTTONDOWN : app::WM_LBUTTONDOWN);
    }

  private:
    std::function<void(int)> click_;
};

// The stand-in window: its close box ends the program as "Quit" does, so that the program never
// lives on with nothing on screen.
class StandInWindow final : public QWidget {
  public:
    explicit StandInWindow(std::function<void()> quit) : quit_(std::move(quit)) {}

  protected:
    void closeEvent(QCloseEvent* event) override {
        // The window stays until the ending takes it away, which may wait for an operation.
        event->ignore();
        quit_();
    }

  private:
    std::function<void()> quit_;
};

}  // namespace

frmTray::frmTray(app::Program& program, const app::ProfileListHolder& holder,
                 std::function<void()> showSettings)
    : program_(program),
      showSettings_(std::move(showSettings)),
      logic_(program, *this, holder),
      mnuBar(new QMenu(QStringLiteral("PopupMenu"), this)) {
    setObjectName(QStringLiteral("frmTray"));
    mnuBar->setObjectName(QStringLiteral("mnuBar"));
    const QString captions[] = {QStringLiteral("About Quorvel!"), QStringLiteral("Quit"),
                                QStringLiteral("Show Settings"),  QString(),
                                QStringLiteral("News Mode"),      QString()};
    for (int i = 0; i < 6; ++i) {
        QAction* action =
            captions[i].isEmpty() ? mnuBar->addSeparator() : mnuBar->addAction(captions[i]);
        action->setObjectName(QStringLiteral("mnuMain_%1").arg(i));
        connect(action, &QAction::triggered, this, [this, i] { logic_.mnuMain_Click(i); });
        mnuMain.push_back(action);
    }
}

frmTray::~frmTray() = default;

void frmTray::Form_Load() {
    setWindowIcon(ProgramIcon());
    logic_.Form_Load();
    SyncMenu();
    const bool trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    ShowIcon();
    if (!trayAvailable) {
        ShowStandInWindow();
        WatchForNotificationArea();
    }
    hide();
}

void frmTray::ShowIcon() {
    icon_ = new QSystemTrayIcon(windowIcon(), this);
    icon_->setObjectName(QStringLiteral("TrayIcon"));
    connect(
        icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            // The click is handled once the icon's own mouse handler has returned: "Quit"
            // in the menu takes the icon away, and on X11 that deletes the very widget
            // whose handler would otherwise still be running under the menu.
            const int message = MessageFor(reason);
            QMetaObject::invokeMethod(
                this, [this, message] { logic_.pichook_MouseMove(message); }, Qt::QueuedConnection);
        });
    // Shown even where there is no notification area yet: Qt puts the icon there as soon as
    // one appears.
    icon_->show();
}

void frmTray::WatchForNotificationArea() {
    trayWatch_ = new QTimer(this);
    connect(trayWatch_, &QTimer::timeout, this, [this] {
        if (!QSystemTrayIcon::isSystemTrayAvailable() || program_.ending.Requested()) {
            return;
        }
        trayWatch_->stop();
        if (icon_->geometry().isEmpty()) {
            icon_->hide();  // shown again below, now that there is a place for it
        }
        icon_->show();
        standIn_.reset();
    });
    trayWatch_->start(kTrayWatchMilliseconds);
}

void frmTray::ShowStandInWindow() {
    program_.prompts().MsgBox(
        "This desktop has no notification area, so Quorvel! cannot show its icon there.\r"
        "A small Quorvel! window takes its place: click its button for the menu (left button: "
        "News Mode, right button: Mail Mode); closing it ends Quorvel!.",
        profiles::Buttons::Ok, profiles::Icon::Information);
    standIn_ = std::make_unique<StandInWindow>([this] { logic_.mnuMain_Click(1); });
    standIn_->setObjectName(QStringLiteral("frmTrayStandIn"));
    standIn_->setWindowTitle(QStringLiteral("Quorvel!"));
    standIn_->setWindowIcon(windowIcon());
    auto* layout = new QVBoxLayout(standIn_.get());
    auto* button = new MenuButton(
        QStringLiteral("Quorvel! menu"),
        [this](int message) {
            QMetaObject::invokeMethod(
                this, [this, message] { logic_.pichook_MouseMove(message); }, Qt::QueuedConnection);
        },
        standIn_.get());
    button->setIcon(windowIcon());
    layout->addWidget(button);
    // Wide enough for the window manager to show the whole title beside its buttons.
    standIn_->setMinimumWidth(260);
    standIn_->show();
}

void frmTray::SetMenu() {
    logic_.SetMenu();
    SyncMenu();
}

void frmTray::SyncMenu() {
    mnuMain[4]->setText(FromAnsi(logic_.ModeCaption));
    const std::size_t n = logic_.ProfileCaptions.size();
    while (mnuProfiles.size() > n) {
        delete mnuProfiles.back();
        mnuProfiles.pop_back();
    }
    while (mnuProfiles.size() < n) {
        const int index = static_cast<int>(mnuProfiles.size());
        QAction* action = mnuBar->addAction(QString());
        action->setObjectName(QStringLiteral("mnuProfiles_%1").arg(index));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, index] {
            logic_.mnuProfiles_Click(index);
            SyncMenu();
        });
        mnuProfiles.push_back(action);
    }
    for (std::size_t i = 0; i < n; ++i) {
        mnuProfiles[i]->setText(FromAnsi(logic_.ProfileCaptions[i]));
        mnuProfiles[i]->setChecked(logic_.ProfileChecked[i]);
        mnuProfiles[i]->setEnabled(logic_.ProfilesEnabled);
    }
}

void frmTray::PopUpMenu() {
    SyncMenu();
    activateWindow();
    mnuBar->exec(QCursor::pos());
}

void frmTray::RemoveIcon() {
    if (trayWatch_ != nullptr) {
        trayWatch_->stop();
    }
    if (icon_ != nullptr) {
        icon_->hide();
    }
    if (standIn_) {
        standIn_->hide();
    }
}

void frmTray::ShowSettings() {
    if (showSettings_) {
        showSettings_();
    }
}

}  // namespace quorvel::ui
