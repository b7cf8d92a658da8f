#include "sim/meter_model.h"

#include <gtest/gtest.h>

#include "link/reset_defaults.h"

using namespace mixer;

namespace {

MixerState Reset() {
    MixerState s{};
    ResetDefaults(s);
    s.buses[0].level = s.buses[1].level = 60;  // MAIN open
    return s;
}

// Average meter values over a run of reports.
struct Averages {
    double strips[kStripCount] = {};
    double buses[kBusCount] = {};
};

Averages AverageOver(MixerState& s, int reports, uint32_t seed = 5) {
    MeterModel model(seed);
    Averages a;
    for (int n = 0; n < reports; ++n) {
        model.Step(s);
        for (int i = 0; i < kStripCount; ++i) a.strips[i] += s.strips[i].meter / double(reports);
        for (int b = 0; b < kBusCount; ++b) a.buses[b] += s.buses[b].meter / double(reports);
    }
    return a;
}

}  // namespace

TEST(MeterModel, MetersMoveAndStayInRange) {
    MixerState s = Reset();
    MeterModel model(3);
    int changes = 0;
    int previous = -1;
    for (int n = 0; n < 200; ++n) {
        model.Step(s);
        for (const StripRecord& r : s.strips) {
            ASSERT_GE(r.meter, 0);
            ASSERT_LE(r.meter, 255);
        }
        for (const BusRecord& b : s.buses) ASSERT_LE(b.meter, 255);
        changes += s.strips[0].meter != previous;
        previous = s.strips[0].meter;
        EXPECT_GT(s.strips[0].meter + s.strips[5].meter + s.strips[11].meter, 0);
    }
    EXPECT_GT(changes, 50);
}

TEST(MeterModel, MutesSilenceTheirMeters) {
    MixerState s = Reset();
    s.strips[2].mute = 1;
    s.buses[4].mute = 1;
    MeterModel model;
    for (int n = 0; n < 50; ++n) {
        model.Step(s);
        ASSERT_EQ(s.strips[2].meter, 0);
        ASSERT_EQ(s.buses[4].meter, 0);
        ASSERT_GT(s.buses[3].meter, 0);
    }
}

TEST(MeterModel, MetersFollowTheFaders) {
    MixerState loud = Reset();
    MixerState quiet = Reset();
    quiet.strips[7].level = 40;   // -20 dB
    quiet.buses[0].level = 50;    // MAIN -10 dB
    const Averages a = AverageOver(loud, 200);
    const Averages b = AverageOver(quiet, 200);
    EXPECT_LT(b.strips[7], a.strips[7] * 0.2);
    EXPECT_NEAR(b.strips[6], a.strips[6], 0.5);  // same seed, same signal, same fader
    EXPECT_LT(b.buses[0], a.buses[0] * 0.5);
}

TEST(MeterModel, PanDecidesTheMainSide) {
    MixerState s = Reset();
    for (StripRecord& r : s.strips) r.pan = 0;  // hard left
    const Averages a = AverageOver(s, 50);
    EXPECT_GT(a.buses[0], 0);
    EXPECT_EQ(a.buses[1], 0);
}
