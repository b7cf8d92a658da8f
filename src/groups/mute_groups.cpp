#include "groups/mute_groups.h"

namespace mixer {

namespace {

void Append(Commands& to, const Commands& more) { to.insert(to.end(), more.begin(), more.end()); }

Commands SetGroupMute(MixerState& s, const MuteGroup& group, int mute) {
    Commands out;
    for (int i = 0; i < kStripCount; ++i) {
        if (group.inputs[i] == 1) Append(out, WriteStripMute(s, i, mute));
    }
    // MAIN's edit carries both of its records; the second record has no button of its own.
    for (int j = 0; j < kBusCount; ++j) {
        if (j != 1 && group.outputs[j] == 1) Append(out, WriteBusMute(s, j, mute));
    }
    return out;
}

}  // namespace

Commands EngageMuteGroup(MixerState& s, const MuteGroup& group) { return SetGroupMute(s, group, 1); }

Commands ReleaseMuteGroup(MixerState& s, const MuteGroup& group) { return SetGroupMute(s, group, 0); }

Commands PressMuteGroup(MixerState& s, const GroupTables& groups, int& active, int k) {
    if (k < 1 || k > kGroupCount) return {};
    if (active == k) {
        active = 0;
        return ReleaseMuteGroup(s, groups.mute[k - 1]);
    }
    active = k;
    return EngageMuteGroup(s, groups.mute[k - 1]);
}

Commands ClearAllMutes(MixerState& s) {
    Commands out;
    for (int i = 0; i < kStripCount; ++i) Append(out, WriteStripMute(s, i, 0));
    for (int j = 0; j < kBusCount; ++j) {
        if (j != 1) Append(out, WriteBusMute(s, j, 0));
    }
    return out;
}

Commands ClearAllSolos(MixerState& s) {
    Commands out;
    for (int i = 0; i < kStripCount; ++i) Append(out, WriteStripSolo(s, i, 0));
    for (int j = 0; j < kBusCount; ++j) Append(out, WriteBusSolo(s, j, 0));
    return out;
}

}  // namespace mixer
