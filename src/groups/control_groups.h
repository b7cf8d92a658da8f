#pragma once
// Switching a control group on or off: what the member strips' links and
// group badges become. The strips then repeat their edits on the channels
// their links name.

#include <array>

#include "host/strip_links.h"
#include "model/group_tables.h"

namespace mixer {

inline constexpr int kStripBackground = 189;     // a strip in no enabled control group
inline constexpr int kFirstGroupBackground = 172; // control group 1; 2..4 follow

// The links and badge (0 none, 1..4) of every input strip.
struct StripGroupTies {
    std::array<StripLinks, kStripCount> links{};
    std::array<int, kStripCount> badges{};
};

// Group g (0..3) after its enable flipped to `enabled`: on, every member
// strip is tied to all members with the group's functions and wears badge
// g + 1; off, every member strip loses its links and badge whichever group
// gave them. Strips outside the group keep theirs.
void ApplyControlGroup(const ControlGroup& group, int g, bool enabled, StripGroupTies& ties);

// The background image of a badge.
int BadgeBackground(int badge);
// The badge of a background image (0 for any image that is not a group's).
int BadgeOfBackground(int image);

}  // namespace mixer
