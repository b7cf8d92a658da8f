// Resynchronisation against the simulated mixer: a lossy network, edits made
// at the mixer's own panel, an edit made while a reply is on its way, and the
// quiet of an idle link.

#include "app/end_to_end_fixture.h"
#include "console/sync_mark_view.h"
#include "link/command_apply.h"
#include "link/state_reply.h"
#include "model/target.h"
#include "../link/random_state.h"

using namespace mixer;
using mixer::testing::EndToEnd;
using mixer::testing::WaitUntil;

namespace {

constexpr int kPeriodMs = 250;

class Resync : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        built.link->SetResyncPeriod(std::chrono::milliseconds(kPeriodMs));
        QObject::connect(&Mixer(), &SimulatedMixer::received, [this](const QString& text) {
            if (!text.startsWith(QStringLiteral("%Q"))) heard.push_back(text.toStdString());
        });
    }

    // The targets whose fields differ, of those the mixer's full state
    // reports (a bus mode, for one, it never tells).
    std::vector<Target> Differing() {
        MixerState told = context.state;
        std::string version;
        ReadStateReply(BuildStateReply(Mixer().State(), "12"), told, version);
        return DifferingTargets(context.state, told);
    }

    // An edit of a random target to a random value, through the model as a
    // control makes it.
    void RandomEdit(std::mt19937& rng) {
        const std::vector<Target>& all = AllTargets();
        const std::string text = BuildTarget(mixer::testing::RandomState(rng), all[rng() % all.size()]);
        context.model.Edit([&](MixerState& s) {
            ApplyCommand(text, s);
            return Commands{text};
        });
    }

    // Strips and the open PEQ page show the mirror.
    void ExpectViewsShowTheState() {
        for (int c : {0, 5, 11, kDelayReturn}) {
            EXPECT_EQ(Input(c).Fader()->GetPos(), FaderPositionFromLevel(context.state.strips[c].level)) << c;
            EXPECT_EQ(Input(c).MuteButton()->GetDown(), context.state.strips[c].mute != 0) << c;
        }
        const PeqBand& band = context.state.strips[Peq().Channel()].peqBands[0];
        EXPECT_EQ(Peq().KnobText(1, CPeqDlg::Knob::kGain), QString::asprintf("%0.1fdB", (band.gain2 - 150) * 0.1));
    }

    std::vector<std::string> heard;  // what reached the mixer, meter switches aside
};

TEST_F(Resync, AfterFiveHundredEditsOverALossyNetworkTheEditorAndTheMixerAgreeWithinTenPeriods) {
    const struct {
        const char* network;
        NetworkFaults incoming, outgoing;
    } cases[] = {
        {"5 % lost, 2 % doubled, 2 % reordered both ways", {0.05, 0.02, 0.02}, {0.05, 0.02, 0.02}},
        {"20 % of what the mixer receives lost", {0.20, 0, 0}, {}},
    };
    window->OpenInputDetail(3, kModulePeq);
    std::mt19937 rng(23);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.network);
        Mixer().SetNetworkFaults(c.incoming, c.outgoing);
        for (int i = 0; i < 500; ++i) RandomEdit(rng);
        // Some 240 targets, 10 ms apart at best: a busy machine takes longer.
        ASSERT_TRUE(WaitUntil([&] { return built.mixerLink->QueuedCount() == 0; }, 20000));
        QSignalSpy judged(built.link.get(), &ConsoleLink::syncChanged);
        const int asked = Mixer().StateRequests();
        EXPECT_TRUE(WaitUntil([&] { return Differing().empty(); }, 10 * kPeriodMs))
            << Differing().size() << " differ after " << Mixer().StateRequests() - asked << " requests and "
            << judged.count() << " replies judged";
        ExpectViewsShowTheState();
    }
}

TEST_F(Resync, AnEditAtTheMixersPanelReachesTheStripAndTheOpenPageAtTheNextCheck) {
    window->OpenInputDetail(4, kModulePeq);
    MixerState panel = Mixer().State();
    panel.strips[4].level = 61;
    panel.strips[4].mute = 1;
    panel.strips[4].peqBands[0].gain2 = 250;
    std::string error;
    for (const Target& t : {Target{'A', 5}, Target{'G', 5, 1}}) {
        ASSERT_EQ(Mixer().ApplyPanel(BuildTarget(panel, t), error), PanelOutcome::kApplied) << error;
    }
    EXPECT_TRUE(WaitUntil([&] { return Input(4).Fader()->GetPos() == FaderPositionFromLevel(61); }, 2 * kPeriodMs));
    EXPECT_TRUE(Input(4).MuteButton()->GetDown());
    EXPECT_EQ(Peq().KnobText(1, CPeqDlg::Knob::kGain), QStringLiteral("10.0dB"));
    // Nothing went back: the mixer's value was taken, not overwritten.
    EXPECT_EQ(Mixer().State().strips[4].level, 61);
    for (const std::string& message : heard) EXPECT_EQ(message, BuildZ());

    // The mark beside the status tells, in the window's language.
    SyncMarkView* mark = window->Navigation().syncMark;
    EXPECT_EQ(mark->Mark(), SyncMark::Mended);
    context.language = 1;
    EXPECT_NE(SyncText(built.link->Sync(), 1).find("taken from the mixer"), std::string::npos);
    ASSERT_TRUE(WaitUntil([&] { return mark->Mark() == SyncMark::InStep; }, 2 * kPeriodMs));
}

TEST_F(Resync, AnEditMadeWhileAReplyIsOnItsWayIsNotOverwritten) {
    QSignalSpy judged(built.link.get(), &ConsoleLink::syncChanged);
    // A request leaves; before the mixer's reply is read, the user moves a
    // fader, which leaves after the request.
    ASSERT_TRUE(WaitUntil([&] { return !heard.empty(); }, 2 * kPeriodMs));
    const int before = judged.count();
    ASSERT_TRUE(WaitUntil([&] { return judged.count() > before; }));
    heard.clear();
    ASSERT_TRUE(WaitUntil([&] { return !heard.empty(); }, 2 * kPeriodMs));
    ASSERT_EQ(heard.back(), BuildZ());
    const int asked = judged.count();
    Input(7).OnFaderMoved(FaderPositionFromLevel(44));
    ASSERT_TRUE(WaitUntil([&] { return judged.count() > asked; }));
    EXPECT_EQ(context.state.strips[7].level, 44);
    EXPECT_TRUE(WaitUntil([&] { return Mixer().State().strips[7].level == 44; }));
    QTest::qWait(3 * kPeriodMs);
    EXPECT_EQ(context.state.strips[7].level, 44);
    EXPECT_TRUE(Differing().empty());
}

TEST_F(Resync, AnIdleEditorAsksOncePerPeriodAndSendsNothingElse) {
    ASSERT_TRUE(WaitUntil([&] { return !heard.empty(); }, 2 * kPeriodMs));
    heard.clear();
    QTest::qWait(10 * kPeriodMs);
    EXPECT_GE(heard.size(), 8u);
    EXPECT_LE(heard.size(), 11u);
    for (const std::string& message : heard) EXPECT_EQ(message, BuildZ());
    EXPECT_EQ(window->Navigation().syncMark->Mark(), SyncMark::InStep);
}

}  // namespace
