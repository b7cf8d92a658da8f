#pragma once
// A target is one message the mixer can be sent to set a part of its state:
// a command letter with its index, and the band for a PEQ band. Its text is
// built from the state when it is sent, so a target, not a datagram, is what
// waits in the outgoing queue.

#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/mixer_state.h"

namespace mixer {

struct Target {
    char letter = 0;
    int index = 0;  // none for M and N
    int band = 0;   // G only: 1..4

    auto operator<=>(const Target&) const = default;
};

// Every target has a slot below this number, for arrays indexed by target.
inline constexpr int kTargetSlotCount = 16 * 32 * 5;
int TargetSlot(const Target& target);

// The target a command text addresses, or none for a text that does not set
// state (meter switch, full-state request) or is not a valid command.
std::optional<Target> TargetOf(std::string_view text);

// The command text of a target, built from the state.
std::string BuildTarget(const MixerState& state, const Target& target);

// The targets that carry the fields of input strip 0..17 or bus 0..7.
const std::vector<Target>& StripTargets(int strip);
const std::vector<Target>& BusTargets(int bus);
// Every target, strips first, then buses.
const std::vector<Target>& AllTargets();

// The targets whose texts differ between the two states, each once: what
// must be sent to bring a mixer holding one to the other.
std::vector<Target> DifferingTargets(const MixerState& a, const MixerState& b);
// Their texts, built from `b`.
std::vector<std::string> DifferingCommands(const MixerState& a, const MixerState& b);

}  // namespace mixer
