// Every preset decoder on any text for any record: a refused text changes
// nothing; a stored one leaves values in range and changes only the fields
// the module's text carries (encoding the result and decoding that into the
// untouched state must give the same result).
#include "fuzz/fuzz_support.h"
#include "presets/preset_codec.h"

using namespace mixer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const auto module = static_cast<PresetModule>(input.Byte() % 7);
    const int index = input.Byte() % 32 - 4;  // some indexes name no record
    const std::string_view text = input.Rest();

    MixerState state = fuzz::DefaultState();
    const MixerState before = state;
    const PresetDecodeResult result = DecodePreset(module, text, state, index);
    if (result != PresetDecodeResult::kStored && result != PresetDecodeResult::kStoredLimited) {
        FUZZ_CHECK(fuzz::SameState(state, before));
        return 0;
    }
    FUZZ_CHECK(fuzz::InRanges(state));
    const std::string encoded = EncodePreset(module, state, index);
    FUZZ_CHECK(encoded.size() == static_cast<std::size_t>(PresetTextLength(module)));
    MixerState again = before;
    FUZZ_CHECK(DecodePreset(module, encoded, again, index) == PresetDecodeResult::kStored);
    FUZZ_CHECK(fuzz::SameState(again, state));
    return 0;
}
