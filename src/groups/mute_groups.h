#pragma once
// Engaging and releasing mute groups, and the panel's CLEAR MUTE and CLEAR
// SOLO: each writes the state and returns the commands in sending order.

#include "model/group_tables.h"
#include "link/channel_edits.h"

namespace mixer {

// Mutes every member of the group. Channels outside it keep their mute, so
// the members of a group engaged earlier stay muted.
Commands EngageMuteGroup(MixerState& s, const MuteGroup& group);
// Unmutes every member the group has now.
Commands ReleaseMuteGroup(MixerState& s, const MuteGroup& group);

// Mute group button k (1..4) with `active` engaged (0 none): pressing the
// engaged group's button releases it, any other engages k. `active` follows;
// a k outside 1..4 changes nothing.
Commands PressMuteGroup(MixerState& s, const GroupTables& groups, int& active, int k);

// Every input and output unmuted; every solo cleared (MAIN has no solo command).
Commands ClearAllMutes(MixerState& s);
Commands ClearAllSolos(MixerState& s);

}  // namespace mixer
