// The whole way in: a stream of messages, each resealed with a valid
// checksum, cut into datagrams, split and dispatched into one state, which is
// in range once the stream has gone through. The range check runs once per
// input rather than after every message: it walks the whole state, and per
// message it took most of the time, while the state-reply and meter-report
// targets check their messages one by one.
#include <vector>

#include "fuzz/fuzz_support.h"
#include "link/incoming.h"
#include "link/state_reply.h"

using namespace mixer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    fuzz::ChunkSizes sizes(input.Byte());

    // Every "#" ends a message; each one gets a valid checksum.
    std::string stream;
    std::string_view rest = input.Rest();
    while (!rest.empty()) {
        const std::size_t end = rest.find('#');
        const std::string_view message = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
        stream += fuzz::Resealed(message);
        rest.remove_prefix(message.size());
    }

    MixerState state = fuzz::DefaultState();
    std::string version;
    std::string residue;
    std::string_view pending = stream;
    while (!pending.empty()) {
        const std::size_t take = std::min(sizes.Next(), pending.size());
        std::vector<std::string> messages;
        SplitFrames(residue, pending.substr(0, take), messages);
        pending.remove_prefix(take);
        for (const std::string& m : messages) {
            OnMessage(m, state, version);
            FUZZ_CHECK(version.size() <= kMaxVersionLength);
        }
    }
    FUZZ_CHECK(fuzz::InRanges(state));
    return 0;
}
