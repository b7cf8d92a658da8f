#include <cstring>

#include "page_fixture.h"
#include "pages/curves/eq_graph.h"
#include "pages/curves/plot_mapping.h"
#include "pages/dynamics/dynamics_panel.h"
#include "pages/limiter/limiter_dlg.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"

using namespace mixer;

namespace {

using LimiterPage = mixer::testing::PageFixture<CLimiterDlg>;

TEST_F(LimiterPage, MainsKnobWritesAndSendsBothRecordsOnceLetGo) {
    page->SetChannel(0);
    page->OnKnob(CompKnob::kThreshold, 12, false);
    EXPECT_EQ(state.buses[1].lim[kDynThreshold], 12);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(host.shown.back(), std::make_pair(18, 41));
    EXPECT_EQ(page->Panel()->ValueText(0), "-48dB");
    page->OnKnob(CompKnob::kRelease, 1, true);
    EXPECT_EQ(state.buses[0].lim[kDynRelease], 1);
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[0].letter, 'D');
    EXPECT_EQ(Sent()[0].code, 1);
    EXPECT_EQ(Sent()[1].code, 2);
    EXPECT_EQ(host.shown.back(), std::make_pair(18, 44));
}

TEST_F(LimiterPage, ResetOnMainLeavesTheSecondRecordAtThreshold30) {
    for (int o : {0, 1}) {
        state.buses[o].lim[kDynThreshold] = 55;
        state.buses[o].lim[kDynGain] = 40;
    }
    page->SetChannel(0);
    QTest::mouseClick(page->ResetButton(), Qt::LeftButton);
    EXPECT_EQ(state.buses[0].lim[kDynThreshold], 0);
    EXPECT_EQ(state.buses[1].lim[kDynThreshold], 30);
    EXPECT_EQ(state.buses[0].lim[kDynGain], 40);
    EXPECT_TRUE(page->OnOffButton()->GetDown());
    EXPECT_EQ(page->Panel()->Knob(0)->GetPos(), 0);
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[1].values[2], 30);   // on, ratio, threshold, ...
}

TEST_F(LimiterPage, AnAuxOutputChangesAlone) {
    page->SetChannel(2);
    const MixerState before = state;
    page->OnButton();
    page->OnPoint(kCompPointRatio, 0.0, -60.0, 0);
    page->OnPoint(kCompPointGain, -60.0, -55.0, 0);
    EXPECT_EQ(state.buses[2].limOn, 1);
    EXPECT_EQ(state.buses[2].lim[kDynGain], 50);
    for (int o : {0, 1, 3, 4, 5, 6, 7}) {
        EXPECT_EQ(std::memcmp(&state.buses[o], &before.buses[o], sizeof(BusRecord)), 0) << o;
    }
    for (const auto& c : Sent()) EXPECT_EQ(c.code, 3);
    EXPECT_EQ(host.shown.back(), std::make_pair(20, 45));
}

TEST_F(LimiterPage, TheMeterFollowsTheOutputsLevel) {
    page->SetChannel(4);
    state.buses[4].meter = 200;
    page->UpdateMeters();
    EXPECT_GT(page->Panel()->Meter()->Value(0), 100.0);
    EXPECT_DOUBLE_EQ(page->Panel()->Meter()->Value(1), 0.0);   // off: no reduction
}

// The limiter page's tall panel and the gate and compressor page's short
// ones: the transfer graph's plot is square, so unity runs at 45 degrees,
// and as large as the panel's height and half its width allow.
TEST(DynamicsPanelGraph, PlotsSquareAtEverySize) {
    for (const QSize size : {QSize(1080, 680), QSize(1080, 300), QSize(900, 330), QSize(600, 700)}) {
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        CDynamicsPanel panel(CompressorRows(true), nullptr);
        panel.resize(size);
        panel.show();  // a hidden widget hears of its size only when shown
        const QRect graph = panel.Graph()->geometry();
        EXPECT_TRUE(panel.rect().contains(graph));
        const PlotRect plot = PlotArea(graph.width(), graph.height(), true);
        EXPECT_EQ(plot.right - plot.left, plot.bottom - plot.top);
        const PlotRect most = PlotArea(size.width() / 2, size.height(), true);
        EXPECT_GE(plot.right - plot.left, std::min(most.right - most.left, most.bottom - most.top) - 2);
    }
}

}  // namespace
