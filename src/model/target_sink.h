#pragma once
// Where the model hands the targets of an edit: the link's outgoing queue,
// which takes them only while the mixer is connected.

#include "model/target.h"

namespace mixer {

class TargetSink {
public:
    virtual ~TargetSink() = default;
    // `state` is the mirror the target's text is built from when it leaves.
    virtual void QueueTarget(const MixerState& state, const Target& target, bool paced) = 0;
};

}  // namespace mixer
