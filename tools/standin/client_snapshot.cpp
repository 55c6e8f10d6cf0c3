#include "client_snapshot.h"

#include "registry/registry.h"
#include "registry/store_error.h"
#include "standin_system.h"

namespace quorvel::standin {

ClientSnapshot TakeSnapshot(ClientKind client, const platform::EnvironmentLookup& environment) {
    ClientSnapshot snapshot;
    snapshot.storePath = StoreName(environment);
    if (!StoreExists(environment)) {
        snapshot.error = "There is no registry store at " + snapshot.storePath +
                         ", so there are no settings to read.";
        return snapshot;
    }
    try {
        const StandinSystem system = OpenStandinSystem(environment);
        registry::Registry reg(*system.hive, *system.folders);
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
