#pragma once
// What the undo and redo buttons call a step: the channel's name and the
// parameter or action, in the window's language ("CH 3" "fader").

#include <string>

#include "link/mixer_state.h"
#include "model/undo_history.h"

namespace mixer {

struct StepText {
    std::string channelName;  // the raw bytes of the 16-byte name field (GBK); empty for the whole console
    std::string what;         // UTF-8
};

// language 1 English, 2 Chinese; the names are those the state holds now.
StepText DescribeStep(const MixerState& state, const StepLabel& label, int language);

}  // namespace mixer
