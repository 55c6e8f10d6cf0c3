#include "profiles/name_list.h"

namespace quorvel::profiles {

std::vector<std::string> ReadNameList(std::string_view list) {
    std::vector<std::string> names;
    std::size_t position = 0;
    for (std::size_t end = list.find(';'); end != std::string_view::npos;
         end = list.find(';', position)) {
        if (end > position) {
            names.emplace_back(list.substr(position, end - position));
        }
        position = end + 1;
    }
    return names;
}

std::string WriteNameList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += ';';
    }
    list += '|';
    return list;
}

}  // namespace quorvel::profiles
