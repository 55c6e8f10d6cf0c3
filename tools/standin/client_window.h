#pragma once

#include <QWidget>

#include "client_kind.h"
#include "client_snapshot.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace quorvel::standin {

// The stand-in Internet Mail / Internet News window: a read-only view of the settings the
// client read from its keys when it started. It closes as any window does (Alt+F4, close box).
class ClientWindow : public QWidget {
    Q_OBJECT
  public:
    // `junction` is the file the Explorer was given, "" when started directly.
    ClientWindow(ClientKind client, const ClientSnapshot& snapshot, const QString& junction,
                 QWidget* parent = nullptr);

  private:
    QWidget* makeHeader(ClientKind client, const ClientSnapshot& snapshot);
    QWidget* makeSettingsTree(const ClientSnapshot& snapshot);
    QWidget* makeFooter(const ClientSnapshot& snapshot, const QString& junction);
    void addSection(QTreeWidgetItem* parent, QTreeWidget* tree, const Section& section);
};

}  // namespace quorvel::standin
