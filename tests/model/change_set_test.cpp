// What a change report says for every part of a record: exactly the record
// and the part that changed, nothing else.

#include "model/change_set.h"

#include <gtest/gtest.h>

#include <functional>

using namespace mixer;

namespace {

struct Case {
    const char* what;
    std::function<void(MixerState&)> change;
    bool bus;
    int index;
    uint32_t parts;
};

TEST(ChangeSet, EachFieldIsReportedAsItsRecordAndPart) {
    const Case cases[] = {
        {"level", [](MixerState& s) { s.strips[3].level = 9; }, false, 3, kPartLevel},
        {"return out level", [](MixerState& s) { s.strips[16].level2 = 9; }, false, 16, kPartLevel},
        {"mute", [](MixerState& s) { s.strips[0].mute = 1; }, false, 0, kPartMute},
        {"return out mute", [](MixerState& s) { s.strips[17].mute2 = 1; }, false, 17, kPartMute},
        {"solo", [](MixerState& s) { s.strips[5].solo = 1; }, false, 5, kPartSolo},
        {"pan", [](MixerState& s) { s.strips[5].pan = 9; }, false, 5, kPartPan},
        {"peq band", [](MixerState& s) { s.strips[2].peqBands[3].q = 9; }, false, 2, kPartPeq},
        {"peq on", [](MixerState& s) { s.strips[2].peqOn = 1; }, false, 2, kPartPeq},
        {"high-pass", [](MixerState& s) { s.strips[2].hpfSlope = 4; }, false, 2, kPartFilters},
        {"low-pass", [](MixerState& s) { s.strips[2].lpfOn = 1; }, false, 2, kPartFilters},
        {"gate", [](MixerState& s) { s.strips[7].gate[kGateRelease] = 9; }, false, 7, kPartGate},
        {"comp", [](MixerState& s) { s.strips[7].compOn = 1; }, false, 7, kPartComp},
        {"aux send", [](MixerState& s) { s.strips[8].auxSend[5] = 9; }, false, 8, kPartSends},
        {"fx send", [](MixerState& s) { s.strips[8].fxSend[1] = 9; }, false, 8, kPartSends},
        {"phantom", [](MixerState& s) { s.strips[15].phantom = 1; }, false, 15, kPartInput},
        {"polarity", [](MixerState& s) { s.strips[15].polarity = 1; }, false, 15, kPartInput},
        {"delay", [](MixerState& s) { s.strips[16].delayParams[kFeedback] = 9; }, false, 16, kPartEffect},
        {"reverb", [](MixerState& s) { s.strips[17].reverbParams[kRevTime] = 9; }, false, 17, kPartEffect},
        {"name", [](MixerState& s) { s.strips[1].name[3] = 'x'; }, false, 1, kPartName},
        {"meter", [](MixerState& s) { s.strips[1].meter = 9; }, false, 1, kPartMeter},
        {"unnamed", [](MixerState& s) { s.strips[1].other2[1] = 9; }, false, 1, kPartOther},
        {"last unnamed", [](MixerState& s) { s.strips[1].index = 9; }, false, 1, kPartOther},
        {"geq", [](MixerState& s) { s.buses[4].geqBands[30].gain2 = 9; }, true, 4, kPartGeq},
        {"bus level", [](MixerState& s) { s.buses[0].level = 9; }, true, 0, kPartLevel},
        {"balance", [](MixerState& s) { s.buses[0].balance = 9; }, true, 0, kPartPan},
        {"bus mode", [](MixerState& s) { s.buses[7].busMode = 2; }, true, 7, kPartBusMode},
        {"limiter", [](MixerState& s) { s.buses[1].lim[kDynRatio] = 9; }, true, 1, kPartLimiter},
        {"bus meter", [](MixerState& s) { s.buses[1].meter2 = 9; }, true, 1, kPartMeter},
        {"bus name", [](MixerState& s) { s.buses[6].name[0] = 'x'; }, true, 6, kPartName},
    };
    const MixerState before{};
    for (const Case& c : cases) {
        MixerState after{};
        c.change(after);
        const ChangeSet changes = DiffStates(before, after);
        ChangeSet expected;
        (c.bus ? expected.buses[c.index] : expected.strips[c.index]) = c.parts;
        EXPECT_EQ(changes, expected) << c.what;
        EXPECT_TRUE(changes.Channel(c.bus ? kFirstOutputChannel + c.index : c.index, c.parts)) << c.what;
        EXPECT_FALSE(changes.Any(~c.parts)) << c.what;
    }
    EXPECT_TRUE(DiffStates(before, before).Empty());
}

}  // namespace
