#include "console/page_overview.h"

#include "console/layout.h"

namespace mixer {

int OverviewBar(int fader) { return kOverviewHeight - FaderPositionFromLevel(fader); }

std::vector<OverviewEntry> PageOverview(const MixerState& state, int page) {
    std::vector<OverviewEntry> entries;
    auto addStrips = [&](int first, int count) {
        for (int i = first; i < first + count; ++i) {
            entries.push_back({OverviewBar(state.strips[i].level), state.strips[i].mute != 0});
        }
    };
    switch (page) {
    case kPageCh1To8: addStrips(0, 8); break;
    case kPageCh9To16: addStrips(8, 8); break;
    case kPageEffect: addStrips(kDelayReturn, 2); break;
    case kPageAux:
        for (int i = kFirstAux; i < kBusCount; ++i) {
            entries.push_back({OverviewBar(state.buses[i].level), state.buses[i].mute != 0});
        }
        break;
    default: break;
    }
    return entries;
}

}  // namespace mixer
