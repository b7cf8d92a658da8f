// MAIN has two records that the mixer takes as one output: whichever record
// an edit names, both change alike and both go to the mixer.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "link/channel_edits.h"
#include "link/commands.h"
#include "link/typed_entry.h"
#include "pages/geq/geq_edits.h"
#include "pages/limiter/limiter_edits.h"

using namespace mixer;

namespace {

struct Edit {
    const char* what;
    std::function<Commands(MixerState&, int bus)> apply;
    char letter;  // of the two commands, one per record
};

TypedEntryResult Typed(MixerState& s, int bus, int kind, const char* text) {
    return ApplyTypedValue(s, kFirstOutputChannel + bus, kind, 0, text);
}

TEST(MainPair, EveryEditOfEitherRecordWritesBothAndSendsBoth) {
    const Edit edits[] = {
        {"fader", [](MixerState& s, int bus) { return WriteBusLevel(s, bus, 33); }, 'A'},
        {"mute", [](MixerState& s, int bus) { return WriteBusMute(s, bus, 1); }, 'A'},
        {"limiter knob", [](MixerState& s, int bus) { return WriteLimiterKnob(s, bus, CompKnob::kRatio, 77); }, 'D'},
        {"limiter switch", [](MixerState& s, int bus) { return ToggleLimiter(s, bus); }, 'D'},
        {"graphic EQ band", [](MixerState& s, int bus) { return WriteGeqBand(s, bus, 7, 222); }, 'H'},
        {"graphic EQ reset", [](MixerState& s, int bus) { return ResetGeq(s, bus); }, 'H'},
        {"typed limiter threshold", [](MixerState& s, int bus) { return Typed(s, bus, 41, "-20").commands; }, 'D'},
        {"typed graphic EQ band", [](MixerState& s, int bus) { return Typed(s, bus, 12, "4.5").commands; }, 'H'},
    };
    for (const Edit& e : edits) {
        for (int bus : {0, 1}) {
            MixerState s{};
            const Commands sent = e.apply(s, bus);
            EXPECT_EQ(std::memcmp(&s.buses[0], &s.buses[1], offsetof(BusRecord, meter)), 0) << e.what << bus;
            EXPECT_EQ(std::memcmp(&s.buses[0].busMode, &s.buses[1].busMode, offsetof(BusRecord, name) - offsetof(BusRecord, busMode)), 0)
                << e.what << bus;
            ASSERT_EQ(sent.size(), 2u) << e.what << bus;
            for (int k = 0; k < 2; ++k) {
                EXPECT_EQ(sent[k][1], e.letter) << e.what << bus;
                const int first = e.letter == 'A' ? kFirstBusIndexA : 1;
                EXPECT_EQ(std::stoi(sent[k].substr(6, 2), nullptr, 16), first + k) << e.what << bus;
            }
        }
    }
}

}  // namespace
