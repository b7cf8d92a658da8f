#pragma once
// The firmware version in the mixer's answer to a version request: part 28
// of its state reply (the letter is part 0), of which the last two
// characters count, so that "0102" is version "02".

#include <string>
#include <string_view>

namespace mixer {

// Reads the version from the text a version request brought in. false when
// the text holds no checked "Z" reply with a part 28, or that part holds
// anything but decimal digits; an empty part leaves version as it was.
bool ReadReplyVersion(std::string_view text, std::string& version);

}  // namespace mixer
