#pragma once

#include <string>
#include <vector>

#include "registry/registry.h"

namespace quorvel::app {

// The names of "Profile List" in display order, as the profile-list holder loads them.
std::vector<std::string> GetProfileList(registry::Registry& reg);

// The in-memory holder of the profile names that the tray and the settings window's menus
// mirror: loaded once, at start-up, and kept up to date by the windows that change the list.
class ProfileListHolder {
  public:
    virtual ~ProfileListHolder() = default;
    virtual std::vector<std::string> ProfileNamesInList() const = 0;
};

}  // namespace quorvel::app
