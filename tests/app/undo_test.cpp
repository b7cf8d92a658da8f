// Undo and redo against the simulated mixer: gestures of every kind made
// through the window's controls, all undone and all redone, leave the editor
// and the mixer as they were; an undo of a scene recall sends only what differs.

#include <algorithm>
#include <random>

#include "app/end_to_end_fixture.h"
#include "console/output_strip_dlg.h"
#include "groups/group_panel_dlg.h"
#include "model/target.h"
#include "system/upload_plan.h"

using namespace mixer;
using mixer::testing::EndToEnd;
using mixer::testing::WaitUntil;

namespace {

class UndoEndToEnd : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        context.notifier = &notifier;
        system = qobject_cast<CSystemDlg*>(window->Pages().system);
        panel = dynamic_cast<CGroupPanelDlg*>(window->Pages().sidePanel);
        system->Upload()->SetInterval(std::chrono::milliseconds(0));
        system->ShowTab(kTabShow);
        system->SaveButton()->click();
    }

    // What the wire carries of a state, as the full upload's messages.
    static std::vector<std::string> Carried(const MixerState& state) {
        std::vector<std::string> messages;
        for (const UploadStep& step : UploadAllPlan()) messages.push_back(BuildUploadMessage(state, step));
        return messages;
    }
    // The state less what no undo touches: names and meters.
    static std::vector<int32_t> Kept(MixerState s) {
        for (StripRecord& r : s.strips) r.meter = r.meter2 = 0, std::fill(std::begin(r.name), std::end(r.name), 0);
        for (BusRecord& r : s.buses) r.meter = r.meter2 = 0, std::fill(std::begin(r.name), std::end(r.name), 0);
        std::vector<int32_t> words(sizeof s / sizeof(int32_t));
        std::memcpy(words.data(), &s, sizeof s);
        return words;
    }
    // A full upload drains in about 3 s here; an undo's few messages in far less.
    bool MixerCarries(const std::vector<std::string>& wanted, int timeoutMs = 20000) {
        return WaitUntil([&] { return built.mixerLink->QueuedCount() == 0 && Carried(Mixer().State()) == wanted; },
                         timeoutMs);
    }

    static void Click(QWidget* control) {
        QTest::mouseClick(control, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    static void Drag(CBitmapSlider* slider, QPoint by) {
        const QPoint from = slider->ThumbRect().center();
        QTest::mousePress(slider, Qt::LeftButton, {}, from);
        for (int i = 1; i <= 6; ++i) QTest::mouseMove(slider, from + by * i / 6);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, from + by);
    }
    int Random(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
    int Offset(int reach) { return Random(1, reach) * (Random(0, 1) ? 1 : -1); }
    COutputStripDlg& Main() { return *static_cast<COutputStripDlg*>(window->Pages().outputs[0]); }
    void Home() { Click(window->Navigation().home); }
    // Presses a button of the console's strips or side panel.
    void Open(QWidget* button) {
        Home();
        Click(button);
    }
    // An upload is handed to the link at once without the protocol's pause:
    // it has ended once the link has sent it.
    void Upload(const std::function<void()>& start) {
        QSignalSpy done(system->Upload(), &UploadAll::finished);
        start();
        ASSERT_TRUE(done.wait(20000));
        ASSERT_TRUE(WaitUntil([&] { return built.mixerLink->QueuedCount() == 0; }, 20000));
    }
    void RecallScene() {
        system->SceneButton(0)->click();
        for (QAction* action : system->SceneMenu()->actions()) {
            if (CMenuEx::CommandOf(action) == kFirstPresetMenu.recall) action->trigger();
        }
        system->SceneMenu()->hide();
    }
    void DefineMuteGroups() {
        context.groups.mute[0].inputs[1] = context.groups.mute[0].inputs[4] = context.groups.mute[0].outputs[3] = 1;
        context.groups.mute[1].inputs[4] = context.groups.mute[1].inputs[6] = 1;
    }

    // Every kind of gesture, on channel c (0..7) where it takes one.
    std::vector<std::function<void(int)>> Gestures() {
        return {
            [&](int c) { Home(), Drag(Input(c).Fader(), QPoint(0, Offset(120))); },
            [&](int c) { Home(), Drag(Input(c).PanSlider(), QPoint(Offset(30), 0)); },
            [&](int c) { Open(Random(0, 3) ? Input(c).MuteButton() : Main().MuteButton()); },
            [&](int c) { Open(Input(c).SoloButton()); },
            [&](int c) {
                Open(Input(c).Thumbnail());
                Drag(Peq().BandKnob(Random(1, 4), CPeqDlg::Knob(Random(0, 2))), {Offset(40), 0});
            },
            [&](int c) {
                Open(Input(c).Thumbnail());
                DragPoint(Peq().Graph(), Random(0, 5), QPoint(Offset(80), Offset(60)));
            },
            [&](int) {
                Open(Main().Thumbnail()), Click(Geq().DrawButton());
                CEqGraph* geq = Geq().Graph();
                const int y = geq->PointPixel(0).y() + Offset(100);
                QTest::mousePress(geq, Qt::LeftButton, {}, QPoint(geq->PointPixel(Random(0, 10)).x(), y));
                for (int b = 0; b < kGeqBandCount; b += 2) {
                    QTest::mouseMove(geq, QPoint(geq->PointPixel(b).x(), y + Offset(20)));
                }
                QTest::mouseRelease(geq, Qt::LeftButton, {}, geq->PointPixel(kGeqBandCount - 1));
                Click(Geq().DrawButton());
            },
            [&](int c) {
                // A click where the fader stands shows its value; the value typed replaces it.
                Home(), QTest::mouseClick(Input(c).Fader(), Qt::LeftButton, {}, Input(c).Fader()->ThumbRect().center());
                Type(window->Navigation().valueBox1, QString::number(Random(-60, 10)));
            },
            [&](int c) { Open(Input(c).Thumbnail()), Click(Peq().ShelfButton(Random(0, 1) ? 1 : 4)); },
            [&](int c) { Open(Input(c).Thumbnail()), Click(Peq().FilterButton(PeqFilter(Random(0, 1)))); },
            [&](int c) {
                Open(panel->PhantomButton());
                Click(static_cast<CPhantomDlg*>(window->Pages().phantom)->Button(c * 2));
            },
            [&](int c) { Open(Input(c).Thumbnail()), Click(Peq().ResetButton()); },
            [&](int c) {
                Open(Input(c).DynamicsButton());
                Click(Random(0, 1) ? Dynamics().GateResetButton() : Dynamics().CompResetButton());
            },
            [&](int) { Open(Main().LimiterButton()), Click(Limiter().ResetButton()); },
            [&](int) { Open(Main().Thumbnail()), Click(Geq().ResetButton()); },
            [&](int c) { Open(Input(c).Thumbnail()), Click(Peq().BypassButton()); },
            [&](int c) {
                Open(Input(c).Thumbnail()), Recall(Peq().PresetSelector(), 1, kFirstPresetMenu.recall);
                Peq().PresetSelector()->Menu()->hide();
            },
            [&](int) {
                Open(panel->SystemButton()), Click(system->TabButton(kTabShow));
                Upload([&] { RecallScene(); });
            },
            [&](int) { Open(panel->ClearMuteButton()); },
            [&](int) { Open(panel->ClearSoloButton()); },
            [&](int) { Open(window->Navigation().muteGroupButtons[Random(0, 1)]); },
            [&](int) {
                Open(panel->SystemButton()), Click(system->TabButton(kTabHelp));
                Upload([&] { Click(system->ResetButton()); });
                // RESET cleared the groups; the user defines them again.
                DefineMuteGroups();
            },
        };
    }

    std::mt19937 rng;
    CSystemDlg* system = nullptr;
    CGroupPanelDlg* panel = nullptr;
};

TEST_F(UndoEndToEnd, GesturesOfEveryKindAllUndoneAndAllRedoneLeaveTheEditorAndTheMixerAsBeforeAndAfter) {
    // A preset to recall, groups to engage, channels tied by control groups.
    window->OpenInputDetail(6, kModulePeq);
    context.model.Edit([](MixerState& s) { return WritePeqBandGain(s, 6, 2, 230); });
    emit Peq().PresetSelector()->activated(0);
    DefineMuteGroups();
    Tie(1, 5, kLinkVol);
    Tie(2, 3, kLinkEq);
    const auto gestures = Gestures();
    for (unsigned seed : {1u, 2u}) {
        SCOPED_TRACE(seed);
        rng.seed(seed);
        std::vector<std::size_t> order(gestures.size() + 8);
        for (std::size_t k = 0; k < order.size(); ++k) order[k] = k < gestures.size() ? k : Random(0, gestures.size() - 1);
        std::shuffle(order.begin(), order.end(), rng);

        ASSERT_TRUE(MixerCarries(Carried(context.state)));
        const std::vector<int32_t> editorBefore = Kept(context.state);
        const std::vector<std::string> mixerBefore = Carried(Mixer().State());
        const std::size_t stepsBefore = context.model.History().UndoCount();
        for (std::size_t g : order) {
            // One step for a gesture that changed something, whatever was repeated on linked channels.
            const std::vector<int32_t> was = Kept(context.state);
            const std::size_t steps = context.model.History().UndoCount();
            gestures[g](Random(0, 7));
            QCoreApplication::processEvents();
            EXPECT_EQ(context.model.History().UndoCount() - steps, Kept(context.state) == was ? 0u : 1u) << g;
        }
        ASSERT_TRUE(MixerCarries(Carried(context.state)));
        const std::vector<int32_t> editorAfter = Kept(context.state);
        const std::vector<std::string> mixerAfter = Carried(Mixer().State());
        const std::size_t steps = context.model.History().UndoCount() - stepsBefore;

        for (std::size_t k = 0; k < steps; ++k) Click(window->Navigation().undo);
        EXPECT_TRUE(Kept(context.state) == editorBefore);
        EXPECT_TRUE(MixerCarries(mixerBefore));
        for (std::size_t k = 0; k < steps; ++k) Click(window->Navigation().redo);
        EXPECT_FALSE(window->Navigation().redo->isEnabled());
        EXPECT_TRUE(Kept(context.state) == editorAfter);
        EXPECT_TRUE(MixerCarries(mixerAfter));
    }
}

TEST_F(UndoEndToEnd, UndoOfASceneRecallSendsOnlyTheMessagesOfTheFieldsItChanged) {
    // Twenty fields away from the scene saved at set-up: ten faders and ten
    // pans; MAIN's send point as a recall leaves it, so that it changes nothing else.
    context.model.Edit([](MixerState& s) {
        Commands sent = WriteBusMode(s, 0, kBusModeMin);
        for (int c = 0; c < 10; ++c) {
            for (const Commands& more : {WriteStripLevel(s, c, 20 + c), WriteStripPan(s, c, 30 + c)})
                sent.insert(sent.end(), more.begin(), more.end());
        }
        return sent;
    });
    ASSERT_TRUE(MixerCarries(Carried(context.state)));
    const MixerState edited = context.state;
    Upload([&] { RecallScene(); });
    const std::vector<Target> differing = DifferingTargets(context.state, edited);
    ASSERT_EQ(differing.size(), 20u);

    std::vector<Target> heard;
    QObject::connect(&Mixer(), &SimulatedMixer::received, [&](const QString& text) {
        if (const auto target = TargetOf(text.toStdString())) heard.push_back(*target);
    });
    Click(window->Navigation().undo);
    EXPECT_TRUE(MixerCarries(Carried(edited), mixer::testing::kWaitMs));
    EXPECT_LE(heard.size(), differing.size());
    for (const Target& t : heard) EXPECT_NE(std::find(differing.begin(), differing.end(), t), differing.end());
}

}  // namespace
