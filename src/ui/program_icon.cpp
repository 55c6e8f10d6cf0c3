#include "ui/program_icon.h"

#include <QImageReader>

namespace quorvel::ui {

QIcon ProgramIcon() {
    if (QImageReader::supportedImageFormats().contains("svg")) {
        return QIcon(QStringLiteral(":/quorvel.svg"));
    }
    QIcon icon;
    for (const int size : {16, 32, 48, 256}) {
        icon.addFile(QStringLiteral(":/icons/quorvel-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace quorvel::ui
