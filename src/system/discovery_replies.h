#pragma once
// What the search makes of the datagrams that reach its socket: the stream
// of each datagram joined to the leftover of the ones before, cut into
// checked messages, and every sender of an "R" message listed once.

#include <string>
#include <string_view>
#include <vector>

namespace mixer {

class DiscoveryReplies {
public:
    // A network that answers from more addresses than this is not listed further.
    static constexpr std::size_t kMaxSenders = 1024;

    // Takes one datagram from sender (dotted address). True when it listed a
    // sender not listed before, while fewer than kMaxSenders are listed. A
    // datagram that leaves the text at most two characters long is ignored
    // and keeps the leftover as it was.
    bool Accept(std::string_view datagram, const std::string& sender);

    // The senders found, in the order they first answered.
    const std::vector<std::string>& Senders() const { return senders_; }
    // The unfinished text kept for the next datagram.
    const std::string& Residue() const { return residue_; }
    // A new search: no senders, no leftover.
    void Clear();

private:
    std::string residue_;
    std::vector<std::string> senders_;
};

}  // namespace mixer
