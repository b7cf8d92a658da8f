#pragma once
// The control-group ties of an input strip: which channels move with it and
// which of its parameters they share. The control-group page fills them; an
// edit on the strip repeats itself on the linked channels.

#include <array>
#include <vector>

#include "link/channel_edits.h"
#include "link/mixer_state.h"

namespace mixer {

// The parameters a strip edits, numbered as the value display numbers them.
enum class StripParam { Mute = 1, Solo = 2, Fader = 3, Pan = 4 };

// Positions in StripLinks::functions, in the control group's order.
enum LinkFunction { kLinkVol = 0, kLinkSolo, kLinkMatrix, kLinkEq, kLinkGate, kLinkLimit, kLinkPan, kLinkFunctionCount };

struct StripLinks {
    bool linked = false;                       // the strip is in an enabled control group
    std::array<int, kStripCount> channels{};   // every member of the group, the strip included
    int count = 0;                             // valid entries of channels
    std::array<int, kLinkFunctionCount> functions{};  // non-zero: that function is tied
    bool operator==(const StripLinks&) const = default;
};

// The function that ties a parameter: VOL for the fader and mute, SOLO for
// solo, pan for pan.
LinkFunction LinkFunctionOf(StripParam param);

// The channels an edit of `param` on channel `own` is repeated on, in the
// group's order: every member but `own`, each once. None while the strip is
// not linked or the function is off; members outside 0..17 and a count
// outside 0..18 are not trusted.
std::vector<int> LinkedTargets(const StripLinks& links, int own, StripParam param);
// The same for a function directly, as the processing pages tie their
// modules (kLinkEq for the parametric EQ).
std::vector<int> LinkedTargets(const StripLinks& links, int own, LinkFunction function);

// Writes `value` for `param` on channel `own` and, in the same change, on
// every channel its links tie for it; the linked channels do not propagate
// again. The strips and the web remote edit through this one function.
Commands WriteLinkedStrip(MixerState& s, const StripLinks& links, int own, StripParam param, int value);

}  // namespace mixer
