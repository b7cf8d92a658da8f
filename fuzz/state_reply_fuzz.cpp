// The full-state reply: an accepted reply leaves every value in its range and
// the version either as it was or digits only, at most 15 of them; a refused
// reply changes nothing.
#include "fuzz/fuzz_support.h"
#include "link/state_reply.h"

using namespace mixer;

namespace {

void Check(std::string_view message) {
    MixerState state = fuzz::DefaultState();
    const MixerState before = state;
    std::string version = "old";
    if (ParseStateReply(message, state, version)) {
        FUZZ_CHECK(fuzz::InRanges(state));
        if (version != "old") {
            FUZZ_CHECK(version.size() <= kMaxVersionLength);
            for (char c : version)
                FUZZ_CHECK(c >= '0' && c <= '9');
        }
    } else {
        FUZZ_CHECK(fuzz::SameState(state, before));
        FUZZ_CHECK(version == "old");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::AsSentAndResealed(data, size, Check);
    return 0;
}
