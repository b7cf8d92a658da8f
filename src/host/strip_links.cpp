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

Commands WriteLinkedStrip(MixerState& s, const StripLinks& links, int own, StripParam param, int value) {
    std::vector<int> channels = LinkedTargets(links, own, param);
    channels.insert(channels.begin(), own);
    Commands commands;
    for (int channel : channels) {
        Commands written;
        switch (param) {
        case StripParam::Fader: written = WriteStripLevel(s, channel, value); break;
        case StripParam::Pan: written = WriteStripPan(s, channel, value); break;
        case StripParam::Mute: written = WriteStripMute(s, channel, value); break;
        case StripParam::Solo: written = WriteStripSolo(s, channel, value); break;
        }
        commands.insert(commands.end(), written.begin(), written.end());
    }
    return commands;
}

}  // namespace mixer
