#include "client_snapshot.h"

#include <filesystem>

#include "registry/registry.h"
#include "registry/sqlite/sqlite_hive.h"
#include "registry/store_error.h"

namespace quorvel::standin {

ClientSnapshot TakeSnapshot(ClientKind client, const platform::EnvironmentLookup& environment) {
    ClientSnapshot snapshot;
    snapshot.storePath = platform::RegistryStorePath(environment);
    std::error_code ignored;
    if (!std::filesystem::exists(snapshot.storePath, ignored)) {
        snapshot.error = "There is no registry store at " + snapshot.storePath +
                         ", so there are no settings to read.";
        return snapshot;
    }
    try {
        registry::SqliteHive hive(snapshot.storePath);
        const platform::EnvironmentSystemFolders folders(environment);
        registry::Registry reg(hive, folders);
        if (client == ClientKind::Mail) {
            const MailSettings mail = ReadMailSettings(reg);
            snapshot.sections = MailView(mail);
            snapshot.profile = mail.currentProfile;
        } else {
            const NewsSettings news = ReadNewsSettings(reg);
            snapshot.sections = NewsView(news);
            snapshot.profile = news.currentProfile;
        }
    } catch (const registry::StoreError& error) {
        snapshot.error = error.what();
    }
    return snapshot;
}

}  // namespace quorvel::standin
