#pragma once
// What the link's outgoing queue would send, for fakes that stand in for it:
// each queued target's text as it is now, skipped when it equals what last
// went out for that target (an edit that changes nothing sends nothing).

#include <array>
#include <string>
#include <vector>

#include "model/target.h"

namespace mixer::testing {

class SentRecorder {
public:
    void Record(const MixerState& state, const Target& target, bool isPaced, std::vector<std::string>& sent) {
        std::string text = BuildTarget(state, target);
        std::string& last = last_[TargetSlot(target)];
        if (text.empty() || text == last) return;
        last = text;
        if (isPaced) paced_.push_back(text);
        sent.push_back(std::move(text));
    }

    // Whether a recorded text went on the paced lane.
    bool IsPaced(const std::string& text) const {
        for (const std::string& p : paced_) {
            if (p == text) return true;
        }
        return false;
    }

private:
    std::vector<std::string> paced_;
    std::array<std::string, kTargetSlotCount> last_{};
};

}  // namespace mixer::testing
