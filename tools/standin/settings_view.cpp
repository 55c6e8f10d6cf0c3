#include "settings_view.h"

#include "no_case.h"

namespace quorvel::standin {
namespace {

std::string Shown(const std::string& value) {
    return value.empty() ? kNotSet : value;
}

Section IdentitySection(const Identity& identity) {
    return {"Identity",
            {{"Name", Shown(identity.senderName), "Sender Name"},
             {"E-mail address", Shown(identity.senderEMail), "Sender EMail"},
             {"Reply-to address", Shown(identity.replyTo), "Reply to"},
             {"Organization", Shown(identity.organization), "Sender Organization"}},
            {}};
}

Section Pop3Section(const Pop3Server& server, const std::string& defaultServer) {
    std::string title = "POP3 server " + server.name;
    if (EqualNoCase(server.name, defaultServer)) {
        title += " (default)";
    }
    return {title,
            {{"Account", Shown(server.account), "Account"},
             {"IP address", Shown(server.ipAddress), "IP Address"},
             {"Port", Shown(server.port), "Port"},
             {"Remember password", YesNoText(server.rememberPassword), "RememberPassword"},
             {"Password", server.passwordStored ? "stored" : "none", "Password"}},
            {}};
}

Section NewsServerSection(const NewsServer& server, const std::string& defaultServer) {
    std::string title = "News server " + server.name;
    if (EqualNoCase(server.name, defaultServer)) {
        title += " (default)";
    }
    return {title,
            {{"Connection", ConnectionText(server.connectionType, server.rasPhonebookEntry),
              "Connection Type, RAS Phonebook Entry"}},
            {}};
}

}  // namespace

std::string ConnectionText(const std::string& type, const std::string& rasEntry) {
    if (type.empty()) {
        return kNotSet;
    }
    if (type == "0") {
        return "LAN";
    }
    if (type == "1") {
        return "manual";
    }
    return "dial-up: " + Shown(rasEntry);
}

std::string YesNoText(const std::string& flag) {
    if (flag == "1") {
        return "yes";
    }
    if (flag == "0") {
        return "no";
    }
    return Shown(flag);
}

std::vector<Section> MailView(const MailSettings& mail) {
    Section servers{"Servers",
                    {{"Incoming mail (POP3)", Shown(mail.defaultPop3Server), "Default POP3 Server"},
                     {"Outgoing mail (SMTP)", Shown(mail.defaultSmtpServer), "Default SMTP Server"},
                     {"Poll every POP3 server", YesNoText(mail.pollMultiplePopServers),
                      "PollMultiplePopServers"}},
                    {}};
    for (const Pop3Server& server : mail.pop3Servers) {
        servers.sections.push_back(Pop3Section(server, mail.defaultPop3Server));
    }
    if (mail.pop3Servers.empty()) {
        servers.rows.push_back({"POP3 server keys", "none", "Mail\\POP3"});
    }
    return {
        IdentitySection(mail.identity),
        {"Store",
         {{"Message store folder", Shown(mail.storeRoot), "Store Root"},
          {"Address book", Shown(mail.addressBook), "WAB\\Wab File Name (default value)"},
          {"Starting folder", Shown(mail.lastFolder), "LastFolder"}},
         {}},
        servers,
        {"Connection",
         {{"Connection", ConnectionText(mail.connectionType, mail.rasPhonebookEntry),
           "Connection Type"},
          {"Dial-up entry", Shown(mail.rasPhonebookEntry), "RAS Phonebook Entry"}},
         {}},
    };
}

std::vector<Section> NewsView(const NewsSettings& news) {
    Section servers{"Servers",
                    {{"Default news server", Shown(news.defaultServer), "DefaultServer"},
                     {"Opens server", Shown(news.lastServer), "Last Server"},
                     {"Opens group", Shown(news.lastGroup), "Last Group"}},
                    {}};
    for (const NewsServer& server : news.servers) {
        servers.sections.push_back(NewsServerSection(server, news.defaultServer));
    }
    return {IdentitySection(news.identity), servers};
}

}  // namespace quorvel::standin
