#include "app/profile_list.h"

#include "profiles/name_list.h"
#include "settings/client_keys.h"

namespace quorvel::app {

std::vector<std::string> GetProfileList(registry::Registry& reg) {
    reg.GetValue(settings::kAppKey, "Profile List");
    return profiles::ReadNameList(reg.RegValue.text());
}

}  // namespace quorvel::app
