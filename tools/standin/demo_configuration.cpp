#include "demo_configuration.h"

#include <vector>

#include "platform/local_file_system.h"
#include "settings/client_keys.h"

namespace quorvel::standin {
namespace {

using registry::REG_BINARY;
using registry::REG_DWORD;
using registry::REG_SZ;

struct DemoValue {
    std::string key;
    std::string name;
    Variant data;
    std::uint32_t type;
};

constexpr std::string_view kSender = "Ann Example";
constexpr std::string_view kPop3Server = "mail.example.com";
constexpr std::string_view kSmtpServer = "smtp.example.com";
constexpr std::string_view kNewsServer = "news.example.com";
// "demo" as the client stores passwords: the bytes of its base64 text.
constexpr std::string_view kStoredPassword = "ZGVtbw==";

std::vector<DemoValue> DemoValues(const std::string& windowsDir) {
    const std::string imn(settings::kImnKey);
    const std::string mail = imn + "\\Mail";
    const std::string pop3 = mail + "\\POP3\\" + std::string(kPop3Server);
    const std::string smtp = mail + "\\SMTP\\" + std::string(kSmtpServer);
    const std::string news = imn + "\\News";
    const std::string newsServer = news + "\\" + std::string(kNewsServer);
    // Joined as the program joins paths in the Windows directory.
    const platform::LocalFileSystem files;
    const std::string storeFolder = files.JoinPath(windowsDir, "Internet Mail and News");
    return {
        {imn, "Store Root", files.JoinPath(storeFolder, "Mail"), REG_SZ},
        {std::string(settings::kWabFileKey), "", files.JoinPath(storeFolder, "Ann Example.wab"),
         REG_SZ},
        {mail, "Sender Name", kSender, REG_SZ},
        {mail, "Sender EMail", "ann@example.com", REG_SZ},
        {mail, "Reply to", "ann@example.com", REG_SZ},
        {mail, "Sender Organization", "Example Trading", REG_SZ},
        {mail, "LastFolder", "Inbox", REG_SZ},
        {mail, "Default POP3 Server", kPop3Server, REG_SZ},
        {mail, "Default SMTP Server", kSmtpServer, REG_SZ},
        {mail, "Connection Type", 0, REG_DWORD},
        {mail, "RAS Phonebook Entry", "", REG_SZ},
        {mail, "PollMultiplePopServers", 0, REG_DWORD},
        {mail, "Signature Type", 1, REG_DWORD},
        {mail, "Signature Text", "Ann Example, Example Trading", REG_SZ},
        {mail, "Send HTML Messages", 0, REG_DWORD},
        {mail, "Maximize Mail Window", 1, REG_DWORD},
        {mail, "Include Reply Msg", 1, REG_DWORD},
        {pop3, "IP Address", "192.0.2.25", REG_SZ},
        {pop3, "Account", "ann", REG_SZ},
        {pop3, "Password", kStoredPassword, REG_BINARY},
        {pop3, "RememberPassword", 1, REG_DWORD},
        {pop3, "LeaveMailOnServer", 0, REG_DWORD},
        {pop3, "Use Sicily", 0, REG_DWORD},
        {pop3, "RecvTimeout", 60, REG_DWORD},
        {pop3, "Port", 110, REG_DWORD},
        {smtp, "Port", 25, REG_DWORD},
        {news, "Sender Name", kSender, REG_SZ},
        {news, "Sender EMail", "ann@example.com", REG_SZ},
        {news, "Reply to", "ann@example.com", REG_SZ},
        {news, "Sender Organization", "Example Trading", REG_SZ},
        {news, "DefaultServer", kNewsServer, REG_SZ},
        {news, "Last Server", kNewsServer, REG_SZ},
        {news, "Last Group", "comp.mail.misc", REG_SZ},
        {news, "Maximize News Window", 0, REG_DWORD},
        {newsServer, "Connection Type", 0, REG_DWORD},
        {newsServer, "RAS Phonebook Entry", "", REG_SZ},
    };
}

bool HasValue(registry::Registry& reg, const std::string& key, const std::string& name) {
    const auto open = reg.hive().openKey(registry::Root::CurrentUser, key);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    return open != nullptr && open->queryValue(name, type, {}, size) == registry::ERROR_SUCCESS;
}

}  // namespace

bool WriteDemoConfiguration(registry::Registry& reg, const std::string& windowsDir,
                            std::ostream& out) {
    const std::string mail = std::string(settings::kImnKey) + "\\Mail";
    reg.GetValue(mail, "Sender Name");
    const std::string sender = reg.RegValue.text();
    if (!sender.empty()) {
        out << "Demo configuration: not written; the client is set up already (for " << sender
            << ")\n";
        return true;
    }
    int written = 0;
    int kept = 0;
    for (const DemoValue& value : DemoValues(windowsDir)) {
        if (HasValue(reg, value.key, value.name)) {
            ++kept;
            continue;
        }
        if (!reg.CreateKey(value.key, registry::Root::CurrentUser) ||
            reg.SetValue(value.key, value.name, value.data, value.type) !=
                registry::ERROR_SUCCESS) {
            return false;
        }
        ++written;
    }
    out << "Demo configuration: " << written << " values written for " << kSender;
    if (kept > 0) {
        out << ", " << kept << " existing values kept";
    }
    out << "\n";
    return true;
}

}  // namespace quorvel::standin
