// Judging a full-state reply while online: each history of one fader (edits
// kept, sent, lost, queued; changes at the mixer's panel; requests and
// replies) ends in the verdict the mixer and the editor need to agree again
// without overwriting an edit the reply predates.

#include "model/resync_ledger.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "link/channel_edits.h"
#include "link/commands.h"

using namespace mixer;

namespace {

enum class Outcome { Equal, Adopt, Resend, Waiting };

// Replays a history, one character a step:
//   e  the editor changes the fader        s  ... and it reaches the mixer
//   l  it is sent and lost                 q  it waits in the outgoing queue
//   p  the mixer's panel changes it        r  a full-state request leaves
//   R  the reply to the last request (the mixer as it was then) is judged
// and returns what the last reply decided for the fader.
Outcome Replay(std::string_view history) {
    const Target fader{'A', 1};
    MixerState mirror{};
    MixerState mixer{};
    MixerState answered{};
    ResyncLedger ledger;
    ledger.Start(mirror);
    bool queued = false;
    int next = 10;
    ResyncVerdict verdict;
    for (char step : history) {
        switch (step) {
        case 'e': WriteStripLevel(mirror, 0, ++next); break;
        case 's':
        case 'l':
            ledger.Departed(BuildTarget(mirror, fader), mirror);
            if (step == 's') WriteStripLevel(mixer, 0, mirror.strips[0].level);
            break;
        case 'q': queued = true; break;
        case 'p': WriteStripLevel(mixer, 0, ++next); break;
        case 'r':
            ledger.Departed(BuildZ(), mirror);
            answered = mixer;
            break;
        case 'R': verdict = ledger.Compare(mirror, answered, [&](const Target& t) { return queued && t == fader; }); break;
        }
    }
    const auto has = [&](const std::vector<Target>& list) { return std::find(list.begin(), list.end(), fader) != list.end(); };
    const bool held = std::any_of(verdict.held.begin(), verdict.held.end(), [&](const auto& h) { return h.first == fader; });
    const Outcome outcome = has(verdict.adopt) ? Outcome::Adopt
                            : has(verdict.resend) ? Outcome::Resend
                            : verdict.waiting > 0 ? Outcome::Waiting
                                                  : Outcome::Equal;
    // The queue's baseline learns the mixer's value unless an edit the reply
    // predates is still on its way.
    EXPECT_EQ(held, outcome != Outcome::Waiting) << history;
    EXPECT_EQ(verdict.adopt.size() + verdict.resend.size() + verdict.waiting, outcome == Outcome::Equal ? 0u : 1u);
    return outcome;
}

TEST(ResyncLedger, EachHistoryOfAFaderEndsInTheVerdictThatBringsEditorAndMixerTogether) {
    const struct {
        const char* history;
        Outcome outcome;
    } cases[] = {
        {"rR", Outcome::Equal},
        {"esrR", Outcome::Equal},
        {"prR", Outcome::Adopt},             // changed at the panel
        {"elrR", Outcome::Resend},           // the edit was lost before the request
        {"elsrR", Outcome::Equal},           // the next edit got through
        {"resR", Outcome::Waiting},          // the reply predates the edit...
        {"relR", Outcome::Waiting},          // ... even a lost one, until the next reply
        {"relRrR", Outcome::Resend},
        {"reR", Outcome::Waiting},           // a drag that has not sent yet
        {"reqR", Outcome::Waiting},          // an edit waiting in the queue
        {"resRR", Outcome::Waiting},         // a reply that came twice
        {"esrRprR", Outcome::Adopt},         // an edit judged before does not hide a later panel change
        {"elrRlrR", Outcome::Resend},        // the resend was lost too
        {"prRprR", Outcome::Adopt},
        {"eselrR", Outcome::Resend},
    };
    for (const auto& c : cases) EXPECT_EQ(Replay(c.history), c.outcome) << c.history;
}

}  // namespace
