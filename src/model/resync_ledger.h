#pragma once
// What the editor needs to judge a full-state reply that arrives while it is
// online. The protocol acknowledges no edit and pushes nothing the mixer's
// own panel changes, so the editor asks for the whole state now and then and
// decides, target by target, who holds the truth:
//   - equal: nothing to do;
//   - the editor changed or sent it after the request left: the reply
//     predates the edit, which stays;
//   - the editor changed or sent it since the last comparison, before the
//     request: the edit was lost on the way and goes out again;
//   - the editor did not touch it: it was changed at the mixer, whose value
//     the mirror takes.
// The ledger counts datagrams as they leave and keeps the mirror as it stood
// when the request left and at the last comparison; it changes nothing
// itself.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "link/mixer_state.h"
#include "model/target.h"

namespace mixer {

struct ResyncVerdict {
    std::vector<Target> adopt;   // take the reply's value
    std::vector<Target> resend;  // send the mirror's value again
    int waiting = 0;             // differ, but an edit after the request stands
    // What the mixer holds, as far as the reply tells, for every target no
    // edit after the request touched: the outgoing queue's baseline.
    std::vector<std::pair<Target, std::string>> held;
};

// What the last judged reply found, for the window to show.
struct SyncReport {
    bool checked = false;  // a reply has been judged since the connection
    int taken = 0;         // values taken from the mixer
    int resent = 0;        // edits sent again
    int waiting = 0;       // edits the reply predates
};

class ResyncLedger {
public:
    // The mixer and the mirror agree (the connection's own reply was just
    // applied): what was sent before counts as compared.
    void Start(const MixerState& mirror);
    // A datagram has left; `mirror` is the state it was built from.
    void Departed(std::string_view text, const MixerState& mirror);
    // A full-state request has left since the last comparison.
    bool RequestOut() const { return requestOut_; }

    // Judges `reply` (the mirror with the reply read over it) against the
    // mirror. `queued` tells whether a target waits in the outgoing queue,
    // which counts as an edit after the request.
    ResyncVerdict Compare(const MixerState& mirror, const MixerState& reply,
                          const std::function<bool(const Target&)>& queued);

private:
    uint64_t departures_ = 0;
    uint64_t requestAt_ = 0;   // departure number of the last request
    uint64_t comparedAt_ = 0;  // ... of the request the last comparison answered
    bool requestOut_ = false;
    std::array<uint64_t, kTargetSlotCount> sentAt_{};
    MixerState atRequest_{};
    MixerState atCompared_{};
};

}  // namespace mixer
