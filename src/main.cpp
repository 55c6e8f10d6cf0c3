#include <QApplication>
#include <QIcon>
#include <memory>
#include <string>

#include "app/program.h"
#include "platform/local_file_system.h"
#include "platform/system_clock.h"
#include "registry/store_error.h"
#ifdef _WIN32
#include "platform/instance_mutex.h"
#include "platform/windows_folders.h"
#include "platform/windows_processes.h"
#include "registry/win32/win32_hive.h"
#else
#include "platform/data_locations.h"
#include "platform/instance_lock.h"
#include "platform/linux_processes.h"
#include "registry/sqlite/sqlite_hive.h"
#endif
#include "ui/qt_event_pump.h"
#include "ui/qt_program_windows.h"
#include "ui/qt_prompts.h"
#include "ui/termination_watch.h"
#include "ui/tray/frm_tray.h"

int main(int argc, char** argv) {
    using namespace quorvel;
    // Destroyed last, as the windows need it to the end; but not at all on the roads that end at
    // once: there Qt's teardown would read every font configuration only to release it, more
    // than half of what the command-line road costs.
    auto application = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel!"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION_TEXT));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quorvel.svg")));
    QApplication::setQuitOnLastWindowClosed(false);  // the program lives in the tray

    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
    }

    ui::QtPrompts prompts;
#ifdef _WIN32
    // The registry and the Windows directory themselves.
    auto hive = std::make_unique<registry::Win32Hive>();
    platform::WindowsProcesses processes;
    platform::InstanceMutex instance(platform::InstanceMutex::kProgramMutex);
    platform::WindowsSystemFolders folders;
#else
    const platform::EnvironmentLookup environment = platform::SystemEnvironment();
    const std::string storePath = platform::RegistryStorePath(environment);
    std::unique_ptr<registry::SqliteHive> hive;
    try {
        hive = std::make_unique<registry::SqliteHive>(storePath);
    } catch (const registry::StoreError& error) {
        static_cast<app::Prompts&>(prompts).MsgBox(error.what(), profiles::Buttons::Ok,
                                                   profiles::Icon::Critical);
        return 1;
    }

    platform::LinuxProcesses processes;
    platform::InstanceLock instance(storePath + ".lock");
    platform::EnvironmentSystemFolders folders(environment);
#endif
    platform::LocalFileSystem files;
    platform::SystemClock clock;
    ui::QtEventPump events;
    app::Program program(
        *hive, app::Services{processes, files, files, clock, events, prompts, instance, folders});

    // Ending may be asked for before the main loop runs (a kill while the start-up shows a
    // message box): then the loop must not start at all.
    bool ending = false;
    const auto endProgram = [&ending] {
        ending = true;
        QCoreApplication::exit(0);
    };
    ui::QtProgramWindows windows(program, endProgram);
    // A logout or a kill ends the program through its exit routine, as "Quit" does.
    ui::TerminationWatch termination([&] {
        if (windows.tray() != nullptr) {
            windows.tray()->RemoveIcon();
        }
        program.ShutDown();
        endProgram();
    });

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
    return ending ? 0 : QApplication::exec();
}
