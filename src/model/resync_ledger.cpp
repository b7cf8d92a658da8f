#include "model/resync_ledger.h"

#include "link/commands.h"

namespace mixer {

void ResyncLedger::Start(const MixerState& mirror) {
    requestAt_ = comparedAt_ = departures_;
    requestOut_ = false;
    atRequest_ = atCompared_ = mirror;
}

void ResyncLedger::Departed(std::string_view text, const MixerState& mirror) {
    static const std::string request = BuildZ();
    ++departures_;
    if (text == request) {
        requestAt_ = departures_;
        requestOut_ = true;
        atRequest_ = mirror;
    } else if (const auto target = TargetOf(text)) {
        sentAt_[TargetSlot(*target)] = departures_;
    }
}

ResyncVerdict ResyncLedger::Compare(const MixerState& mirror, const MixerState& reply,
                                    const std::function<bool(const Target&)>& queued) {
    ResyncVerdict verdict;
    for (const Target& t : AllTargets()) {
        const uint64_t sent = sentAt_[TargetSlot(t)];
        std::string replied = BuildTarget(reply, t);
        const std::string mine = BuildTarget(mirror, t);
        const std::string requested = BuildTarget(atRequest_, t);
        const bool editedAfter = queued(t) || sent > requestAt_ || mine != requested;
        if (replied == mine) {
            if (!editedAfter) verdict.held.emplace_back(t, std::move(replied));
            continue;
        }
        if (editedAfter) {
            ++verdict.waiting;
            continue;
        }
        const bool editedBefore = sent > comparedAt_ || requested != BuildTarget(atCompared_, t);
        (editedBefore ? verdict.resend : verdict.adopt).push_back(t);
        verdict.held.emplace_back(t, std::move(replied));
    }
    comparedAt_ = requestAt_;
    atCompared_ = atRequest_;
    requestOut_ = false;
    return verdict;
}

}  // namespace mixer
