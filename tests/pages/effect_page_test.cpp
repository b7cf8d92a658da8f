#include "page_fixture.h"
#include "pages/effect/effect_dlg.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"

using namespace mixer;

namespace {

using EffectPage = mixer::testing::PageFixture<CEffectDlg>;

TEST_F(EffectPage, ReverbResetSendsOnlyTheReverbAndLeavesTheDelay) {
    state.strips[16].delayParams[kPreDelay1] = 700;
    state.strips[17].reverbParams[kRevTime] = 90;
    page->SetChannel(16);
    page->OnReset(Effect::kReverb);
    EXPECT_EQ(state.strips[17].reverbParams[kRevTime], 3);
    EXPECT_EQ(state.strips[16].delayParams[kPreDelay1], 700);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].letter, 'M');
    EXPECT_EQ(page->ParamText(Effect::kReverb, kRevTime), QStringLiteral("0.3s"));
    EXPECT_EQ(page->ParamKnob(Effect::kReverb, kRevTime)->GetPos(), 3);
    EXPECT_EQ(page->ParamText(Effect::kDelay, kPreDelay1), QStringLiteral("700ms"));
}

TEST_F(EffectPage, OutputLevelMovesTheReturnsFaderAndInputLevelItsSecondPath) {
    page->SetChannel(16);
    page->OnLevelKnob(Effect::kReverb, false, 0, false);
    EXPECT_EQ(state.strips[17].level, 70);
    EXPECT_EQ(Sent().back().code, 29);
    EXPECT_EQ(host.shown.back(), std::make_pair(17, 3));
    EXPECT_EQ(page->LevelText(Effect::kReverb, false), QStringLiteral("10dB"));

    page->OnLevelKnob(Effect::kDelay, true, 186, false);
    EXPECT_EQ(state.strips[16].level2, 0);
    EXPECT_EQ(Sent().back().code, 28);
    EXPECT_EQ(host.shown.back(), std::make_pair(16, 61));
    EXPECT_EQ(page->LevelKnob(Effect::kDelay, true)->GetPos(), 186);
}

TEST_F(EffectPage, ParameterDragIsPacedAndItsLastPlaceSent) {
    page->SetChannel(16);
    for (int i = 0; i < 30; ++i) {
        Advance(10);
        page->OnParamKnob(Effect::kDelay, kFeedback, i, true);
    }
    EXPECT_LE(Sent().size(), 4u);
    page->OnParamKnob(Effect::kDelay, kFeedback, 77, false);
    EXPECT_EQ(Sent().back().letter, 'N');
    EXPECT_EQ(state.strips[16].delayParams[kFeedback], 77);
    EXPECT_EQ(host.shown.back(), std::make_pair(16, 70));
}

TEST_F(EffectPage, MutesFollowTheirPathsAndMetersTheirValues) {
    page->SetChannel(16);
    const int codes[kEffectMuteCount] = {30, 28, 29, 27};
    for (int b = 0; b < kEffectMuteCount; ++b) {
        host.shown.clear();
        page->OnMute(b);
        EXPECT_EQ(Sent().back().code, codes[b]);
        EXPECT_TRUE(page->MuteButton(b)->GetDown());
        // The value display's MUTE shows the return strip's flag: the outputs'.
        EXPECT_EQ(host.shown.size(), b >= 2 ? 1u : 0u);
    }
    state.strips[17].meter2 = 255;
    state.strips[16].meter = 0;
    page->UpdateMeters();
    EXPECT_DOUBLE_EQ(page->Meter()->Value(0), 186.0);
    EXPECT_LT(page->Meter()->Value(3), 1.0);
}

TEST_F(EffectPage, TheDelaysOutputCaptionKeepsItsSpelling) {
    page->SetLabels(1);
    EXPECT_EQ(page->LevelCaption(Effect::kDelay, false), QStringLiteral("OUPUT"));
    EXPECT_EQ(page->LevelCaption(Effect::kReverb, false), QStringLiteral("OUTPUT"));
    page->SetLabels(3);
    EXPECT_EQ(page->LevelCaption(Effect::kDelay, false), QStringLiteral("OUPUT"));
    page->SetLabels(2);
    EXPECT_EQ(page->LevelCaption(Effect::kDelay, false), QStringLiteral("输出"));
}

}  // namespace
