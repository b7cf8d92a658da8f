#include "groups/phantom_edits.h"

#include "link/commands.h"

namespace mixer {

Commands TogglePhantom(MixerState& s, int channel) {
    if (channel < 0 || channel >= kInputCount) return {};
    StripRecord& r = s.strips[channel];
    r.phantom = r.phantom == 1 ? 0 : 1;
    return {BuildO(s, channel + 1)};
}

}  // namespace mixer
