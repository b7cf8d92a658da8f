// Typed value entry with any text for any channel, kind and box: the state
// stays in range and every command to send is a valid message.
#include <cmath>

#include "fuzz/fuzz_support.h"
#include "link/typed_entry.h"

using namespace mixer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const int channel = static_cast<int8_t>(input.Byte());
    const int kind = static_cast<int8_t>(input.Byte());
    const int box = static_cast<int8_t>(input.Byte());
    const std::string_view text = input.Rest();

    FUZZ_CHECK(std::isfinite(ReadLeadingReal(text)));
    ReadLeadingInteger(text);

    MixerState state = fuzz::DefaultState();
    const MixerState before = state;
    const TypedEntryResult result = ApplyTypedValue(state, channel, kind, box, text);
    FUZZ_CHECK(fuzz::InRanges(state));
    if (!result.stored)
        FUZZ_CHECK(fuzz::SameState(state, before));
    for (const std::string& command : result.commands)
        FUZZ_CHECK(CheckFrame(command));
    return 0;
}
