// Scenes in a show against the simulated mixer: recall safes leave their
// parts as they are in the editor and in the mixer; a timed recall sends only
// what it changes, its levels reach the mixer step by step on the injected
// clock, a touched fader stops, and one undo takes the whole recall back.

#include <cstring>
#include <random>
#include <set>

#include "app/end_to_end_fixture.h"
#include "link/meter_report.h"
#include "link/monotonic_clock.h"
#include "model/target.h"
#include "system/recall_safes.h"
#include "system/scene_fader.h"
#include "../link/random_state.h"

using namespace mixer;
using mixer::testing::WaitUntil;

namespace {

class SceneShow : public mixer::testing::ScenePageFixture {
protected:
    void SetUp() override {
        ScenePageFixture::SetUp();
        system->Upload()->SetInterval(std::chrono::milliseconds(0));
        system->ShowTab(kTabShow);
    }

    // Stores `state` as the next scene; the editor's state stays as it is.
    void SaveAs(const MixerState& state) {
        const MixerState live = context.state;
        context.model.Mirror() = state;
        system->SaveButton()->click();
        context.model.Mirror() = live;
    }

    // Recalls scene `id` at once and waits until the mixer has received the full upload.
    void RecallAndDrain(int id) {
        QSignalSpy done(system->Upload(), &UploadAll::finished);
        system->RecallScene(id, std::chrono::milliseconds(0));
        ASSERT_TRUE(done.wait(20000));
        Drain();
    }

    // The state less what no recall or undo touches: names and meters.
    static MixerState Kept(MixerState s) {
        for (StripRecord& r : s.strips) r.meter = r.meter2 = 0, std::fill(std::begin(r.name), std::end(r.name), 0);
        for (BusRecord& r : s.buses) r.meter = r.meter2 = 0, std::fill(std::begin(r.name), std::end(r.name), 0);
        return s;
    }
};

TEST_F(SceneShow, SafeChannelAndSafeEqSurviveEveryRecallInTheEditorAndTheMixer) {
    std::mt19937 rng(28);
    std::vector<MixerState> scenes;
    for (int k = 0; k < 3; ++k) {
        MixerState scene = mixer::testing::RandomState(rng);
        scene.buses[1] = scene.buses[0];
        for (int s = 0; s < kStripCount; ++s) SetName(scene.strips[s].name, ("S" + std::to_string(k)).c_str());
        scenes.push_back(scene);
        SaveAs(scene);
    }
    RecallSafes safes;
    safes.ToggleRow(0);
    safes.ToggleKind(kSafeEq);
    system->SetSafes(safes);

    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const MixerState before = context.state;
        RecallAndDrain(k + 1);

        MixerState wanted = scenes[k];
        wanted.strips[0] = before.strips[0];
        for (int s = 0; s < kStripCount; ++s) {
            StripRecord& r = wanted.strips[s];
            const StripRecord& was = before.strips[s];
            std::copy(std::begin(was.peqBands), std::end(was.peqBands), std::begin(r.peqBands));
            r.peqOn = was.peqOn;
            r.hpfFreq = was.hpfFreq, r.hpfType = was.hpfType, r.hpfSlope = was.hpfSlope, r.hpfOn = was.hpfOn;
            r.lpfFreq = was.lpfFreq, r.lpfType = was.lpfType, r.lpfSlope = was.lpfSlope, r.lpfOn = was.lpfOn;
        }
        for (int b = 0; b < kBusCount; ++b) {
            std::copy(std::begin(before.buses[b].geqBands), std::end(before.buses[b].geqBands),
                      std::begin(wanted.buses[b].geqBands));
            wanted.buses[b].geqOn = before.buses[b].geqOn;
        }
        CopyMeterLevels(context.state, wanted);
        for (int s = 0; s < kStripCount; ++s) {
            EXPECT_EQ(std::memcmp(&context.state.strips[s], &wanted.strips[s], sizeof(StripRecord)), 0) << "strip " << s;
        }
        for (int b = 0; b < kBusCount; ++b) {
            EXPECT_EQ(std::memcmp(&context.state.buses[b], &wanted.buses[b], sizeof(BusRecord)), 0) << "bus " << b;
        }
        const std::vector<std::string> expected = Carried(wanted);
        // Sent is not yet received: the last datagrams may still be on their way.
        WaitUntil([&] { return Carried(Mixer().State()) == expected; });
        const std::vector<std::string> held = Carried(Mixer().State());
        for (std::size_t m = 0; m < expected.size(); ++m) EXPECT_EQ(held[m], expected[m]) << m;
    }
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(SceneShow, AFiveSecondFadeReachesTheMixerStepByStepATouchedFaderStopsAndOneUndoTakesItBack) {
    ManualClock clock;
    system->Fader().SetClock(clock);
    MixerState quiet = context.state;
    for (int c = 0; c < 4; ++c) quiet.strips[c].level = 0;
    quiet.buses[0].level = quiet.buses[1].level = 0;
    MixerState loud = quiet;
    for (int c = 0; c < 4; ++c) loud.strips[c].level = 60;
    loud.buses[0].level = loud.buses[1].level = 60;
    loud.strips[4].pan = quiet.strips[4].pan == 20 ? 180 : 20;
    SaveAs(quiet);
    SaveAs(loud);
    RecallAndDrain(1);
    const MixerState before = context.state;
    const std::size_t steps = context.model.History().UndoCount();

    std::vector<int> mainLevels;  // as the mixer receives them
    std::set<std::string> sent;  // letter, unit and index of every parameter message
    QObject::connect(&Mixer(), &SimulatedMixer::received, [&](const QString& text) {
        if (text.startsWith(QStringLiteral("%A,01,11,"))) mainLevels.push_back(text.split(',')[4].toInt(nullptr, 16));
        if (TargetOf(text.toStdString())) sent.insert(text.section(QLatin1Char(','), 0, 2).toStdString());
    });
    std::chrono::milliseconds ended{-1};
    QObject::connect(&system->Fader(), &SceneFader::finished, [&] { ended = clock.Now(); });
    system->RecallScene(2, std::chrono::milliseconds(5000));
    Drain();
    EXPECT_EQ(context.state.strips[4].pan, loud.strips[4].pan);  // at once
    EXPECT_EQ(system->Fader().Fading(), 6);

    while (system->Fader().Running() && clock.Now() < std::chrono::milliseconds(10000)) {
        clock.Advance(SceneFader::kTick);
        system->Fader().Tick();
        if (clock.Now() == std::chrono::milliseconds(2000)) {
            context.model.Edit([](MixerState& s) {
                s.strips[1].level = 45;
                return Commands{BuildA(s, 2)};
            });
        }
        Drain();
    }
    EXPECT_NEAR(ended.count(), 5000, 300);
    EXPECT_TRUE(WaitUntil([&] { return !mainLevels.empty() && mainLevels.back() == 60; }));
    EXPECT_GE(std::set<int>(mainLevels.begin(), mainLevels.end()).size(), 15u);
    ASSERT_FALSE(mainLevels.empty());
    EXPECT_EQ(mainLevels.back(), 60);
    for (int c : {0, 2, 3}) EXPECT_EQ(Mixer().State().strips[c].level, 60) << c;
    EXPECT_EQ(Mixer().State().strips[1].level, 45);
    EXPECT_EQ(context.state.strips[1].level, 45);
    // Nothing else: a full upload beside the fade would take half the wire
    // from its levels, and hold the window.
    const std::set<std::string> changed{"%A,01,01", "%A,01,02", "%A,01,03", "%A,01,04",
                                        "%A,01,11", "%A,01,12", "%L,01,05"};
    EXPECT_EQ(sent, changed);

    // The touch is a step of its own; the recall with its whole fade is one.
    ASSERT_TRUE(context.model.Undo());
    ASSERT_TRUE(context.model.Undo());
    EXPECT_EQ(context.model.History().UndoCount(), steps);
    const MixerState kept = Kept(context.state);
    const MixerState wanted = Kept(before);
    EXPECT_EQ(std::memcmp(&kept, &wanted, sizeof kept), 0);
    EXPECT_TRUE(WaitUntil([&] { return Carried(Mixer().State()) == Carried(before); }));
    EXPECT_TRUE(notifier.messages.empty());
}

}  // namespace
