#include "console/page_overview.h"

#include "console/layout.h"
#include "link/meter_report.h"

namespace mixer {

int OverviewBar(int fader) { return kOverviewHeight - FaderPositionFromLevel(fader); }

std::vector<OverviewEntry> PageOverview(const MixerState& state, int page, OverviewSource source) {
    std::vector<OverviewEntry> entries;
    const auto add = [&](const auto& record) {
        const int bar = source == OverviewSource::Meters ? static_cast<int>(MeterBarHeight(record.meter))
                                                         : OverviewBar(record.level);
        entries.push_back({bar, record.mute != 0});
    };
    switch (page) {
    case kPageCh1To8:
        for (int i = 0; i < 8; ++i) add(state.strips[i]);
        break;
    case kPageCh9To16:
        for (int i = 8; i < 16; ++i) add(state.strips[i]);
        break;
    case kPageEffect:
        add(state.strips[kDelayReturn]);
        add(state.strips[kReverbReturn]);
        break;
    case kPageAux:
        for (int i = kFirstAux; i < kBusCount; ++i) add(state.buses[i]);
        break;
    default: break;
    }
    return entries;
}

}  // namespace mixer
