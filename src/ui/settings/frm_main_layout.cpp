// The settings window's rows: their captions, their creation and their layout.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {
namespace {

// Caption numbers: row index + 0 for label rows, + 10 for check boxes, + 20 for option rows.
struct RowCaption {
    std::int16_t number;
    std::string_view mail;
    std::string_view news;
};

constexpr RowCaption kRowCaptions[] = {
    {1, "&1 Sender Name", "&1 Sender Name"},
    {2, "&2 E-Mail Address", "&2 E-Mail Address"},
    {3, "&3 \"Reply to\" address", "&3 \"Reply to\" address"},
    {4, "&4 Organization", "&4 Organization"},
    {5, "&5 Mail/News Location", "&5 Starting News Server"},
    {6, "&6 Starting Folder", "&6 Starting News Group"},
    {7, "&7 Address Book", ""},
    {11, "&Use HTML when sending mail", "Aut&o expand conversation threads"},
    {12, "S&tart Internet Mail Maximized", "Mark all messages as read when e&xiting a Newsgroup"},
    {13, "Play s&ound for new messages", "Start Internet News Maximi&zed"},
    {14, "Empty \"Deleted Items\" folder on e&xit", "&Use HTML in messages"},
    {15, "In&clude original message in replies", "N&otify me if there are any new Newsgroups"},
    {16, "Send Mail Immediatel&y", "Save copy o&f posted messages"},
    {17, "", "In&clude original message in replies"},
    {18, "", "Don't &keep read messages"},
    {21, "&Check for messages every ___(Minutes)", "&Check for messages every ___(Minutes)"},
    {22, "&Use this character to indent replies with",
     "&Use this character to indent replies with"},
    {23, "Mar&k messages as read after previewing for ___(seconds)",
     "Mar&k messages as read after previewing for ___(seconds)"},
    {24, "", "&Only download ___ headers at one time"},
    {25, "", "Dele&te mesages ___ days after downloading"},
};

struct ServerRowCaption {
    std::int16_t number;
    std::string_view caption;
};

constexpr ServerRowCaption kServerCaptions[] = {
    {1, "&1 POP3 Server"},
    {2, "&2 IP Address"},
    {3, "&3 Account"},
    {4, "&4 Password"},
    {5, "&5 SMTP Server"},
    {11, "Leave copy o&f message on server"},
    {12, "Remo&ve from server when deleted from \"Deleted Items\""},
    {13, "Use secure passw&ord authentication"},
    {21, "Don 't download messa&ges over ___(KB)"},
    {22, "Remove &mail from server after ___(days)"},
    {40, "Server &timeout (seconds)"},
    {41, "&Receive Port #"},
};

constexpr std::string_view kSignatureOptions[] = {"N&o Signature", "&Text", "&File"};
constexpr std::string_view kSignatureChecks[] = {
    "Add signat&ure to the end of all outgoing messages", "Don't add to rep&lies and forwards"};

// The hidden timeout box of the design keeps its place; the port label is measured from it.
constexpr int kDesignValueBoxLeft = 2178;  // twips
constexpr int kDesignValueBoxWidth = 732;  // twips

constexpr int kValueBoxLimitKB = 4;
constexpr int kValueBoxLimit = 3;

std::int16_t to16(int value) {
    return static_cast<std::int16_t>(value);
}

// Passwords show one "*" per character, whatever the desktop's style would draw.
class PasswordStars final : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) {
            return '*';
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QString Named(const char* array, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

// The caption as it shows: access-key markers removed, "&&" kept as one "&".
QString ShownCaption(const QString& caption) {
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

void Place(QWidget* control, double left, double top, double width, double height) {
    control->setGeometry(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)),
                         static_cast<int>(std::lround(width)),
                         static_cast<int>(std::lround(height)));
    control->show();
}

template <typename Control>
Control* Create(QWidget* pane, const char* array, int index) {
    auto* control = new Control(pane);
    control->setObjectName(Named(array, index));
    control->hide();
    return control;
}

QLabel* CreateLabel(QWidget* pane, const char* array, int index, const std::string& caption) {
    auto* label = Create<QLabel>(pane, array, index);
    label->setText(FromAnsi(caption));
    return label;
}

QCheckBox* CreateCheck(QWidget* pane, const char* array, int index, const std::string& caption) {
    auto* check = Create<QCheckBox>(pane, array, index);
    check->setText(FromAnsi(caption));
    return check;
}

QLineEdit* CreateBox(QWidget* pane, const char* array, int index, int maxLength = 0) {
    auto* box = Create<QLineEdit>(pane, array, index);
    if (maxLength > 0) {
        box->setMaxLength(maxLength);
        box->setProperty("designMaxLength", maxLength);
    }
    return box;
}

}  // namespace

std::string frmMain::getCaption(std::int16_t amode, std::int16_t Index) {
    for (const RowCaption& row : kRowCaptions) {
        if (row.number == Index) {
            return std::string(amode == 1 ? row.mail : row.news);
        }
    }
    return "";
}

std::string frmMain::ServerCaption(std::int16_t Index) {
    for (const ServerRowCaption& row : kServerCaptions) {
        if (row.number == Index) {
            return std::string(row.caption);
        }
    }
    return "";
}

void frmMain::createPanes() {
    const char* names[] = {"",          "picMainMail", "picSigMail", "picOtherMail",
                           "picServer", "picMainNews", "picSigNews", "picOtherNews"};
    for (int pane = 1; pane <= 7; ++pane) {
        auto* container = new QWidget(centralWidget());
        container->setObjectName(QLatin1String(names[pane]));
        // A pane takes the focus like any control and, for most panes, hands it to its first row.
        container->setFocusPolicy(Qt::StrongFocus);
        container->hide();
        panes[static_cast<std::size_t>(pane)] = container;
        watch(container, Watched::Pane, pane);
    }
    picMainMail = panes[1];
    picSigMail = panes[2];
    picOtherMail = panes[3];
    picServer = panes[4];
    picMainNews = panes[5];
    picSigNews = panes[6];
    picOtherNews = panes[7];
}

void frmMain::createSignaturePane(int pane, std::array<QRadioButton*, 3>& options,
                                  std::array<QCheckBox*, 2>& checks, QPlainTextEdit*& text,
                                  QLineEdit*& file, const char* suffix) {
    QWidget* container = panes[static_cast<std::size_t>(pane)];
    const std::string kind(suffix);
    for (int i = 0; i < 3; ++i) {
        options[static_cast<std::size_t>(i)] =
            Create<QRadioButton>(container, ("optSig" + kind).c_str(), i);
        options[static_cast<std::size_t>(i)]->setText(
            FromAnsi(kSignatureOptions[static_cast<std::size_t>(i)]));
    }
    text = new QPlainTextEdit(container);
    text->setObjectName(QString::fromStdString("txtSig" + kind));
    text->hide();
    file = new QLineEdit(container);
    file->setObjectName(QString::fromStdString("txtSigFile" + kind));
    file->hide();
    for (int i = 0; i < 2; ++i) {
        checks[static_cast<std::size_t>(i)] =
            CreateCheck(container, ("chkSig" + kind).c_str(), i,
                        std::string(kSignatureChecks[static_cast<std::size_t>(i)]));
    }
}

void frmMain::createDesignElements() {
    // Element 0 of every row array: never shown, never used; the rows are made after it.
    lblMail = {Create<QLabel>(picMainMail, "lblMail", 0)};
    txtMail = {CreateBox(picMainMail, "txtMail", 0)};
    chkMail = {Create<QCheckBox>(picOtherMail, "chkMail", 0)};
    chkListMail = {Create<QCheckBox>(picOtherMail, "chkListMail", 0)};
    txtListMail = {CreateBox(picOtherMail, "txtListMail", 0)};
    lblServer = {Create<QLabel>(picServer, "lblServer", 0)};
    txtServer = {CreateBox(picServer, "txtServer", 0)};
    chkServer = {Create<QCheckBox>(picServer, "chkServer", 0)};
    chkListServer = {Create<QCheckBox>(picServer, "chkListServer", 0)};
    txtListServer = {CreateBox(picServer, "txtListServer", 0, kValueBoxLimit)};
    lblListServer = {Create<QLabel>(picServer, "lblListServer", 0)};
    lblNews = {Create<QLabel>(picMainNews, "lblNews", 0)};
    txtNews = {CreateBox(picMainNews, "txtNews", 0)};
    chkNews = {Create<QCheckBox>(picOtherNews, "chkNews", 0)};
    chkListNews = {Create<QCheckBox>(picOtherNews, "chkListNews", 0)};
    txtListNews = {CreateBox(picOtherNews, "txtListNews", 0)};

    const double dpi = Dpi();
    txtListServer[0]->setGeometry(app::TwipsToPixels(kDesignValueBoxLeft, dpi), 0,
                                  app::TwipsToPixels(kDesignValueBoxWidth, dpi), 20);

    createSignaturePane(2, optSigMail, chkSigMail, txtSigMail, txtSigFileMail, "Mail");
    createSignaturePane(6, optSigNews, chkSigNews, txtSigNews, txtSigFileNews, "News");

    lblSuccess = new QLabel(QStringLiteral("Successful Entry!"), centralWidget());
    lblSuccess->setObjectName(QStringLiteral("lblSuccess"));
    // One point larger than the captions: the longest row caption ("&5 Starting News Server")
    // then fits the labels' width of 1.3 units with room to spare.
    QFont measure = font();
    measure.setFamily(QStringLiteral("Arial"));
    measure.setPointSizeF(measure.pointSizeF() + 1);
    lblSuccess->setFont(measure);
    lblSuccess->hide();
    lblTest = new QLabel(centralWidget());
    lblTest->setObjectName(QStringLiteral("lblTest"));
    lblTest->hide();
}

void frmMain::loadControls() {
    for (int i = 1; i <= 7; ++i) {
        lblMail.push_back(CreateLabel(picMainMail, "lblMail", i, getCaption(1, to16(i))));
        txtMail.push_back(CreateBox(picMainMail, "txtMail", i));
        lblMail[i]->setBuddy(txtMail[i]);
    }
    for (int i = 1; i <= 6; ++i) {
        chkMail.push_back(CreateCheck(picOtherMail, "chkMail", i, getCaption(1, to16(i + 10))));
    }
    for (int i = 1; i <= 3; ++i) {
        chkListMail.push_back(
            CreateCheck(picOtherMail, "chkListMail", i, getCaption(1, to16(i + 20))));
        txtListMail.push_back(CreateBox(picOtherMail, "txtListMail", i));
    }
    for (int i = 1; i <= 5; ++i) {
        lblServer.push_back(CreateLabel(picServer, "lblServer", i, ServerCaption(to16(i))));
        txtServer.push_back(CreateBox(picServer, "txtServer", i));
        lblServer[i]->setBuddy(txtServer[i]);
    }
    txtServer[4]->setEchoMode(QLineEdit::Password);
    auto* stars = new PasswordStars;
    stars->setParent(txtServer[4]);
    txtServer[4]->setStyle(stars);
    for (int i = 1; i <= 3; ++i) {
        chkServer.push_back(CreateCheck(picServer, "chkServer", i, ServerCaption(to16(i + 10))));
    }
    for (int i = 1; i <= 4; ++i) {
        if (i < 3) {
            chkListServer.push_back(
                CreateCheck(picServer, "chkListServer", i, ServerCaption(to16(i + 20))));
        }
        txtListServer.push_back(
            CreateBox(picServer, "txtListServer", i, i == 1 ? kValueBoxLimitKB : kValueBoxLimit));
    }
    // The timeout and port boxes have labels instead of check boxes; the labels' access keys
    // lead into them, and the tab order runs through them after the option rows.
    lblListServer.push_back(Create<QLabel>(picServer, "lblListServer", 1));
    for (int j = 0; j <= 1; ++j) {
        lblListServer[j]->setText(FromAnsi(ServerCaption(to16(j + 40))));
        lblListServer[j]->setBuddy(txtListServer[j + 3]);
    }
    setTabOrder(txtListServer[2], txtListServer[3]);
    setTabOrder(txtListServer[3], txtListServer[4]);

    if (program_.store.NewsDisabled) {
        for (int i = 5; i <= 7; ++i) {
            mnuWindow[i]->setEnabled(false);
        }
        mnuSwitch[3]->setEnabled(false);
        mnuSwitch[0]->setChecked(true);
        connectRows();
        return;
    }
    for (int i = 1; i <= 6; ++i) {
        lblNews.push_back(CreateLabel(picMainNews, "lblNews", i, getCaption(2, to16(i))));
        txtNews.push_back(CreateBox(picMainNews, "txtNews", i));
        lblNews[i]->setBuddy(txtNews[i]);
    }
    for (int i = 1; i <= 8; ++i) {
        chkNews.push_back(CreateCheck(picOtherNews, "chkNews", i, getCaption(2, to16(i + 10))));
    }
    for (int i = 1; i <= 5; ++i) {
        chkListNews.push_back(
            CreateCheck(picOtherNews, "chkListNews", i, getCaption(2, to16(i + 20))));
        txtListNews.push_back(CreateBox(picOtherNews, "txtListNews", i));
    }
    connectRows();
}

void frmMain::looks() {
    const QRect frame = frameGeometry();
    layoutRows(frame.width(), frame.height());
}

// All measures in pixels. W and H are the window's outer size, w and h the measuring label's;
// P and Q a pane's size.
void frmMain::layoutRows(double W, double H) {
    lblSuccess->adjustSize();
    w_ = lblSuccess->width();
    h_ = lblSuccess->height();
    const double w = w_;
    const double h = h_;
    const double P = W - h / 2;
    const double Q = H - 3 * h;
    const double labelWidth = 1.3 * w;
    const double boxWidth = P - h - labelWidth - 2 * h;
    // Too small (or minimized): keep the last layout rather than make negative sizes.
    if (Q < 0 || boxWidth < 0) {
        return;
    }

    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        box->setFrame(false);
        QPalette colours = box->palette();
        colours.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
        box->setPalette(colours);
    }
    for (QPlainTextEdit* box : findChildren<QPlainTextEdit*>()) {
        box->setFrameShape(QFrame::NoFrame);
        QPalette colours = box->palette();
        colours.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
        box->setPalette(colours);
    }

    for (std::size_t pane = 1; pane <= 7; ++pane) {
        panes[pane]->setGeometry(0, static_cast<int>(std::lround(h / 2)),
                                 static_cast<int>(std::lround(P)),
                                 static_cast<int>(std::lround(Q)));
    }

    // Label rows: the text box spans from the label to 2h before the pane's right edge.
    const auto labelRows = [&](std::vector<QLabel*>& labels, std::vector<QLineEdit*>& boxes,
                               double spacing) {
        double top = 0.8 * h;
        for (std::size_t i = 1; i < boxes.size(); ++i) {
            if (i > 1) {
                top += spacing * h;
            }
            Place(boxes[i], h + labelWidth, top, boxWidth, h);
            Place(labels[i], h, top + 0.2 * h, labelWidth, h);
        }
        return top;  // the last box's top
    };
    // Check-box columns: returns the last check box's top.
    const auto checkColumn = [&](std::vector<QCheckBox*>& checks, double firstTop) {
        double top = firstTop;
        for (std::size_t i = 1; i < checks.size(); ++i) {
            if (i > 1) {
                top += 1.3 * h;
            }
            Place(checks[i], h, top, 0.85 * P, h);
        }
        return top;
    };
    // Option rows: a check box as wide as its caption, its value box 2h wide right after it.
    const auto optionRows = [&](std::vector<QCheckBox*>& checks, std::vector<QLineEdit*>& boxes,
                                double lastCheckTop) {
        double top = lastCheckTop + 1.5 * h;
        for (std::size_t i = 1; i < checks.size(); ++i) {
            if (i > 1) {
                top += 1.3 * h;  // the value box above is h high
            }
            lblTest->setText(ShownCaption(checks[i]->text()));
            lblTest->setFont(checks[i]->font());
            lblTest->adjustSize();
            const double width = lblTest->width() + 2 * h;
            Place(checks[i], h, top, width, h);
            Place(boxes[i], h + width, top - 0.2 * h, 2 * h, h);
        }
        return top;
    };

    // Pane 1 and 3, and pane 4 from the same columns.
    labelRows(lblMail, txtMail, 1.5);
    optionRows(chkListMail, txtListMail, checkColumn(chkMail, 0.8 * h));
    const double lastServerBox = labelRows(lblServer, txtServer, 1.2);
    const double lastServerCheck = checkColumn(chkServer, lastServerBox + 2 * h);
    const double lastServerOption = optionRows(chkListServer, txtListServer, lastServerCheck);

    // Pane 4's timeout and port share one line below the option rows.
    const double lineTop = lastServerOption + 2 * h;
    lblListServer[0]->adjustSize();
    Place(lblListServer[0], h, lineTop, lblListServer[0]->width(), h);
    const double shortBoxWidth = 0.8 * txtListServer[1]->width();
    const double shortBoxHeight = txtListServer[1]->height();
    const double timeoutLeft = h + lblListServer[0]->width() + h;
    Place(txtListServer[3], timeoutLeft, lineTop - 0.2 * h, shortBoxWidth, shortBoxHeight);
    // The port label starts after the design place of the hidden box, or after the timeout box
    // when a larger font has pushed that beyond it.
    const double portLabelLeft = std::max<double>(txtListServer[0]->geometry().right() + 1,
                                                  txtListServer[3]->geometry().right() + 1) +
                                 h;
    lblListServer[1]->adjustSize();
    Place(lblListServer[1], portLabelLeft, lineTop, lblListServer[1]->width(), h);
    Place(txtListServer[4], portLabelLeft + lblListServer[1]->width() + h, lineTop - 0.2 * h,
          shortBoxWidth, shortBoxHeight);

    // Signature panes, from the window's size rather than the pane's.
    const auto signaturePane = [&](std::array<QRadioButton*, 3>& options,
                                   std::array<QCheckBox*, 2>& checks, QPlainTextEdit* text,
                                   QLineEdit* file) {
        Place(options[0], h, h, w, h);
        const double option1Top = h + 2 * h;
        Place(options[1], h, option1Top, 0.5 * w, h);
        const double textLeft = h + 1.1 * 0.5 * w;
        const double textTop = option1Top + 0.2 * h;
        Place(text, textLeft, textTop, 0.7 * W, 0.3 * H);
        const double option2Top = textTop + 1.2 * 0.3 * H;
        Place(options[2], h, option2Top, 0.5 * w, h);
        Place(file, textLeft, option2Top + 0.2 * h, 0.7 * W, h);
        const double check0Top = option2Top + 3 * h;
        Place(checks[0], h, check0Top, 0.8 * W, h);
        Place(checks[1], 2 * h, check0Top + 1.5 * h, 0.6 * W, h);
    };
    signaturePane(optSigMail, chkSigMail, txtSigMail, txtSigFileMail);
    if (program_.store.NewsDisabled) {
        return;
    }
    signaturePane(optSigNews, chkSigNews, txtSigNews, txtSigFileNews);

    // The news panes repeat their mail counterparts row for row; pane 7's two extra check
    // boxes continue the column, and its option rows follow its own last check box, so that
    // its rows never overlap.
    labelRows(lblNews, txtNews, 1.5);
    optionRows(chkListNews, txtListNews, checkColumn(chkNews, 0.8 * h));
}

}  // namespace quorvel::ui
