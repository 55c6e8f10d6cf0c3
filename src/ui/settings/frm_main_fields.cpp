// How the settings window reacts to edits: which edits count as changes, where the focus goes,
// and the checks of the short value boxes.
#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {
namespace {

// Focus that comes and goes with the whole window (another window, a message box, a menu) is
// no entering or leaving of a field.
bool FieldFocus(const QFocusEvent* event) {
    switch (event->reason()) {
        case Qt::ActiveWindowFocusReason:
        case Qt::PopupFocusReason:
        case Qt::MenuBarFocusReason:
            return false;
        default:
            return true;
    }
}

template <typename Handler>
void OnText(QLineEdit* box, QObject* context, Handler handler) {
    QObject::connect(box, &QLineEdit::textChanged, context, handler);
}

template <typename Handler>
void OnClick(QCheckBox* check, QObject* context, Handler handler) {
    QObject::connect(check, &QCheckBox::stateChanged, context, handler);
}

}  // namespace

void frmMain::watch(QObject* control, Watched kind, int index) {
    watched_.insert(control, {kind, index});
    control->installEventFilter(this);
}

void frmMain::connectRows() {
    const auto each = [](auto& array, auto connectOne) {
        for (std::size_t i = 1; i < array.size(); ++i) {
            connectOne(array[i], static_cast<int>(i));
        }
    };
    each(txtMail, [this](QLineEdit* box, int i) {
        OnText(box, this, [this, i] { txtMail_Change(i); });
        watch(box, Watched::Mail, i);
    });
    each(txtNews, [this](QLineEdit* box, int i) {
        OnText(box, this, [this, i] { txtNews_Change(i); });
        watch(box, Watched::News, i);
    });
    each(txtServer, [this](QLineEdit* box, int i) {
        OnText(box, this, [this, i] { txtServer_Change(i); });
        watch(box, Watched::Server, i);
    });
    each(txtListMail, [this](QLineEdit* box, int i) {
        OnText(box, this, [this, i] { txtListMail_Change(i); });
        watch(box, Watched::ListMail, i);
    });
    each(txtListNews, [this](QLineEdit* box, int i) {
        OnText(box, this, [this, i] { txtListNews_Change(i); });
        watch(box, Watched::ListNews, i);
    });
    each(txtListServer, [this](QLineEdit* box, int i) {
        OnText(box, this, [this, i] { txtListServer_Change(i); });
        watch(box, Watched::ListServer, i);
    });
    each(chkMail,
         [this](QCheckBox* c, int i) { OnClick(c, this, [this, i] { chkMail_Click(i); }); });
    each(chkNews,
         [this](QCheckBox* c, int i) { OnClick(c, this, [this, i] { chkNews_Click(i); }); });
    each(chkListMail,
         [this](QCheckBox* c, int i) { OnClick(c, this, [this, i] { chkListMail_Click(i); }); });
    each(chkListNews,
         [this](QCheckBox* c, int i) { OnClick(c, this, [this, i] { chkListNews_Click(i); }); });
    each(chkServer,
         [this](QCheckBox* c, int i) { OnClick(c, this, [this, i] { chkServer_Click(i); }); });
    each(chkListServer,
         [this](QCheckBox* c, int i) { OnClick(c, this, [this, i] { chkListServer_Click(i); }); });

    for (int i = 0; i < 2; ++i) {
        const auto at = static_cast<std::size_t>(i);
        OnClick(chkSigMail[at], this, [this, i] { chkSigMail_Click(i); });
        OnClick(chkSigNews[at], this, [this, i] { chkSigNews_Click(i); });
    }
    for (int i = 0; i < 3; ++i) {
        const auto at = static_cast<std::size_t>(i);
        connect(optSigMail[at], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                optSigMail_Click(i);
            }
        });
        connect(optSigNews[at], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                optSigNews_Click(i);
            }
        });
    }
    connect(txtSigMail, &QPlainTextEdit::textChanged, this, [this] { txtSigMail_Change(); });
    connect(txtSigNews, &QPlainTextEdit::textChanged, this, [this] { txtSigNews_Change(); });
    OnText(txtSigFileMail, this, [this] { txtSigFileMail_Change(); });
    OnText(txtSigFileNews, this, [this] { txtSigFileNews_Change(); });
    watch(txtSigMail, Watched::SigMail, 0);
    watch(txtSigNews, Watched::SigNews, 0);
    watch(txtSigFileMail, Watched::SigFileMail, 0);
    watch(txtSigFileNews, Watched::SigFileNews, 0);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    const auto found = watched_.constFind(watched);
    // A text box would keep Ctrl+A, Ctrl+C, Ctrl+K ... for its own editing; the menus' keys
    // come first, as they do in the window the user knows.
    if (found != watched_.constEnd() && event->type() == QEvent::ShortcutOverride &&
        IsMenuShortcut(static_cast<QKeyEvent*>(event)->keyCombination())) {
        return true;
    }
    if (found == watched_.constEnd() ||
        (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)) {
        return QMainWindow::eventFilter(watched, event);
    }
    const auto [kind, index] = *found;
    // A pane passes the focus on however it came, also when the window first opens with it.
    if (kind != Watched::Pane && !FieldFocus(static_cast<QFocusEvent*>(event))) {
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusIn) {
        if (kind != Watched::Pane) {
            textGotFocus(watched, kind, index);
        } else if (index == 1) {
            picMainMail_GotFocus();
        } else if (index == 3) {
            picOtherMail_GotFocus();
        } else if (index == 4) {
            picServer_GotFocus();
        } else if (index == 5) {
            picMainNews_GotFocus();
        } else if (index == 7) {
            picOtherNews_GotFocus();
        }
    } else if (kind == Watched::ListMail) {
        txtListMail_LostFocus(index);
    } else if (kind == Watched::ListNews) {
        txtListNews_LostFocus(index);
    } else if (kind == Watched::ListServer) {
        txtListServer_LostFocus(index);
    }
    return QMainWindow::eventFilter(watched, event);
}

// Every edit of a profile setting, typed or set by the program, marks the profile changed;
// edits on the Accounts pane mark the account profile instead. Loading and saving clear them.
void frmMain::txtMail_Change(int) {
    program_.editor.profileChanged = true;
}
void frmMain::txtNews_Change(int) {
    program_.editor.profileChanged = true;
}
void frmMain::txtListMail_Change(int) {
    program_.editor.profileChanged = true;
}
void frmMain::txtListNews_Change(int) {
    program_.editor.profileChanged = true;
}
void frmMain::txtSigMail_Change() {
    program_.editor.profileChanged = true;
}
void frmMain::txtSigNews_Change() {
    program_.editor.profileChanged = true;
}
void frmMain::txtSigFileMail_Change() {
    program_.editor.profileChanged = true;
}
void frmMain::txtSigFileNews_Change() {
    program_.editor.profileChanged = true;
}
void frmMain::chkMail_Click(int) {
    program_.editor.profileChanged = true;
}
void frmMain::chkNews_Click(int) {
    program_.editor.profileChanged = true;
}
void frmMain::chkListMail_Click(int) {
    program_.editor.profileChanged = true;
}
void frmMain::chkListNews_Click(int) {
    program_.editor.profileChanged = true;
}
void frmMain::chkSigMail_Click(int) {
    program_.editor.profileChanged = true;
}
void frmMain::chkSigNews_Click(int) {
    program_.editor.profileChanged = true;
}
void frmMain::optSigMail_Click(int) {
    program_.editor.profileChanged = true;
}
void frmMain::optSigNews_Click(int) {
    program_.editor.profileChanged = true;
}
void frmMain::txtServer_Change(int) {
    program_.editor.accountChanged = true;
}
void frmMain::txtListServer_Change(int) {
    program_.editor.accountChanged = true;
}
void frmMain::chkServer_Click(int) {
    program_.editor.accountChanged = true;
}
void frmMain::chkListServer_Click(int) {
    program_.editor.accountChanged = true;
}

// A pane that receives the focus hands it to its first row.
void frmMain::picMainMail_GotFocus() {
    if (txtMail.size() > 1) {
        txtMail[1]->setFocus(Qt::OtherFocusReason);
    }
}
void frmMain::picMainNews_GotFocus() {
    if (txtNews.size() > 1) {
        txtNews[1]->setFocus(Qt::OtherFocusReason);
    }
}
void frmMain::picOtherMail_GotFocus() {
    if (chkMail.size() > 1) {
        chkMail[1]->setFocus(Qt::OtherFocusReason);
    }
}
void frmMain::picOtherNews_GotFocus() {
    if (chkNews.size() > 1) {
        chkNews[1]->setFocus(Qt::OtherFocusReason);
    }
}
void frmMain::picServer_GotFocus() {
    if (txtServer.size() > 1) {
        txtServer[1]->setFocus(Qt::OtherFocusReason);
    }
}

// Entering a text box selects its text, so that typing replaces it; an empty value box first
// gets its default.
void frmMain::textGotFocus(QObject* control, Watched kind, int index) {
    const auto boxes = kind == Watched::ListMail     ? std::optional(app::ValueBoxes::Mail)
                       : kind == Watched::ListNews   ? std::optional(app::ValueBoxes::News)
                       : kind == Watched::ListServer ? std::optional(app::ValueBoxes::Server)
                                                     : std::nullopt;
    if (boxes) {
        QLineEdit* box = valueBox(*boxes, index);
        if (box != nullptr && box->text().isEmpty()) {
            box->setText(FromAnsi(app::DefaultText(*boxes, index)));
        }
    }
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        line->selectAll();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(control)) {
        text->selectAll();
    }
}

void frmMain::txtListMail_LostFocus(int index) {
    checkValueBox(app::ValueBoxes::Mail, index);
}
void frmMain::txtListNews_LostFocus(int index) {
    checkValueBox(app::ValueBoxes::News, index);
}
void frmMain::txtListServer_LostFocus(int index) {
    checkValueBox(app::ValueBoxes::Server, index);
}

// A refused entry is reported, replaced by the box's lower bound (or ">"), and the focus goes
// back into the box: the user cannot leave it with a value its option would not take.
void frmMain::checkValueBox(app::ValueBoxes boxes, int index) {
    QLineEdit* box = valueBox(boxes, index);
    if (checkingField_ || unloading_ || box == nullptr) {
        return;
    }
    const QCheckBox* option = optionBox(boxes, index);
    const app::FieldVerdict verdict =
        app::CheckValueBox(boxes, index, ToAnsi(box->text()),
                           option != nullptr && option->checkState() != Qt::Unchecked);
    if (verdict.accepted) {
        return;
    }
    checkingField_ = true;
    program_.prompts().MsgBox(verdict.message, profiles::Buttons::Ok, profiles::Icon::Information);
    box->setText(FromAnsi(verdict.putBack));
    box->setFocus(Qt::OtherFocusReason);
    checkingField_ = false;
}

QLineEdit* frmMain::valueBox(app::ValueBoxes boxes, int index) const {
    const std::vector<QLineEdit*>& array = boxes == app::ValueBoxes::Mail   ? txtListMail
                                           : boxes == app::ValueBoxes::News ? txtListNews
                                                                            : txtListServer;
    return index >= 1 && index < static_cast<int>(array.size())
               ? array[static_cast<std::size_t>(index)]
               : nullptr;
}

QCheckBox* frmMain::optionBox(app::ValueBoxes boxes, int index) const {
    const std::vector<QCheckBox*>& array = boxes == app::ValueBoxes::Mail   ? chkListMail
                                           : boxes == app::ValueBoxes::News ? chkListNews
                                                                            : chkListServer;
    return index >= 1 && index < static_cast<int>(array.size())
               ? array[static_cast<std::size_t>(index)]
               : nullptr;
}

}  // namespace quorvel::ui
