#pragma once
// What the group pages' buttons do to the tables: membership with its
// count, the control groups' linked functions, and the radio selectors.

#include <vector>

#include "model/group_tables.h"

namespace mixer {

// Selector g (0..3) pressed with `selected` chosen (-1 none): the pressed
// selector deselects, another selects g. Anything outside 0..3 deselects.
int NextSelection(int selected, int g);

// Member flips. Out-of-range channels change nothing; false when nothing changed.
bool ToggleMuteInput(MuteGroup& group, int channel);
// The second MAIN record belongs with MAIN and cannot be chosen on its own.
bool ToggleMuteOutput(MuteGroup& group, int output);
// A full view group takes no new member but still lets one go.
bool ToggleViewMember(ViewGroup& group, int channel);
bool ToggleControlMember(ControlGroup& group, int channel);
bool ToggleControlFunction(ControlGroup& group, int function);

// The channels a view group shows, in channel order, at most eight.
std::vector<int> ViewGroupChannels(const ViewGroup& group);

// Flags read back as 0 or 1, counts recounted, a view group cut to its first
// eight members and names to 15 characters: what a table read from a file
// must be before anything uses it.
void NormaliseGroups(GroupTables& groups);

}  // namespace mixer
