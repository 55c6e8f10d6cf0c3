#pragma once

#include <stdexcept>

namespace quorvel::registry {

// The store cannot be used at all: it is damaged, not ours, written by a newer version, or out
// of reach. The message names the file and is meant for the user as it stands.
class StoreError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace quorvel::registry
