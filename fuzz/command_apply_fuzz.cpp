// The simulated mixer's command application: each input is applied as it
// came and once more resealed, so that mutations get past the checksum.
// Stored values stay in range; a refused command changes nothing.
#include "fuzz/fuzz_support.h"
#include "link/command_apply.h"

using namespace mixer;

namespace {

void Check(std::string_view message, MixerState& state) {
    const MixerState before = state;
    if (ApplyCommand(message, state))
        FUZZ_CHECK(fuzz::InRanges(state));
    else
        FUZZ_CHECK(fuzz::SameState(state, before));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    MixerState state = fuzz::DefaultState();
    fuzz::AsSentAndResealed(data, size, [&state](std::string_view message) { Check(message, state); });
    return 0;
}
