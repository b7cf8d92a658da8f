#pragma once
// The group tables as profile entries: a row of member flags as a text of
// '0' and '1', one per channel.

#include <span>
#include <string>
#include <string_view>

namespace mixer {

std::string EncodeFlags(std::span<const int> flags);
// Each '1' sets its flag, anything else clears it; a short text leaves the
// remaining flags cleared, a long one is cut.
void DecodeFlags(std::string_view text, std::span<int> flags);

}  // namespace mixer
