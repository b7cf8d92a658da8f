#include "host/strip_links.h"

#include <algorithm>

namespace mixer {

LinkFunction LinkFunctionOf(StripParam param) {
    switch (param) {
    case StripParam::Solo: return kLinkSolo;
    case StripParam::Pan: return kLinkPan;
    case StripParam::Mute:
    case StripParam::Fader: break;
    }
    return kLinkVol;
}

std::vector<int> LinkedTargets(const StripLinks& links, int own, StripParam param) {
    return LinkedTargets(links, own, LinkFunctionOf(param));
}

std::vector<int> LinkedTargets(const StripLinks& links, int own, LinkFunction function) {
    std::vector<int> targets;
    if (function < 0 || function >= kLinkFunctionCount) return targets;
    if (!links.linked || links.functions[function] == 0) return targets;
    const int count = std::clamp(links.count, 0, kStripCount);
    for (int k = 0; k < count; ++k) {
        const int channel = links.channels[k];
        if (channel < 0 || channel >= kStripCount || channel == own) continue;
        if (std::find(targets.begin(), targets.end(), channel) != targets.end()) continue;
        targets.push_back(channel);
    }
    return targets;
}

}  // namespace mixer
