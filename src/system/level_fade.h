#pragma once
// A timed scene recall: the levels (faders, sends, the returns' levels) glide
// from where they stand to the scene's along the fader's dB scale, which the
// level units already are (dB = value - 60). Each level keeps the value the
// fade last wrote; one that holds anything else has been touched by someone
// else (a window, a web page, the mixer's own panel) and stops there.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/mixer_state.h"

namespace mixer {

class LevelFade {
public:
    using Ms = std::chrono::milliseconds;
    static constexpr Ms kLongest{30000};

    // Fades every level that differs between `live` and `recalled` over
    // `duration` (0 to kLongest) from `now`, and puts those levels of
    // `recalled` back where they stand in `live`, so that the recall
    // switches everything else at once. A fade under way gives way to it.
    void Start(const MixerState& live, MixerState& recalled, Ms duration, Ms now);
    // Writes the values due at `now`; a level whose time is up gets exactly
    // the scene's value and leaves the fade.
    void Step(MixerState& s, Ms now);
    // Lets go of every level that `s` holds at another value than the fade wrote.
    void StopTouched(const MixerState& s);
    void Stop() { lanes_.clear(); }
    bool Running() const { return !lanes_.empty(); }
    int Fading() const { return static_cast<int>(lanes_.size()); }

private:
    struct Lane {
        std::size_t word;  // of the 32-bit words of MixerState
        int32_t from;
        int32_t to;
        int32_t written;
    };

    std::vector<Lane> lanes_;
    Ms start_{0};
    Ms duration_{0};
};

}  // namespace mixer
