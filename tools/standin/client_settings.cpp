#include "client_settings.h"

#include "settings/base64.h"
#include "settings/client_keys.h"
#include "settings/event_pump.h"

namespace quorvel::standin {
namespace {

const std::string kImn(settings::kImnKey);
const std::string kMail = kImn + "\\Mail";
const std::string kPop3 = kMail + "\\POP3";
const std::string kNews = kImn + "\\News";

std::string Read(registry::Registry& reg, const std::string& key, const std::string& name) {
    reg.GetValue(key, name);
    return reg.RegValue.text();
}

Identity ReadIdentity(registry::Registry& reg, const std::string& key) {
    return {Read(reg, key, "Sender Name"), Read(reg, key, "Sender EMail"),
            Read(reg, key, "Reply to"), Read(reg, key, "Sender Organization")};
}

std::vector<std::string> SubKeys(registry::Registry& reg, const std::string& key) {
    std::vector<std::string> names;
    if (const auto open = reg.hive().openKey(registry::Root::CurrentUser, key)) {
        open->subKeyNames(names);
    }
    return names;
}

}  // namespace

bool HoldsPassword(const std::string& storedHex) {
    settings::NoEventPump noEvents;
    settings::Base64 base64(noEvents);
    return !base64.Base64DecodeHex(storedHex).empty();
}

MailSettings ReadMailSettings(registry::Registry& reg) {
    MailSettings mail;
    mail.identity = ReadIdentity(reg, kMail);
    mail.storeRoot = Read(reg, kImn, "Store Root");
    mail.addressBook = Read(reg, std::string(settings::kWabFileKey), "");
    mail.defaultPop3Server = Read(reg, kMail, "Default POP3 Server");
    mail.defaultSmtpServer = Read(reg, kMail, "Default SMTP Server");
    mail.pollMultiplePopServers = Read(reg, kMail, "PollMultiplePopServers");
    for (const std::string& name : SubKeys(reg, kPop3)) {
        const std::string key = kPop3 + "\\" + name;
        Pop3Server server;
        server.name = name;
        server.account = Read(reg, key, "Account");
        server.ipAddress = Read(reg, key, "IP Address");
        server.port = Read(reg, key, "Port");
        server.rememberPassword = Read(reg, key, "RememberPassword");
        server.passwordStored = HoldsPassword(Read(reg, key, "Password"));
        mail.pop3Servers.push_back(std::move(server));
    }
    mail.connectionType = Read(reg, kMail, "Connection Type");
    mail.rasPhonebookEntry = Read(reg, kMail, "RAS Phonebook Entry");
    mail.lastFolder = Read(reg, kMail, "LastFolder");
    mail.currentProfile = Read(reg, kImn, "Current Profile");
    return mail;
}

NewsSettings ReadNewsSettings(registry::Registry& reg) {
    NewsSettings news;
    news.identity = ReadIdentity(reg, kNews);
    news.defaultServer = Read(reg, kNews, "DefaultServer");
    news.lastServer = Read(reg, kNews, "Last Server");
    news.lastGroup = Read(reg, kNews, "Last Group");
    for (const std::string& name : SubKeys(reg, kNews)) {
        const std::string key = kNews + "\\" + name;
        news.servers.push_back(
            {name, Read(reg, key, "Connection Type"), Read(reg, key, "RAS Phonebook Entry")});
    }
    news.currentProfile = Read(reg, kImn, "Current Profile");
    return news;
}

}  // namespace quorvel::standin
