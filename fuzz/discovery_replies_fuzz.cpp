// The search's listener fed datagrams from a handful of senders: it lists a
// sender at most once, the one that sent the datagram, and keeps a bounded
// leftover.
#include <algorithm>
#include <string>

#include "fuzz/fuzz_support.h"
#include "system/discovery_replies.h"

using namespace mixer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    fuzz::ChunkSizes sizes(input.Byte());
    DiscoveryReplies replies;
    while (!input.Empty()) {
        const std::string sender = "127.0.0." + std::to_string(input.Byte() % 8);
        const std::string_view datagram = input.Take(sizes.Next());
        const std::size_t before = replies.Senders().size();
        const bool listed = replies.Accept(datagram, sender);
        const std::vector<std::string>& senders = replies.Senders();
        FUZZ_CHECK(senders.size() == before + (listed ? 1 : 0));
        if (listed) {
            FUZZ_CHECK(senders.back() == sender);
            FUZZ_CHECK(std::count(senders.begin(), senders.end(), sender) == 1);
        }
        FUZZ_CHECK(replies.Residue().size() <= kMaxMessageLength);
    }
    return 0;
}
