// The meter report writes the meter fields and nothing else, each within
// 0..255.
#include "fuzz/fuzz_support.h"
#include "link/meter_report.h"

using namespace mixer;

namespace {

void Check(std::string_view message) {
    MixerState state = fuzz::DefaultState();
    MixerState expected = state;
    const bool accepted = ParseMeterReport(message, state);
    if (accepted) {
        for (int i = 0; i < kStripCount; ++i) {
            expected.strips[i].meter = state.strips[i].meter;
            expected.strips[i].meter2 = state.strips[i].meter2;
        }
        for (int i = 0; i < kBusCount; ++i) {
            expected.buses[i].meter = state.buses[i].meter;
            expected.buses[i].meter2 = state.buses[i].meter2;
        }
        FUZZ_CHECK(fuzz::InRanges(state));
    }
    FUZZ_CHECK(fuzz::SameState(state, expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::AsSentAndResealed(data, size, Check);
    return 0;
}
