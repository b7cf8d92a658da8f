#pragma once
// The four mute, view and control groups the user defines. They live only in
// this program (the mixer never sees them) and are kept in the profile.

#include <array>
#include <string>

#include "host/strip_links.h"
#include "link/mixer_state.h"

namespace mixer {

inline constexpr int kGroupCount = 4;
inline constexpr int kViewGroupMaxMembers = 8;  // the strip places of one page
inline constexpr int kGroupNameMaxChars = 15;

struct MuteGroup {
    std::array<int, kStripCount> inputs{};   // 1: input channel 0..17 belongs
    std::array<int, kBusCount> outputs{};    // 1: output 0..7 belongs (1, MAIN's second record, never)
    std::string name;                        // UTF-8
    bool operator==(const MuteGroup&) const = default;
};

struct ViewGroup {
    std::array<int, kStripCount> members{};
    int count = 0;                           // set member flags, at most 8
    std::string name;
    bool operator==(const ViewGroup&) const = default;
};

struct ControlGroup {
    std::array<int, kStripCount> members{};
    int count = 0;
    std::array<int, kLinkFunctionCount> functions{};  // VOL, SOLO, MATRIX, EQ, GATE, LIMIT, pan
    std::string name;
    bool operator==(const ControlGroup&) const = default;
};

struct GroupTables {
    std::array<MuteGroup, kGroupCount> mute{};
    std::array<ViewGroup, kGroupCount> view{};
    std::array<ControlGroup, kGroupCount> control{};
    bool operator==(const GroupTables&) const = default;
};

}  // namespace mixer
