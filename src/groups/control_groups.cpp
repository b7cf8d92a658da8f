#include "groups/control_groups.h"

namespace mixer {

void ApplyControlGroup(const ControlGroup& group, int g, bool enabled, StripGroupTies& ties) {
    if (g < 0 || g >= kGroupCount) return;
    StripLinks tied;
    if (enabled) {
        tied.linked = true;
        for (int j = 0; j < kStripCount; ++j) {
            if (group.members[j] == 1) tied.channels[tied.count++] = j;
        }
        for (int f = 0; f < kLinkFunctionCount; ++f) tied.functions[f] = group.functions[f] == 1 ? 1 : 0;
    }
    for (int i = 0; i < kStripCount; ++i) {
        if (group.members[i] != 1) continue;
        ties.links[i] = tied;
        ties.badges[i] = enabled ? g + 1 : 0;
    }
}

int BadgeBackground(int badge) {
    return badge >= 1 && badge <= kGroupCount ? kFirstGroupBackground + badge - 1 : kStripBackground;
}

int BadgeOfBackground(int image) {
    const int badge = image - kFirstGroupBackground + 1;
    return badge >= 1 && badge <= kGroupCount ? badge : 0;
}

}  // namespace mixer
