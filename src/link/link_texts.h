#pragma once
// The link's own words, in both languages (UTF-8).

#include <string>

namespace mixer {

enum class LinkText { Connect, Disconnect, Online, Offline, CannotConnect, SocketError, SocketErrorCaption };

// Language 2 gives the Chinese text where there is one; any other the English.
std::string LinkTextFor(LinkText text, int language);

}  // namespace mixer
