#pragma once
// The whole state pushed to the mixer, as a reset and a scene recall send it:
// 283 commands in a fixed order. Each step is built from the state when it is
// sent, so that the upload always carries the state as it stands.

#include <string>
#include <vector>

#include "link/mixer_state.h"

namespace mixer {

struct UploadStep {
    char letter = 0;
    int index = 0;         // protocol index; unused by M, N and Q
    int band = 0;          // G only
    bool passEnd = false;  // a pass of the upload ends here: restart the link's silence watch

    bool operator==(const UploadStep&) const = default;
};

inline constexpr int kUploadMessageCount = 283;

// The steps in sending order.
const std::vector<UploadStep>& UploadAllPlan();

// The message of one step from the state; meter stream off for Q.
std::string BuildUploadMessage(const MixerState& state, const UploadStep& step);

}  // namespace mixer
