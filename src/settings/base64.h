#pragma once

#include <string>
#include <string_view>

#include "settings/event_pump.h"

namespace quorvel::settings {

// The password encodings. Passwords are stored as the bytes of their base64 text; reading such
// a value through the registry layer gives hex text ("59 57 4A 6A 3D 3D"), which the decoder
// takes directly. Text is bytes: every character is one byte, 0 to 255.
class Base64 {
  public:
    explicit Base64(EventPump& events) : events_(events) {}

    // Standard base64 (RFC 4648) without line breaks; "" gives "".
    std::string Base64Encode(std::string_view text);
    // Decodes the hex text of stored bytes: reads the two hex digits at every third position,
    // skips every character outside the alphabet ("=", NUL, blanks), and decodes the rest.
    std::string Base64DecodeHex(std::string_view hex);
    // Puts the decoder back to its starting state.
    void Base64Reset();

  private:
    EventPump& events_;
    // The decoder's working state, carried between characters.
    unsigned carried_ = 0;  // bits not yet emitted
    int carriedBits_ = 0;   // how many of them
    int groupLength_ = 0;   // alphabet characters in the current group of four
};

}  // namespace quorvel::settings
