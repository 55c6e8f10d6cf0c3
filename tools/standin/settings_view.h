#pragma once

#include <string>
#include <vector>

#include "client_settings.h"

namespace quorvel::standin {

// The client window's content as plain text, so that what a user sees can be checked without
// a screen.
struct Row {
    std::string label;
    std::string value;   // what the window shows; kNotSet for a missing or blank value
    std::string source;  // the registry value it came from, for the tooltip
};

struct Section {
    std::string title;
    std::vector<Row> rows;
    std::vector<Section> sections;  // nested groups, one per server key
};

inline constexpr const char* kNotSet = "(not set)";

std::vector<Section> MailView(const MailSettings& mail);
std::vector<Section> NewsView(const NewsSettings& news);

// "LAN", "manual" or "dial-up: ENTRY" from "Connection Type" and "RAS Phonebook Entry".
std::string ConnectionText(const std::string& type, const std::string& rasEntry);
// "yes" for 1, "no" for 0, other values as they are.
std::string YesNoText(const std::string& flag);

}  // namespace quorvel::standin
