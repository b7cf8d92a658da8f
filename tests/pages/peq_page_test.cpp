#include <QComboBox>
#include <algorithm>
#include <cstring>

#include "page_fixture.h"
#include "pages/curves/eq_graph.h"
#include "pages/peq/peq_dlg.h"
#include "pages/peq/peq_mapping.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"

using namespace mixer;
using mixer::testing::SentCommand;

namespace {

class PeqPage : public mixer::testing::PageFixture<CPeqDlg> {
protected:
    int CountOf(char letter, int code) const {
        int n = 0;
        for (const SentCommand& c : Sent()) n += c.letter == letter && c.code == code;
        return n;
    }
};

TEST_F(PeqPage, KnobsStoreWhileMovingAndSendWhenLetGo) {
    page->SetChannel(2);
    Link(2, {5});
    page->OnBandKnob(1, CPeqDlg::Knob::kGain, 200, false);
    EXPECT_EQ(state.strips[2].peqBands[0].gain2, 200);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(host.shown.back(), std::make_pair(2, 5));
    EXPECT_EQ(page->KnobText(1, CPeqDlg::Knob::kGain), "5.0dB");
    EXPECT_EQ(state.strips[5].peqBands[0].gain2, 150);   // nothing propagated yet

    // A key on the frequency knob is a change: stored, sent, propagated.
    CBitmapSlider* freq = page->BandKnob(2, CPeqDlg::Knob::kFreq);
    QTest::keyClick(freq, Qt::Key_End);
    EXPECT_EQ(state.strips[2].peqBands[1].freq, 19953);
    EXPECT_EQ(host.shown.back(), std::make_pair(2, 9));
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[0], (SentCommand{'G', 3, {0, 2, 1, 19953, 75, 20}}));
    EXPECT_EQ(Sent()[1].code, 6);
    EXPECT_EQ(state.strips[5].peqBands[1].freq, 19953);
    // Only the changed band went across: band 1's moving gain did not.
    EXPECT_EQ(state.strips[5].peqBands[0].gain2, 150);

    // Nothing goes out while the console is not connected; the state still changes.
    host.connected = false;
    page->OnBandKnob(3, CPeqDlg::Knob::kQ, 0, true);
    EXPECT_EQ(state.strips[2].peqBands[2].q, 1);
    EXPECT_EQ(Sent().size(), 2u);
}

TEST_F(PeqPage, AStoredTwentyKilohertzShowsAtTheKnobsEnd) {
    state.strips[4].lpfFreq = 20000;
    state.strips[4].lpfOn = 1;
    state.strips[4].peqBands[3].q = 200;
    page->SetChannel(4);
    EXPECT_EQ(page->FilterKnob(PeqFilter::kLowPass)->GetPos(), 330);
    EXPECT_TRUE(page->FilterKnob(PeqFilter::kLowPass)->isEnabled());
    EXPECT_FALSE(page->FilterKnob(PeqFilter::kHighPass)->isEnabled());
    EXPECT_EQ(page->BandKnob(4, CPeqDlg::Knob::kQ)->GetPos(), 199);
}

TEST_F(PeqPage, FilterRowButtonsAndSlopes) {
    page->SetChannel(0);
    page->OnFilterButton(PeqFilter::kHighPass);
    EXPECT_EQ(state.strips[0].hpfOn, 1);
    EXPECT_TRUE(page->FilterButton(PeqFilter::kHighPass)->GetDown());
    EXPECT_TRUE(page->FilterKnob(PeqFilter::kHighPass)->isEnabled());
    page->OnSlope(PeqFilter::kLowPass, 6);
    EXPECT_EQ(state.strips[0].lpfSlope, 8);
    page->OnShelf(1);
    EXPECT_EQ(state.strips[0].peqBands[0].type, 1);
    EXPECT_TRUE(page->ShelfButton(1)->GetDown());
    page->OnPolarity();
    EXPECT_EQ(state.strips[0].polarity, 1);
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0].letter, 'F');
    EXPECT_EQ(sent[1].letter, 'E');
    EXPECT_EQ(sent[2].letter, 'G');
    EXPECT_EQ(sent[3].letter, 'O');
}

TEST_F(PeqPage, EffectReturnsHideTheFilterRowAndDoNotSendPolarity) {
    page->show();
    page->SetChannel(16);
    EXPECT_FALSE(page->FilterButton(PeqFilter::kHighPass)->isVisible());
    EXPECT_FALSE(page->SlopeSelector(PeqFilter::kLowPass)->isVisible());
    EXPECT_EQ(page->Graph()->PointCount(), 4);
    page->OnPolarity();
    EXPECT_EQ(state.strips[16].polarity, 1);
    EXPECT_TRUE(host.sent.empty());
    page->OnBandKnob(1, CPeqDlg::Knob::kGain, 180, true);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].code, 17);
    page->SetChannel(3);
    EXPECT_TRUE(page->FilterButton(PeqFilter::kHighPass)->isVisible());
    EXPECT_EQ(page->Graph()->PointCount(), 6);
}

TEST_F(PeqPage, ARapidGraphDragIsThrottledAndItsLastPositionArrives) {
    page->SetChannel(2);
    Link(2, {7});
    page->OnPointMoved(1, 500, 0.0, 0);   // the press
    ASSERT_EQ(CountOf('G', 3), 1);
    for (int i = 1; i <= 60; ++i) {
        Advance(10);
        page->OnPointMoved(1, 500 + 10 * i, 0.1 * i, 1);
        if (i % 5 == 0) page->OnPageTimer();
    }
    // 600 ms of dragging: the press, then at most one send per 100 ms.
    EXPECT_LE(CountOf('G', 3), 1 + 6);
    EXPECT_EQ(CountOf('G', 8), CountOf('G', 3));   // each send propagated
    EXPECT_EQ(host.shown.back(), std::make_pair(2, 23));
    const PeqBand& band = state.strips[2].peqBands[1];
    EXPECT_EQ(band.freq, 1100);
    EXPECT_EQ(band.gain2, GainCodeFromDb(6.0));
    // The timer sends the last position once it has rested 200 ms.
    const int before = CountOf('G', 3);
    for (int t = 0; t < 5; ++t) {
        Advance(50);
        page->OnPageTimer();
    }
    EXPECT_EQ(CountOf('G', 3), before + 1);
    EXPECT_EQ(Sent().back().code, 8);
    EXPECT_EQ(Sent()[Sent().size() - 2], (SentCommand{'G', 3, {0, 2, 1, 1100, band.gain2 / 2, 20}}));
    EXPECT_EQ(state.strips[7].peqBands[1].freq, 1100);
}

TEST_F(PeqPage, HidingOrSwitchingChannelSendsAPendingDrag) {
    page->show();
    page->SetChannel(2);
    page->OnPointMoved(0, 300, 0.0, 0);
    Advance(20);
    page->OnPointMoved(0, 320, 2.0, 1);
    EXPECT_EQ(Sent().size(), 1u);
    page->hide();
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[1].values[3], 320);
    EXPECT_FALSE(page->PageTimerActive());

    page->show();
    EXPECT_TRUE(page->PageTimerActive());
    page->OnPointMoved(kPointHighPass, 90, 0.0, 1);
    page->SetChannel(6);
    ASSERT_EQ(Sent().size(), 3u);
    EXPECT_EQ(Sent()[2], (SentCommand{'F', 3, {0, 0, 90, 2, 1}}));
}

TEST_F(PeqPage, DoubleClickFlattensABandAtOnce) {
    state.strips[1].peqBands[2].gain2 = 40;
    page->SetChannel(1);
    page->OnPointDoubleClicked(2);
    EXPECT_EQ(state.strips[1].peqBands[2].gain2, 150);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].values[4], 75);
    EXPECT_EQ(host.shown.back(), std::make_pair(1, 24));
}

TEST_F(PeqPage, ResetSendsItsOwnAtOnceAndPacesTheLinkedChannels) {
    page->SetChannel(2);
    Link(2, {5, 7});
    state.strips[2].polarity = 1;
    page->OnReset();
    EXPECT_EQ(state.strips[2].polarity, 1);
    // Own channel: bands 1..4, low-pass, high-pass at once; the linked
    // channels' whole EQs on the paced lane.
    ASSERT_EQ(Sent().size(), 18u);
    EXPECT_EQ(Sent()[4].letter, 'E');
    EXPECT_EQ(Sent()[5].letter, 'F');
    for (std::size_t k = 0; k < Sent().size(); ++k) {
        EXPECT_EQ(host.recorder.IsPaced(host.sent[k]), k >= 6) << k;
        EXPECT_EQ(Sent()[k].code, k < 6 ? 3 : k < 12 ? 6 : 8) << k;
    }
    EXPECT_EQ(Sent()[6], (SentCommand{'G', 6, {0, 1, 1, 200, 75, 20}}));
    EXPECT_EQ(Sent().back().letter, 'F');
}

TEST_F(PeqPage, BypassRestoresTheChannelItWasTakenFrom) {
    StripRecord& three = state.strips[3];
    three.peqBands[0].gain2 = 260;
    three.hpfOn = 1;
    const StripRecord saved = three;
    page->SetChannel(3);
    page->OnBypass();
    EXPECT_TRUE(page->BypassOn());
    EXPECT_EQ(three.peqBands[0].gain2, 150);
    EXPECT_EQ(three.hpfOn, 0);
    host.sent.clear();

    const StripRecord five = state.strips[5];
    page->SetChannel(5);
    EXPECT_TRUE(page->BypassButton()->GetDown());
    page->OnBypass();
    EXPECT_FALSE(page->BypassOn());
    EXPECT_EQ(std::memcmp(&state.strips[5], &five, sizeof five), 0);
    EXPECT_EQ(std::memcmp(&three, &saved, sizeof saved), 0);
    // Only what the restore changed goes out: band 1 and the high-pass.
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[0].letter, 'G');
    EXPECT_EQ(Sent()[1].letter, 'F');
    for (const SentCommand& c : Sent()) EXPECT_EQ(c.code, 4);
}

TEST_F(PeqPage, AMouseDragOnTheGraphMovesTheBand) {
    page->show();
    page->SetChannel(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    CEqGraph* graph = page->Graph();
    const QPoint start = graph->PointPixel(2);
    QTest::mousePress(graph, Qt::LeftButton, {}, start);
    for (int i = 1; i <= 10; ++i) {
        Advance(30);
        QTest::mouseMove(graph, start + QPoint(8 * i, -6 * i));
    }
    QTest::mouseRelease(graph, Qt::LeftButton, {}, start + QPoint(80, -60));
    const PeqBand& band = state.strips[0].peqBands[2];
    EXPECT_GT(band.freq, 600);
    EXPECT_GT(band.gain2, 150);
    ASSERT_FALSE(host.sent.empty());
    const SentCommand last = Sent().back();
    EXPECT_EQ(last.values[3], band.freq);
    EXPECT_EQ(last.values[4], band.gain2 / 2);
}

TEST_F(PeqPage, CaptionsInBothLanguages) {
    page->SetLabels(2);
    EXPECT_EQ(page->BypassButton()->text(), "直通");
    EXPECT_EQ(page->FilterButton(PeqFilter::kLowPass)->text(), "低通");
    page->SetLabels(7);
    EXPECT_EQ(page->ResetButton()->text(), "复位");
    page->SetLabels(1);
    EXPECT_EQ(page->PolarityButton()->text(), "POLAR");
    EXPECT_EQ(page->SlopeSelector(PeqFilter::kHighPass)->itemText(6), "-48dB/Oct");
}

}  // namespace
