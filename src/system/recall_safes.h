#pragma once
// Recall safes: the parts of the console a scene recall leaves as they are.
// A safe is a channel row (CH 1..16, the DELAY and Reverb returns, MAIN, AUX
// 1..6) crossed with a kind of parameter. A row whose every kind is safe
// keeps its whole record, its name and solo included; meter levels are
// always the live ones.

#include <array>
#include <cstdint>
#include <string>

#include "link/mixer_state.h"

namespace mixer {

enum SafeKind {
    kSafeFader = 0,  // fader, mute and solo (returns: both paths)
    kSafePan,        // pan, MAIN balance
    kSafeEq,         // parametric EQ with its filters, graphic EQ
    kSafeDynamics,   // gate and compressor, limiter
    kSafeSends,      // MAIN, AUX and effect sends
    kSafeEffects,    // delay and reverb parameters (the returns)
    kSafePhantom,    // phantom power with polarity, which travel together
    kSafeKindCount,
};

// Rows: strips 0..17, then MAIN, then AUX 1..6.
inline constexpr int kSafeMainRow = kStripCount;
inline constexpr int kSafeRowCount = kStripCount + 1 + (kBusCount - kFirstAux);

// Whether the kind means anything for the row (no sends on a bus, no phantom
// power on a return).
bool SafeApplies(int row, int kind);

class RecallSafes {
public:
    bool Safe(int row, int kind) const;
    // Ignored for a cell that does not apply.
    void Set(int row, int kind, bool safe);
    // Every cell of a row or of a column that applies is safe.
    bool RowSafe(int row) const;
    bool KindSafe(int kind) const;
    // "All" of a row or a column: every applying cell safe, or, when they
    // are already, none.
    void ToggleRow(int row);
    void ToggleKind(int kind);
    bool Any() const;
    bool operator==(const RecallSafes&) const = default;

    // One mask per row, comma-separated, as the profile keeps them; what a
    // text does not say is not safe.
    std::string Text() const;
    static RecallSafes FromText(const std::string& text);

private:
    std::array<uint8_t, kSafeRowCount> rows_{};
};

// The state a recall of `scene` leaves: the scene, with the safe parts and
// the meter levels taken from `live`.
MixerState RecalledState(const MixerState& live, const MixerState& scene, const RecallSafes& safes);

}  // namespace mixer
