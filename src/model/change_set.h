#pragma once
// What one change to the mirror touched: for every strip and bus, which parts
// of its record. Views read it to refresh only what they show.

#include <array>
#include <cstdint>

#include "link/mixer_state.h"

namespace mixer {

// Parts of a strip or bus record; a record's unnamed fields count as Other.
enum Part : uint32_t {
    kPartLevel = 1u << 0,    // level, level2
    kPartMute = 1u << 1,     // mute, mute2
    kPartSolo = 1u << 2,
    kPartPan = 1u << 3,      // pan, MAIN balance
    kPartPeq = 1u << 4,      // bands and the PEQ switch
    kPartFilters = 1u << 5,  // high- and low-pass
    kPartGate = 1u << 6,
    kPartComp = 1u << 7,
    kPartSends = 1u << 8,    // MAIN, AUX and effect sends
    kPartInput = 1u << 9,    // phantom power and polarity
    kPartEffect = 1u << 10,  // delay and reverb parameters
    kPartName = 1u << 11,
    kPartMeter = 1u << 12,
    kPartGeq = 1u << 13,
    kPartLimiter = 1u << 14,
    kPartBusMode = 1u << 15,
    kPartOther = 1u << 16,
};
inline constexpr uint32_t kAllParts = ~0u;

struct ChangeSet {
    std::array<uint32_t, kStripCount> strips{};
    std::array<uint32_t, kBusCount> buses{};

    bool Empty() const;
    // Any of `parts` of strip 0..17, of bus 0..7, of display channel 0..25
    // (strips, then 18 + bus), or of any record.
    bool Strip(int strip, uint32_t parts = kAllParts) const;
    bool Bus(int bus, uint32_t parts = kAllParts) const;
    bool Channel(int channel, uint32_t parts = kAllParts) const;
    bool Any(uint32_t parts) const;
    bool operator==(const ChangeSet&) const = default;
};

// Every part whose fields differ between the two states.
ChangeSet DiffStates(const MixerState& before, const MixerState& after);

}  // namespace mixer
