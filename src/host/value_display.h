#pragma once
// What the console's value display shows for the parameter touched last: the
// channel's name, the parameter's name in the current language and its value
// formatted from the state.

#include <string>

#include "link/mixer_state.h"

namespace mixer {

struct ValueDisplayText {
    std::string channelName;  // the raw bytes of the 16-byte name field (GBK)
    bool hasRow = false;      // false: only the channel name changes
    std::string parameter;    // UTF-8, in the requested language
    std::string box1;
    std::string box2;
};

// channel 0..17 strips, 18..25 buses; kind as the pages number parameters;
// language 1 English, 2 Chinese. A channel outside 0..25 shows nothing.
ValueDisplayText FormatValueDisplay(const MixerState& state, int channel, int kind, int language);

}  // namespace mixer
