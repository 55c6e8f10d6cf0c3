#include "client_role.h"

#include <QApplication>
#include <QFile>
#include <QSaveFile>
#include <QTimer>
#include <charconv>
#include <optional>

#include "client_snapshot.h"
#include "client_window.h"
#include "sigterm_quitter.h"

namespace quorvel::standin {
namespace {

void Show(ClientWindow& window, const std::optional<std::string>& style) {
    const std::string chosen = style.value_or("");
    if (chosen == "3") {
        window.showMaximized();
        window.raise();
        window.activateWindow();
    } else if (chosen == "4") {
        window.setAttribute(Qt::WA_ShowWithoutActivating);
        window.show();
    } else {
        window.show();
    }
}

std::optional<int> Milliseconds(const std::optional<std::string>& text) {
    int value = 0;
    if (!text || text->empty()) {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

// Written whole or not at all, so that a test polling for it never reads half a line.
void WriteReadyFile(const std::string& path, ClientKind client) {
    QSaveFile file(QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())));
    if (file.open(QIODevice::WriteOnly)) {
        const std::string_view word = ClientWord(client);
        file.write(QByteArray::number(QCoreApplication::applicationPid()) + ' ' +
                   QByteArray(word.data(), static_cast<qsizetype>(word.size())) + '\n');
        file.commit();
    }
}

}  // namespace

int RunClient(int& argc, char** argv, ClientKind client, const std::string& junction,
              const platform::EnvironmentLookup& environment) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(ClientTitle(client)));
    const SigtermQuitter quitter;

    const ClientSnapshot snapshot = TakeSnapshot(client, environment);
    ClientWindow window(
        client, snapshot,
        QString::fromLocal8Bit(junction.data(), static_cast<qsizetype>(junction.size())));
    Show(window, environment("QUORVEL_SHOW"));

    const auto readyFile = environment("QUORVEL_STANDIN_READY_FILE");
    const auto exitAfter = Milliseconds(environment("QUORVEL_STANDIN_EXIT_AFTER_MS"));
    // Once the loop runs: the SIGTERM handler is in place and the window is up.
    QTimer::singleShot(0, &app, [&] {
        if (readyFile && !readyFile->empty()) {
            WriteReadyFile(*readyFile, client);
        }
        if (exitAfter) {
            QTimer::singleShot(*exitAfter, &app, &QCoreApplication::quit);
        }
    });
    return QApplication::exec();
}

}  // namespace quorvel::standin
