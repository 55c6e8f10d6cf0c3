#include <QApplication>
#include <memory>
#include <string>

#include "app/program.h"
#include "platform/system_services.h"
#include "registry/store_error.h"
#include "ui/display_loss_watch.h"
#include "ui/program_icon.h"
#include "ui/qt_ending_host.h"
#include "ui/qt_event_pump.h"
#include "ui/qt_program_windows.h"
#include "ui/qt_prompts.h"
#include "ui/session_watch.h"
#include "ui/termination_watch.h"

int main(int argc, char** argv) {
    using namespace quorvel;
    // The command line is the arguments exactly as given: Qt sees none of them, or it would take
    // out the ones it knows (-reverse, -style X, -name X ...) and apply them.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            commandLine += ' ';
        }
        commandLine += argv[i];
    }
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};

    // Destroyed last, as the windows need it to the end; but not at all on the roads that end at
    // once: there Qt's teardown would read every font configuration only to release it, more
    // than half of what the command-line road costs.
    auto application = std::make_unique<QApplication>(qtArgc, qtArgv);
    QApplication::setApplicationName(QStringLiteral("Quorvel!"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION_TEXT));
    QApplication::setWindowIcon(ui::ProgramIcon());
    QApplication::setQuitOnLastWindowClosed(false);  // the program lives in the tray

    ui::QtPrompts prompts;
    platform::SystemServices system;
    try {
        system = platform::MakeSystemServices();
    } catch (const registry::StoreError& error) {
        static_cast<app::Prompts&>(prompts).MsgBox(error.what(), profiles::Buttons::Ok,
                                                   profiles::Icon::Critical);
        return 1;
    }
    ui::QtEventPump events;
    app::Program program(*system.hive, system.ForProgram(events, prompts));

    ui::QtProgramWindows windows(program);
    ui::QtEndingHost endingHost(windows, prompts);
    program.ending.SetHost(endingHost);
    prompts.SetBackingOut([&program] { return program.ending.BackingOut(); });
    // Every way the program can be ended from outside leads to the same ending.
    ui::TerminationWatch termination([&program] { program.ending.Request(); });
    ui::SessionWatch session(program.ending);
    ui::DisplayLossWatch displayLoss([&program] { program.ending.Now(); });

    switch (program.Main(commandLine, windows)) {
        case app::Course::CommandLineLaunch:
        case app::Course::SecondInstance:
        case app::Course::FirstRunDeclined:
        case app::Course::FirstRunFailed:
            static_cast<void>(application.release());
            return 0;
        case app::Course::FirstRun:
        case app::Course::NormalStart:
            break;
    }
    // An ending asked for during the start-up (a kill while it showed a message box) has ended
    // the program now; the event loop must not start at all.
    if (!program.ending.Live()) {
        return 0;
    }
    return QApplication::exec();
}
