#include "system/discovery_replies.h"

#include <algorithm>

#include "link/wire_format.h"

namespace mixer {

namespace {
constexpr std::size_t kIgnoredLength = 2;
}

bool DiscoveryReplies::Accept(std::string_view datagram, const std::string& sender) {
    datagram = datagram.substr(0, std::min(datagram.size(), kMaxDatagram));
    datagram = datagram.substr(0, datagram.find('\0'));
    if (residue_.size() + datagram.size() <= kIgnoredLength) return false;

    std::vector<std::string> messages;
    SplitFrames(residue_, datagram, messages);
    const bool answered =
        std::any_of(messages.begin(), messages.end(), [](const std::string& m) { return m[1] == 'R'; });
    if (!answered || senders_.size() >= kMaxSenders) return false;
    if (std::find(senders_.begin(), senders_.end(), sender) != senders_.end()) return false;
    senders_.push_back(sender);
    return true;
}

void DiscoveryReplies::Clear() {
    residue_.clear();
    senders_.clear();
}

}  // namespace mixer
