#pragma once

#include <string_view>

namespace mixer {

// True for exactly four decimal numbers 0..255 joined by dots, without
// signs, spaces or leading zeros ("010" could be read as octal elsewhere).
bool IsDottedIpv4(std::string_view text);

}  // namespace mixer
