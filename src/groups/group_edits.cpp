#include "groups/group_edits.h"

#include <algorithm>

namespace mixer {

namespace {

template <std::size_t N>
bool Flip(std::array<int, N>& flags, int index, int* count) {
    if (index < 0 || index >= static_cast<int>(N)) return false;
    flags[index] = flags[index] == 1 ? 0 : 1;
    if (count) *count += flags[index] == 1 ? 1 : -1;
    return true;
}

template <std::size_t N>
int NormaliseFlags(std::array<int, N>& flags, int limit = static_cast<int>(N)) {
    int count = 0;
    for (int& flag : flags) {
        flag = flag == 1 && count < limit ? 1 : 0;
        count += flag;
    }
    return count;
}

// Cut at a UTF-8 character boundary: a name never ends in half a character.
void CutName(std::string& name) {
    int chars = 0;
    for (std::size_t k = 0; k < name.size(); ++k) {
        const auto byte = static_cast<unsigned char>(name[k]);
        if ((byte & 0xC0) == 0x80) continue;
        if (++chars > kGroupNameMaxChars) {
            name.resize(k);
            return;
        }
    }
}

}  // namespace

int NextSelection(int selected, int g) {
    if (g < 0 || g >= kGroupCount || g == selected) return -1;
    return g;
}

bool ToggleMuteInput(MuteGroup& group, int channel) { return Flip(group.inputs, channel, nullptr); }

bool ToggleMuteOutput(MuteGroup& group, int output) {
    return output != 1 && Flip(group.outputs, output, nullptr);
}

bool ToggleViewMember(ViewGroup& group, int channel) {
    if (channel < 0 || channel >= kStripCount) return false;
    if (group.members[channel] != 1 && group.count >= kViewGroupMaxMembers) return false;
    return Flip(group.members, channel, &group.count);
}

bool ToggleControlMember(ControlGroup& group, int channel) { return Flip(group.members, channel, &group.count); }

bool ToggleControlFunction(ControlGroup& group, int function) { return Flip(group.functions, function, nullptr); }

std::vector<int> ViewGroupChannels(const ViewGroup& group) {
    std::vector<int> channels;
    for (int i = 0; i < kStripCount && static_cast<int>(channels.size()) < kViewGroupMaxMembers; ++i) {
        if (group.members[i] == 1) channels.push_back(i);
    }
    return channels;
}

void NormaliseGroups(GroupTables& groups) {
    for (MuteGroup& g : groups.mute) {
        NormaliseFlags(g.inputs);
        NormaliseFlags(g.outputs);
        g.outputs[1] = 0;
        CutName(g.name);
    }
    for (ViewGroup& g : groups.view) {
        g.count = NormaliseFlags(g.members, kViewGroupMaxMembers);
        CutName(g.name);
    }
    for (ControlGroup& g : groups.control) {
        g.count = NormaliseFlags(g.members);
        NormaliseFlags(g.functions);
        CutName(g.name);
    }
}

}  // namespace mixer
