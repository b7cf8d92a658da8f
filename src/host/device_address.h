#pragma once
// The mixer's address: the compiled-in default and the rule for the value
// stored in the profile.

#include <optional>
#include <string>
#include <string_view>

namespace mixer {

inline constexpr const char* kDefaultDeviceAddress = "192.168.1.106";

// Four decimal numbers 0..255 separated by dots, nothing else.
bool IsDottedIPv4(std::string_view text);

// The address to use after reading the profile: `stored` is the profile's
// value, or nothing when the key is absent. An absent key keeps `current`;
// an empty value, or one that is not a dotted IPv4 address, gives the default.
// Blanks around the value are ignored.
std::string DeviceAddressFromProfile(const std::optional<std::string>& stored, const std::string& current);

}  // namespace mixer
