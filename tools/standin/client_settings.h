#pragma once

#include <string>
#include <vector>

#include "registry/registry.h"

namespace quorvel::standin {

// What the client reads from its keys when it starts. Every value is kept as the text of what
// the registry layer read ("" when missing); numbers as their decimal digits. Passwords are
// never kept, only whether one is stored.

struct Identity {
    std::string senderName;
    std::string senderEMail;
    std::string replyTo;
    std::string organization;
};

struct Pop3Server {
    std::string name;  // the key's name under Mail\POP3, which is also the host the client polls
    std::string account;
    std::string ipAddress;
    std::string port;
    std::string rememberPassword;
    bool passwordStored = false;
};

struct MailSettings {
    Identity identity;
    std::string storeRoot;
    std::string addressBook;
    std::string defaultPop3Server;
    std::string defaultSmtpServer;
    std::string pollMultiplePopServers;
    std::vector<Pop3Server> pop3Servers;  // as the key enumerates them
    std::string connectionType;
    std::string rasPhonebookEntry;
    std::string lastFolder;
    std::string currentProfile;  // the switcher's marker of the profile it applied
};

struct NewsServer {
    std::string name;  // the key's name under News
    std::string connectionType;
    std::string rasPhonebookEntry;
};

struct NewsSettings {
    Identity identity;
    std::string defaultServer;
    std::string lastServer;
    std::string lastGroup;
    std::vector<NewsServer> servers;
    std::string currentProfile;
};

MailSettings ReadMailSettings(registry::Registry& reg);
NewsSettings ReadNewsSettings(registry::Registry& reg);

// Whether the hex text of a stored "Password" holds a password: a blanked one is stored as the
// single byte "=", which decodes to nothing.
bool HoldsPassword(const std::string& storedHex);

}  // namespace quorvel::standin
