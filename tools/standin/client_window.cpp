#include "client_window.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quorvel::standin {
namespace {

QString Text(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ClientWindow::ClientWindow(ClientKind client, const ClientSnapshot& snapshot,
                           const QString& junction, QWidget* parent)
    : QWidget(parent) {
    setObjectName(client == ClientKind::Mail ? "InternetMail" : "InternetNews");
    setWindowTitle(Text(std::string(ClientTitle(client))));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeHeader(client, snapshot));
    if (snapshot.error.empty()) {
        layout->addWidget(makeSettingsTree(snapshot), 1);
    } else {
        auto* error = new QLabel(Text(snapshot.error), this);
        error->setObjectName("lblError");
        error->setWordWrap(true);
        error->setAlignment(Qt::AlignCenter);
        error->setFrameShape(QFrame::StyledPanel);
        error->setMargin(16);
        error->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(error, 1);
    }
    layout->addWidget(makeFooter(snapshot, junction));
    resize(640, client == ClientKind::Mail ? 560 : 400);
}

QWidget* ClientWindow::makeHeader(ClientKind client, const ClientSnapshot& snapshot) {
    auto* header = new QWidget(this);
    auto* layout = new QVBoxLayout(header);
    layout->setContentsMargins(4, 4, 4, 8);
    layout->setSpacing(2);

    auto* title = new QLabel(Text(std::string(ClientTitle(client))), header);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    layout->addWidget(title);

    QString profile = tr("Profile: %1").arg(Text(snapshot.profile));
    if (!snapshot.error.empty()) {
        profile = tr("Settings could not be read");
    } else if (snapshot.profile.empty()) {
        profile = tr("No profile applied");
    }
    auto* profileLabel = new QLabel(profile, header);
    profileLabel->setObjectName("lblProfile");
    QFont profileFont = profileLabel->font();
    profileFont.setBold(!snapshot.profile.empty());
    profileLabel->setFont(profileFont);
    layout->addWidget(profileLabel);

    auto* note =
        new QLabel(tr("Stand-in client: the settings read from its keys at start-up"), header);
    note->setEnabled(false);
    layout->addWidget(note);
    return header;
}

QWidget* ClientWindow::makeSettingsTree(const ClientSnapshot& snapshot) {
    auto* tree = new QTreeWidget(this);
    tree->setObjectName("treeSettings");
    tree->setColumnCount(2);
    tree->setHeaderLabels({tr("Setting"), tr("Value")});
    tree->setAlternatingRowColors(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setUniformRowHeights(true);
    // Paths matter most at their end (the file's name): cut them in the middle.
    tree->setTextElideMode(Qt::ElideMiddle);
    for (const Section& section : snapshot.sections) {
        addSection(nullptr, tree, section);
    }
    tree->expandAll();
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree->header()->setStretchLastSection(true);
    return tree;
}

void ClientWindow::addSection(QTreeWidgetItem* parent, QTreeWidget* tree, const Section& section) {
    auto* heading = parent == nullptr ? new QTreeWidgetItem(tree) : new QTreeWidgetItem(parent);
    heading->setText(0, Text(section.title));
    QFont bold = heading->font(0);
    bold.setBold(true);
    heading->setFont(0, bold);
    heading->setFirstColumnSpanned(true);
    heading->setFlags(Qt::ItemIsEnabled);
    for (const Row& row : section.rows) {
        auto* item = new QTreeWidgetItem(heading);
        item->setText(0, Text(row.label));
        item->setText(1, Text(row.value));
        item->setToolTip(0, tr("Registry value: %1").arg(Text(row.source)));
        item->setToolTip(1, Text(row.value));
        if (row.value == kNotSet) {
            item->setForeground(1, palette().brush(QPalette::Disabled, QPalette::Text));
        }
    }
    for (const Section& nested : section.sections) {
        addSection(heading, tree, nested);
    }
}

QWidget* ClientWindow::makeFooter(const ClientSnapshot& snapshot, const QString& junction) {
    auto* footer = new QWidget(this);
    auto* layout = new QHBoxLayout(footer);
    layout->setContentsMargins(4, 0, 0, 0);
    const QString started = junction.isEmpty()
                                ? tr("Started directly")
                                : tr("Started through %1").arg(QFileInfo(junction).fileName());
    auto* origin = new QLabel(started, footer);
    origin->setObjectName("lblStartedThrough");
    origin->setEnabled(false);
    origin->setToolTip(tr("%1\nRegistry store: %2")
                           .arg(junction.isEmpty() ? started : junction)
                           .arg(Text(snapshot.storePath)));
    layout->addWidget(origin, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, footer);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    // Focus on the button, not on the first row of the tree, which would look selected.
    buttons->button(QDialogButtonBox::Close)->setFocus();
    layout->addWidget(buttons);
    return footer;
}

}  // namespace quorvel::standin
