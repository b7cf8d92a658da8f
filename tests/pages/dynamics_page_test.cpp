#include "page_fixture.h"
#include "pages/curves/eq_graph.h"
#include "pages/dynamics/dynamics_dlg.h"
#include "pages/dynamics/dynamics_panel.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"

using namespace mixer;

namespace {

using DynamicsPage = mixer::testing::PageFixture<CDynamicsDlg>;

TEST_F(DynamicsPage, AKnobSendsOnlyWhenLetGoAndRepeatsOnTheGateLink) {
    Link(2, {6, 16}, kLinkGate);
    page->SetChannel(2);
    page->OnGateKnob(GateKnob::kThreshold, 35, false);
    EXPECT_EQ(state.strips[2].gate[kGateThreshold], 35);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(host.shown.back(), std::make_pair(2, 51));
    EXPECT_EQ(page->GatePanel()->ValueText(0), "-25dB");
    // The threshold handle followed the knob.
    EXPECT_DOUBLE_EQ(page->GatePanel()->Graph()->PointValue(0).x(), -25.0);

    page->OnGateKnob(GateKnob::kThreshold, 36, true);
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 2u);   // channel 3, then linked channel 7; the reverb return is not sent
    EXPECT_EQ(sent[0].letter, 'B');
    EXPECT_EQ(sent[0].code, 3);
    EXPECT_EQ(sent[1].code, 7);
    EXPECT_EQ(state.strips[6].gate[kGateThreshold], 36);
    EXPECT_EQ(state.strips[16].gate[kGateThreshold], 36);

    // The compressor follows the LIMIT flag, not GATE.
    host.sent.clear();
    page->OnCompKnob(CompKnob::kAttack, 90, true);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].letter, 'C');
    EXPECT_EQ(state.strips[6].comp[kDynAttack], 0);
    EXPECT_EQ(host.shown.back(), std::make_pair(2, 56));
}

TEST_F(DynamicsPage, EffectReturnsAreStoredAndShownButNotSent) {
    page->SetChannel(17);
    page->OnCompKnob(CompKnob::kGain, 120, true);
    page->OnGateButton();
    page->OnCompReset();
    page->OnCompPoint(kCompPointRatio, 0.0, -30.0, 0);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(state.strips[17].gateOn, 1);
    EXPECT_EQ(state.strips[17].comp[kDynGain], 0);
    EXPECT_EQ(host.shown.back(), std::make_pair(17, 55));
    EXPECT_TRUE(page->GateButton()->GetDown());
}

TEST_F(DynamicsPage, ResetSwitchesTheSectionOnAndTheButtonsFollow) {
    state.strips[4].compOn = 0;
    state.strips[4].comp[kDynRatio] = 70;
    page->SetChannel(4);
    EXPECT_FALSE(page->CompButton()->GetDown());
    page->OnCompButton();
    EXPECT_EQ(state.strips[4].compOn, 1);
    EXPECT_TRUE(page->CompButton()->GetDown());
    page->OnCompButton();
    EXPECT_FALSE(page->CompButton()->GetDown());
    host.sent.clear();
    page->OnCompReset();
    EXPECT_EQ(state.strips[4].compOn, 1);
    EXPECT_EQ(state.strips[4].comp[kDynRatio], 10);
    EXPECT_TRUE(page->CompButton()->GetDown());
    EXPECT_EQ(page->CompPanel()->Knob(1)->GetPos(), 10);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].letter, 'C');
}

TEST_F(DynamicsPage, HandleDragsFollowTheRatioRule) {
    StripRecord& r = state.strips[0];
    r.comp[kDynThreshold] = 40;   // -20 dB
    r.comp[kDynRatio] = 20;
    page->SetChannel(0);
    // Ratio handle level with the threshold handle: 10.0.
    page->OnCompPoint(kCompPointRatio, 0.0, -20.0, 0);
    EXPECT_EQ(r.comp[kDynRatio], 100);
    EXPECT_EQ(host.shown.back(), std::make_pair(0, 55));
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].letter, 'C');
    page->OnCompPoint(kCompPointRatio, 0.0, -10.0, 0);
    EXPECT_EQ(r.comp[kDynRatio], 20);
    page->OnCompPoint(kCompPointGain, -60.0, -52.5, 0);
    EXPECT_EQ(r.comp[kDynGain], 75);
    EXPECT_EQ(host.shown.back(), std::make_pair(0, 58));
    page->OnCompPoint(kCompPointThreshold, -33.4, -10.0, 0);
    EXPECT_EQ(r.comp[kDynThreshold], 26);
    EXPECT_EQ(host.shown.back(), std::make_pair(0, 54));
    // The handle snaps back onto the curve.
    EXPECT_DOUBLE_EQ(page->CompPanel()->Graph()->PointValue(kCompPointThreshold).y(), -34.0);

    // The gate's range handle sets the range, which the mixer never hears of.
    host.sent.clear();
    r.gate[kGateThreshold] = 30;
    page->OnGatePoint(kGatePointRange, -30.0, -42.0, 0);
    EXPECT_EQ(r.gate[kGateUnused], 12);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(DynamicsPage, AMouseDragOfTheGainHandleIsThrottledAndEndsOnTheDevice) {
    // At threshold code 0 the threshold handle covers the gain handle and is taken first.
    state.strips[1].comp[kDynThreshold] = 40;
    page->show();
    page->SetChannel(1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    CEqGraph* graph = page->CompPanel()->Graph();
    const QPoint start = graph->PointPixel(kCompPointGain);
    QTest::mousePress(graph, Qt::LeftButton, {}, start);
    for (int i = 1; i <= 10; ++i) {
        Advance(20);
        QTest::mouseMove(graph, start + QPoint(30, -6 * i));
    }
    Advance(20);
    QTest::mouseRelease(graph, Qt::LeftButton, {}, start + QPoint(30, -60));
    const int gain = state.strips[1].comp[kDynGain];
    EXPECT_GT(gain, 0);
    EXPECT_LE(Sent().size(), 5u);
    EXPECT_EQ(Sent().back().letter, 'C');
    EXPECT_EQ(Sent().back().values[5], gain);
    // The handle kept to the left edge.
    EXPECT_DOUBLE_EQ(graph->PointValue(kCompPointGain).x(), -60.0);
}

TEST_F(DynamicsPage, MetersFollowTheReportedLevel) {
    page->SetChannel(3);
    state.strips[3].meter = 255;
    state.strips[3].compOn = 1;
    state.strips[3].comp[kDynThreshold] = 50;
    state.strips[3].comp[kDynRatio] = 100;
    page->UpdateMeters();
    CLevelMeter* meter = page->CompPanel()->Meter();
    EXPECT_GT(meter->Value(0), 180.0);
    EXPECT_NEAR(meter->Value(1), 18.0, 0.01);
    EXPECT_LT(meter->Value(2), meter->Value(0));
    state.strips[3].meter = 0;
    page->UpdateMeters();
    EXPECT_DOUBLE_EQ(meter->Value(0), 0.0);
    EXPECT_DOUBLE_EQ(meter->Value(1), 0.0);
}

}  // namespace
