// The whole editor against the simulated mixer over loopback: the console
// window with its real strips, the real link and the demo mixer. An edit made
// through a widget arrives in the mixer; the mixer's meters arrive on the strips.

#include "app/end_to_end_fixture.h"
#include "console/console_canvas.h"

using namespace mixer;
using mixer::testing::EndToEnd;
using mixer::testing::WaitUntil;

namespace {

TEST_F(EndToEnd, FaderMovedOnTheStripReachesTheMixer) {
    CBitmapSlider* fader = Input(2).Fader();
    ASSERT_TRUE(fader->isVisible());
    fader->setFocus();
    QTest::keyClick(fader, Qt::Key_Home);  // to the top: +10 dB
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[2].level == kLevelMax; }));
    EXPECT_EQ(context.model.Mirror().strips[2].level, kLevelMax);
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
    EXPECT_TRUE(FullStateRestores(context.model.Mirror().strips[6].mute));
    EXPECT_EQ(context.model.Mirror().strips[kReverbReturn].mute, 1);
    EXPECT_EQ(context.model.Mirror().buses[4].mute, 1);
    EXPECT_EQ(context.model.Mirror().strips[5].mute, 0);
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
    EXPECT_EQ(Mixer().State().strips[2].level, context.model.Mirror().strips[2].level);
    EXPECT_NE(Mixer().State().strips[2].level, kLevelMax);
}

TEST_F(EndToEnd, PhantomPowerOnChannelFiveShowsInTheMixersReply) {
    window->ShowPage(kPageCh1To8, 1, kModePhantom);
    auto* page = static_cast<CPhantomDlg*>(window->Pages().phantom);
    QTest::mouseClick(page->Button(4), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[4].phantom == 1; }));
    EXPECT_TRUE(FullStateRestores(context.model.Mirror().strips[4].phantom));
    EXPECT_TRUE(page->Button(4)->GetDown());
    EXPECT_EQ(Mixer().State().strips[3].phantom, 0);
}

TEST_F(EndToEnd, EqPageEditsReachTheMixerAndTheLinkedChannels) {
    // Channel 3's control group ties it with channel 6 for EQ.
    Tie(2, 5, kLinkEq);
    QTest::mouseClick(Input(2).Thumbnail(), Qt::LeftButton);
    ASSERT_TRUE(Peq().isVisible());
    ASSERT_EQ(Peq().Channel(), 2);

    CBitmapSlider* gain = Peq().BandKnob(1, CPeqDlg::Knob::kGain);
    gain->setFocus();
    QTest::keyClick(gain, Qt::Key_End);
    DragPoint(Peq().Graph(), 2, QPoint(90, -70));
    const PeqBand dragged = context.model.Mirror().strips[2].peqBands[2];
    ASSERT_NE(dragged.freq, 600);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[5].peqBands[2].freq == dragged.freq; }));

    window->OpenOutputDetail(0, kModuleGeq);
    ASSERT_TRUE(Geq().isVisible());
    DragPoint(Geq().Graph(), 5, QPoint(0, -80));
    const int geqGain = context.model.Mirror().buses[0].geqBands[5].gain2;
    ASSERT_GT(geqGain, 150);

    RefetchState();
    for (int channel : {2, 5}) {
        const StripRecord& r = context.model.Mirror().strips[channel];
        EXPECT_EQ(r.peqBands[0].gain2, 300) << channel;
        EXPECT_EQ(r.peqBands[2].freq, dragged.freq) << channel;
        EXPECT_EQ(r.peqBands[2].gain2, dragged.gain2 / 2 * 2) << channel;   // the wire carries half
    }
    EXPECT_EQ(context.model.Mirror().buses[0].geqBands[5].gain2, geqGain / 2 * 2);
    EXPECT_EQ(context.model.Mirror().buses[1].geqBands[5].gain2, geqGain / 2 * 2);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(EndToEnd, APresetRecalledOnThePageReachesTheMixer) {
    window->OpenInputDetail(7, kModulePeq);
    context.model.Mirror().strips[7].peqBands[3] = PeqBand{4321, 220, 40, {0, 0}, 2};
    CPresetSelector* selector = Peq().PresetSelector();
    emit selector->activated(0);   // SAVE PRESET
    ASSERT_EQ(selector->count(), 2);
    QTest::mouseClick(Peq().ResetButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[7].peqBands[3].freq == 5000; }));

    Recall(selector, 1, kFirstPresetMenu.recall);   // the saved preset's menu
    RefetchState();
    const PeqBand& band = context.model.Mirror().strips[7].peqBands[3];
    EXPECT_EQ(band.freq, 4321);
    EXPECT_EQ(band.gain2, 220);
    EXPECT_EQ(band.type, 2);
    EXPECT_EQ(Peq().BandKnob(4, CPeqDlg::Knob::kGain)->GetPos(), 220);

    // A value typed for the channel the page shows moves the page's knob.
    window->ShowValue(7, 5);
    Type(window->Navigation().valueBox1, "6");
    EXPECT_EQ(Peq().BandKnob(1, CPeqDlg::Knob::kGain)->GetPos(), 210);
    EXPECT_EQ(Peq().KnobText(1, CPeqDlg::Knob::kGain), "6.0dB");
}

TEST_F(EndToEnd, SendsPageEditsReachTheMixerAndTheLinkedChannels) {
    Tie(3, 8, kLinkMatrix);
    window->OpenInputDetail(3, kModuleSends);
    ASSERT_TRUE(Sends().isVisible());
    ASSERT_EQ(Sends().Channel(), 3);

    CBitmapSlider* aux2 = Sends().Knob(2);
    aux2->setFocus();
    QTest::keyClick(aux2, Qt::Key_End);
    QTest::mouseClick(Sends().MuteButton(kSendRowReverb), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[8].auxSend[1] == 70; }));

    EXPECT_TRUE(FullStateRestores(context.model.Mirror().strips[3].auxSend[1]));
    EXPECT_EQ(context.model.Mirror().strips[3].auxSend[1], 70);
    EXPECT_EQ(context.model.Mirror().strips[8].auxSend[1], 70);
    EXPECT_EQ(context.model.Mirror().strips[3].fxSend[1], 0);
    EXPECT_EQ(context.model.Mirror().strips[8].fxSend[1], 0);

    // Unmuted, the row gets its knob's level back.
    const int knob = Sends().Knob(kSendRowReverb)->GetPos();
    QTest::mouseClick(Sends().MuteButton(kSendRowReverb), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[3].fxSend[1] == knob; }));
}

TEST_F(EndToEnd, EffectPageEditsReachTheMixerAndTheReturnStrip) {
    window->OpenInputDetail(kDelayReturn, kModuleEffect);
    ASSERT_TRUE(EffectPage().isVisible());

    CBitmapSlider* output = EffectPage().LevelKnob(Effect::kReverb, false);
    output->setFocus();
    QTest::keyClick(output, Qt::Key_Home);
    QTest::mouseClick(EffectPage().MuteButton(1), Qt::LeftButton);
    CBitmapSlider* feedback = EffectPage().ParamKnob(Effect::kDelay, kFeedback);
    feedback->setFocus();
    QTest::keyClick(feedback, Qt::Key_End);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[kDelayReturn].delayParams[kFeedback] == 100; }));
    EXPECT_EQ(Mixer().State().strips[kReverbReturn].level, 70);
    EXPECT_EQ(Mixer().State().strips[kDelayReturn].mute2, 1);
    EXPECT_EQ(Input(kReverbReturn).Fader()->GetPos(), FaderPositionFromLevel(70));
    // The output path's MUTE is the return strip's.
    QTest::mouseClick(EffectPage().MuteButton(3), Qt::LeftButton);
    EXPECT_TRUE(Input(kDelayReturn).MuteButton()->GetDown());

    // A DELAY preset saved, the delay reset, then the preset recalled.
    CPresetSelector* presets = EffectPage().DelayPresets();
    emit presets->activated(0);
    ASSERT_EQ(presets->count(), 2);
    QTest::mouseClick(EffectPage().ResetButton(Effect::kDelay), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[kDelayReturn].delayParams[kFeedback] == 38; }));
    Recall(presets, 1, kSecondPresetMenu.recall);
    EXPECT_TRUE(FullStateRestores(context.model.Mirror().strips[kDelayReturn].delayParams[kFeedback]));
    EXPECT_EQ(context.model.Mirror().strips[kDelayReturn].delayParams[kFeedback], 100);
    EXPECT_EQ(EffectPage().ParamKnob(Effect::kDelay, kFeedback)->GetPos(), 100);

    // A level typed for the reverb return shows on the page the delay return opened.
    window->ShowValue(kReverbReturn, 3);
    Type(window->Navigation().valueBox1, "0");
    EXPECT_EQ(context.model.Mirror().strips[kReverbReturn].level, 60);
    EXPECT_EQ(EffectPage().LevelKnob(Effect::kReverb, false)->GetPos(), KnobFromLevel(60));
}

TEST_F(EndToEnd, DynamicsPageEditsReachTheMixer) {
    QTest::mouseClick(Input(3).DynamicsButton(), Qt::LeftButton);
    ASSERT_TRUE(Dynamics().isVisible());
    ASSERT_EQ(Dynamics().Channel(), 3);
    StripRecord& r = context.model.Mirror().strips[3];

    // A preset of the compressor saved now and recalled after a RESET.
    r.comp[kDynAttack] = 77;
    r.comp[kDynRatio] = 35;
    CPresetSelector* selector = Dynamics().CompPresetSelector();
    emit selector->activated(0);   // SAVE PRESET
    ASSERT_EQ(selector->count(), 2);
    QTest::mouseClick(Dynamics().CompResetButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[3].comp[kDynRatio] == 10; }));
    Recall(selector, 1, kSecondPresetMenu.recall);
    EXPECT_EQ(r.comp[kDynRatio], 35);

    // A knob, a handle drag and the gate's on/off. The threshold is raised
    // first: at -60 dB its handle covers the gain handle.
    r.comp[kDynThreshold] = 30;
    Dynamics().RefreshFromState();
    CBitmapSlider* release = Dynamics().GatePanel()->Knob(2);
    release->setFocus();
    QTest::keyClick(release, Qt::Key_End);
    DragPoint(Dynamics().CompPanel()->Graph(), kCompPointGain, QPoint(0, -40));
    const int gain = r.comp[kDynGain];
    ASSERT_GT(gain, 0);
    const int gateOn = r.gateOn;
    QTest::mouseClick(Dynamics().GateButton(), Qt::LeftButton);
    ASSERT_NE(r.gateOn, gateOn);

    // What the mixer sends back in its next full state is what was edited.
    const StripRecord edited = r;
    Drain();
    r.comp[kDynGain] = r.comp[kDynRatio] = r.comp[kDynAttack] = r.gate[kGateRelease] = 0;
    r.gateOn = gateOn;
    QSignalSpy replies(built.link.get(), &ConsoleLink::stateReplyApplied);
    built.link->Connect();
    ASSERT_TRUE(WaitUntil([&] { return replies.count() > 0; }));
    EXPECT_EQ(r.gate[kGateRelease], 250);
    EXPECT_EQ(r.gateOn, edited.gateOn);
    EXPECT_EQ(r.comp[kDynGain], gain);
    EXPECT_EQ(r.comp[kDynRatio], 35);
    EXPECT_EQ(r.comp[kDynAttack], 77);

    // The page's meters move with the mixer's meter stream.
    window->ShowValue(3, 3);
    Type(window->Navigation().valueBox1, "10");
    CLevelMeter* meter = Dynamics().GatePanel()->Meter();
    ASSERT_TRUE(WaitUntil([&] { return meter->Value(0) > 100.0; }));
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(EndToEnd, LimiterPageEditsReachTheMixer) {
    window->OpenOutputDetail(0, kModuleLimiter);
    ASSERT_TRUE(Limiter().isVisible());
    ASSERT_EQ(Limiter().Channel(), 0);
    BusRecord& main = context.model.Mirror().buses[0];

    main.lim[kDynAttack] = 123;
    CPresetSelector* selector = Limiter().PresetSelector();
    emit selector->activated(0);
    ASSERT_EQ(selector->count(), 2);
    QTest::mouseClick(Limiter().ResetButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().buses[1].lim[kDynThreshold] == kMainPairResetThreshold; }));
    Recall(selector, 1, TableInfo(PresetModule::kLimit).menu.recall);
    EXPECT_EQ(main.lim[kDynAttack], 123);

    CBitmapSlider* ratio = Limiter().Panel()->Knob(1);
    ratio->setFocus();
    QTest::keyClick(ratio, Qt::Key_End);
    main.lim[kDynThreshold] = 40;
    Limiter().RefreshFromState();
    DragPoint(Limiter().Panel()->Graph(), kCompPointThreshold, QPoint(-60, 0));
    const int threshold = main.lim[kDynThreshold];
    ASSERT_LT(threshold, 40);
    QTest::mouseClick(Limiter().OnOffButton(), Qt::LeftButton);
    const int on = main.limOn;

    Drain();
    for (BusRecord& b : context.model.Mirror().buses) b.lim[kDynRatio] = b.lim[kDynAttack] = b.lim[kDynThreshold] = b.limOn = 0;
    QSignalSpy replies(built.link.get(), &ConsoleLink::stateReplyApplied);
    built.link->Connect();
    ASSERT_TRUE(WaitUntil([&] { return replies.count() > 0; }));
    for (int o : {0, 1}) {
        const BusRecord& b = context.model.Mirror().buses[o];
        EXPECT_EQ(b.lim[kDynRatio], 100) << o;
        EXPECT_EQ(b.lim[kDynAttack], 123) << o;
        EXPECT_EQ(b.lim[kDynThreshold], threshold) << o;
        EXPECT_EQ(b.limOn, on) << o;
    }
    EXPECT_TRUE(notifier.messages.empty());
}

// RESET and scenes: what the mixer holds afterwards, how long the upload
// takes and how long the window ever waits meanwhile.
class SceneEndToEnd : public mixer::testing::ScenePageFixture {
protected:
    // Edits through the link, as the pages send them.
    void Edit(int channel, int level, int pan) {
        context.model.Mirror().strips[channel].level = level;
        context.model.Mirror().strips[channel].pan = pan;
        built.link->Send(BuildA(context.model.Mirror(), channel + 1));
        built.link->Send(BuildL(context.model.Mirror(), channel + 1));
    }

    bool MixerHolds(const MixerState& state, int timeoutMs = mixer::testing::kWaitMs) {
        const std::vector<std::string> wanted = Carried(state);
        return WaitUntil([&] { return Carried(Mixer().State()) == wanted; }, timeoutMs);
    }

    void Pick(int slot, int command) {
        system->SceneButton(slot)->click();
        for (QAction* action : system->SceneMenu()->actions()) {
            if (CMenuEx::CommandOf(action) == command) action->trigger();
        }
        system->SceneMenu()->hide();
    }
};

TEST_F(SceneEndToEnd, ResetAtProtocolPaceLeavesTheMixerInItsResetStateAndTheWindowResponsive) {
    Edit(2, 11, 40);
    context.model.Mirror().buses[4].busMode = 3;
    built.link->Send(BuildP(context.model.Mirror(), 5));
    MixerState reset = context.model.Mirror();
    ResetDefaults(reset);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[2].level == 11; }));
    ASSERT_FALSE(Carried(Mixer().State()) == Carried(reset));

    // The longest wait of the event loop, seen by a timer that wants to run every 5 ms.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
    });
    QSignalSpy done(system->Upload(), &UploadAll::finished);
    sinceTick.start();
    ticker.start(5);
    QElapsedTimer took;
    took.start();
    system->ResetButton()->click();
    ASSERT_TRUE(done.wait(20000));
    const qint64 elapsed = took.elapsed();
    ticker.stop();

    ASSERT_EQ(done.count(), 1);
    EXPECT_TRUE(done.at(0).at(0).toBool());
    EXPECT_TRUE(MixerHolds(reset));
    EXPECT_EQ(notifier.messages.back().text, "复位成功。");
    EXPECT_TRUE(built.link->IsConnected());
    // The upload ends with the meters off; they run again once it is done.
    QSignalSpy meters(built.link.get(), &ConsoleLink::meterReportApplied);
    EXPECT_TRUE(meters.wait(3000));
    RecordProperty("upload_ms", static_cast<int>(elapsed));
    RecordProperty("longest_event_loop_gap_ms", static_cast<int>(longestGap));
    std::printf("UploadAll: 283 commands in %lld ms (283 x 20 ms = 5660 ms); longest event-loop gap %lld ms\n",
                static_cast<long long>(elapsed), static_cast<long long>(longestGap));
    // Generous bounds only: the figures themselves go into the record.
    EXPECT_GT(elapsed, 5000);
    EXPECT_LT(elapsed, 15000);
}

TEST_F(SceneEndToEnd, ClosingTheWindowDuringAnUploadStopsItTakesTheMixerOfflineAndCloses) {
    QSignalSpy done(system->Upload(), &UploadAll::finished);
    system->ResetButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return system->Upload()->Sent() > 20; }));
    // Nothing modal stands between the user and the window's close button,
    // but the console takes no edits.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(window->Canvas()->isEnabled());
    window->close();
    ASSERT_TRUE(WaitUntil([&] { return window->HasEnded(); }));
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(done.count(), 1);
    EXPECT_FALSE(done.at(0).at(0).toBool());
    EXPECT_LT(system->Upload()->Sent(), kUploadMessageCount);
    EXPECT_FALSE(Mixer().MetersStreaming());
    // Neither a lost connection nor a RESET is reported: the user closed the window.
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(SceneEndToEnd, ASceneSavedChangedAndRecalledRestoresTheMixer) {
    system->Upload()->SetInterval(std::chrono::milliseconds(0));
    Edit(0, 33, 150);
    Edit(17, 20, 60);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[17].pan == 60; }));
    const MixerState saved = context.model.Mirror();
    system->ShowTab(kTabShow);
    system->SaveButton()->click();

    Edit(0, 5, 10);
    Edit(9, 44, 199);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[9].pan == 199; }));
    ASSERT_FALSE(Carried(Mixer().State()) == Carried(saved));

    QSignalSpy done(system->Upload(), &UploadAll::finished);
    Pick(0, kFirstPresetMenu.recall);
    ASSERT_TRUE(done.wait(10000));
    EXPECT_TRUE(MixerHolds(saved, 10000));
    EXPECT_EQ(context.model.Mirror().strips[0].level, 33);
}

}  // namespace
