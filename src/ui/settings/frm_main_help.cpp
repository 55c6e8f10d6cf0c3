// The Help menu: the help document in the registered browser, and the about box.
#include <QCoreApplication>
#include <QDir>

#include "app/help.h"
#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {

void frmMain::mnuHelp_Click(int index) {
    if (index == 0) {
        if (helpTask_ == 0 || !program_.services().processes.Activate(helpTask_)) {
            helpTask_ = startHelp();
        }
    } else if (index == 1) {
        program_.prompts().MsgBox(app::AboutText(program_.AppVersion));
    }
}

app::TaskId frmMain::startHelp() {
    return app::StartHelp(program_,
                          ToAnsi(QDir::toNativeSeparators(QCoreApplication::applicationDirPath())));
}

}  // namespace quorvel::ui
