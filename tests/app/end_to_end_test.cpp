// The whole editor against the simulated mixer over loopback: the console
// window with its real strips, the real link and the demo mixer. An edit made
// through a widget arrives in the mixer; the mixer's meters arrive on the strips.

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "app/editor_link.h"
#include "console/app_context.h"
#include "console/input_strip_dlg.h"
#include "console/mixer_dlg.h"
#include "console/navigation_bar.h"
#include "groups/phantom_dlg.h"
#include "link/commands.h"
#include "link/notifier.h"
#include "loopback.h"
#include "sim/simulated_mixer.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"

using namespace mixer;
using mixer::testing::WaitUntil;

namespace {

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        context.dataDir = dir.path();
        context.profileFile = dir.filePath("mixer-editor.ini");
        options.port = mixer::testing::FreeLoopbackPort();
        options.demo = true;
        built = BuildEditorLink(context, options, notifier);
        ASSERT_TRUE(built.demoMixer);

        window = std::make_unique<CMixerDlg>(context, *built.link);
        // As the application does: the command line outranks the profile.
        context.deviceAddress = QString::fromStdString(*options.deviceAddress);
        window->resize(1640, 1040);
        window->show();
        built.link->Connect();
        ASSERT_TRUE(WaitUntil([&] { return built.link->IsConnected(); }));
    }

    void TearDown() override {
        if (!window) return;
        window->close();
        WaitUntil([&] { return window->HasEnded(); });
    }

    SimulatedMixer& Mixer() { return *built.demoMixer; }
    CInputStripDlg& Input(int channel) { return *static_cast<CInputStripDlg*>(window->Pages().inputs[channel]); }

    // Forgets `field` of the editor's state and asks the mixer for its full
    // state again: true once the reply has brought the value back.
    bool FullStateRestores(int& field) {
        const int value = field;
        field = value == 0 ? 1 : 0;
        built.link->Send(BuildZ());
        return WaitUntil([&] { return field == value; });
    }

    void Type(CTextField* box, const QString& text) {
        box->clear();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    QTemporaryDir dir;
    AppContext context;
    EditorOptions options;
    RecordingNotifier notifier;
    EditorLink built;
    std::unique_ptr<CMixerDlg> window;
};

TEST_F(EndToEnd, FaderMovedOnTheStripReachesTheMixer) {
    CBitmapSlider* fader = Input(2).Fader();
    ASSERT_TRUE(fader->isVisible());
    fader->setFocus();
    QTest::keyClick(fader, Qt::Key_Home);  // to the top: +10 dB
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[2].level == kLevelMax; }));
    EXPECT_EQ(context.state.strips[2].level, kLevelMax);
    NavigationBar& nav = window->Navigation();
    EXPECT_EQ(nav.channelName->DisplayText(), "通道 3");
    EXPECT_EQ(nav.parameterName->DisplayText(), "音量");
    EXPECT_EQ(nav.valueBox1->text(), "10dB");

    // A drag from the thumb down to the bottom of the travel: -60 dB.
    const QPoint thumb = fader->ThumbRect().center();
    QTest::mousePress(fader, Qt::LeftButton, {}, thumb);
    for (int y = thumb.y(); y <= fader->height(); y += 20) QTest::mouseMove(fader, QPoint(thumb.x(), y));
    QTest::mouseMove(fader, QPoint(thumb.x(), fader->height() + 50));
    QTest::mouseRelease(fader, Qt::LeftButton, {}, QPoint(thumb.x(), fader->height() + 50));
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[2].level == 0; }));
    EXPECT_EQ(nav.valueBox1->text(), "-60dB");
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(EndToEnd, TypedValuesReachTheMixerAndTheStrips) {
    NavigationBar& nav = window->Navigation();
    window->ShowValue(0, 3);
    Type(nav.valueBox1, "5");
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[0].level == 65; }));
    EXPECT_EQ(Input(0).Fader()->GetPos(), FaderPositionFromLevel(65));
    EXPECT_EQ(nav.valueBox1->text(), "5dB");

    // The band frequency in the second box, with the first box's gain beside it.
    window->ShowValue(4, 24);
    Type(nav.valueBox2, "2500");
    Type(nav.valueBox1, "-4");
    ASSERT_TRUE(WaitUntil([&] {
        const PeqBand& band = Mixer().State().strips[4].peqBands[2];
        return band.freq == 2500 && band.gain2 == 110;
    }));
    EXPECT_EQ(nav.valueBox1->text(), "-4.0dB");
    EXPECT_EQ(nav.valueBox2->text(), "2500HZ");
}

TEST_F(EndToEnd, MetersFollowTheMixersStream) {
    // The simulated mixer's meters follow its faders: a channel at the top shows.
    window->ShowValue(1, 3);
    Type(window->Navigation().valueBox1, "10");
    CLevelMeter* meter = Input(1).Meter();
    ASSERT_TRUE(WaitUntil([&] { return meter->Value(0) > 100.0; }));
    EXPECT_TRUE(window->OverviewShowsMeters());
    EXPECT_TRUE(WaitUntil([&] { return window->Navigation().pageButtons[0]->OverviewLevel(1) > 100; }));
}

TEST_F(EndToEnd, AMuteGroupFromTheBarMutesItsMembersInTheMixer) {
    context.groups.mute[2].inputs[6] = context.groups.mute[2].inputs[kReverbReturn] = 1;
    context.groups.mute[2].outputs[4] = 1;
    QTest::mouseClick(window->Navigation().muteGroupButtons[2], Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().buses[4].mute == 1; }));
    EXPECT_TRUE(FullStateRestores(context.state.strips[6].mute));
    EXPECT_EQ(context.state.strips[kReverbReturn].mute, 1);
    EXPECT_EQ(context.state.buses[4].mute, 1);
    EXPECT_EQ(context.state.strips[5].mute, 0);
    EXPECT_TRUE(Input(6).MuteButton()->GetDown());
}

TEST_F(EndToEnd, AControlGroupFaderMoveReachesEveryMember) {
    for (int ch : {1, 4, kDelayReturn}) context.groups.control[1].members[ch] = 1;
    context.groups.control[1].count = 3;
    context.groups.control[1].functions[kLinkVol] = 1;
    QTest::mouseClick(window->Navigation().controlGroupButtons[1], Qt::LeftButton);
    CBitmapSlider* fader = Input(4).Fader();
    fader->setFocus();
    QTest::keyClick(fader, Qt::Key_Home);
    ASSERT_TRUE(WaitUntil([&] {
        const MixerState& s = Mixer().State();
        return s.strips[1].level == kLevelMax && s.strips[4].level == kLevelMax && s.strips[kDelayReturn].level == kLevelMax;
    }));
    EXPECT_EQ(Mixer().State().strips[2].level, context.state.strips[2].level);
    EXPECT_NE(Mixer().State().strips[2].level, kLevelMax);
}

TEST_F(EndToEnd, PhantomPowerOnChannelFiveShowsInTheMixersReply) {
    window->ShowPage(kPageCh1To8, 1, kModePhantom);
    auto* page = static_cast<CPhantomDlg*>(window->Pages().phantom);
    QTest::mouseClick(page->Button(4), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[4].phantom == 1; }));
    EXPECT_TRUE(FullStateRestores(context.state.strips[4].phantom));
    EXPECT_TRUE(page->Button(4)->GetDown());
    EXPECT_EQ(Mixer().State().strips[3].phantom, 0);
}

}  // namespace
