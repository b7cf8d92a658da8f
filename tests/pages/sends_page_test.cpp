#include "page_fixture.h"
#include "pages/sends/sends_dlg.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"

using namespace mixer;

namespace {

class SendsPage : public mixer::testing::PageFixture<CSendsDlg> {
protected:
    void LinkMatrix(int own, std::initializer_list<int> others) {
        Link(own, others);
        host.links[own].functions[kLinkEq] = 0;
        host.links[own].functions[kLinkMatrix] = 1;
    }
};

TEST_F(SendsPage, KnobStoresShowsSendsAndRepeatsOnMatrixLinkedChannels) {
    LinkMatrix(2, {5, 16});
    page->SetChannel(2);
    page->OnKnob(kSendRowDelay, 66, false);
    EXPECT_EQ(state.strips[2].fxSend[0], 66);
    EXPECT_EQ(page->LevelText(kSendRowDelay), QStringLiteral("6dB"));
    EXPECT_EQ(host.shown.back(), std::make_pair(2, 48));
    EXPECT_EQ(state.strips[5].fxSend[0], 66);
    // The delay return must not feed the delay.
    EXPECT_EQ(state.strips[16].fxSend[0], 0);
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].letter, 'J');
    EXPECT_EQ(sent[0].code, 3);
    EXPECT_EQ(sent[1].code, 6);
    EXPECT_EQ(sent[2].code, 17);

    host.sent.clear();
    page->OnKnob(1, 40, false);
    ASSERT_EQ(Sent().size(), 3u);
    EXPECT_EQ(Sent()[2].letter, 'I');
    EXPECT_EQ(state.strips[16].auxSend[0], 40);
}

TEST_F(SendsPage, EffectReturnsShowOnlyTheAuxRows) {
    page->SetChannel(17);
    for (int row = 1; row <= 6; ++row) EXPECT_TRUE(page->RowShown(row));
    EXPECT_FALSE(page->RowShown(kSendRowDelay));
    EXPECT_FALSE(page->RowShown(kSendRowReverb));
    EXPECT_FALSE(page->RowShown(0));
    page->SetChannel(0);
    EXPECT_TRUE(page->RowShown(kSendRowReverb));
}

TEST_F(SendsPage, MuteKeepsTheKnobAcrossChannelsAndUnmuteRestoresIt) {
    state.strips[4].auxSend[5] = 50;
    page->SetChannel(4);
    EXPECT_EQ(page->Knob(6)->GetPos(), 50);
    page->OnMute(6);
    EXPECT_EQ(state.strips[4].auxSend[5], 0);
    EXPECT_EQ(page->Knob(6)->GetPos(), 50);
    EXPECT_TRUE(page->MuteButton(6)->GetDown());
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].values[6], 0);

    page->OnKnob(6, 35, false);
    EXPECT_EQ(state.strips[4].auxSend[5], 0);
    EXPECT_EQ(Sent().size(), 1u);

    page->SetChannel(7);
    EXPECT_FALSE(page->MuteButton(6)->GetDown());
    page->SetChannel(4);
    EXPECT_TRUE(page->MuteButton(6)->GetDown());
    EXPECT_EQ(page->Knob(6)->GetPos(), 35);

    page->OnMute(6);
    EXPECT_EQ(state.strips[4].auxSend[5], 35);
    EXPECT_EQ(Sent().back().values[6], 35);
}

TEST_F(SendsPage, ADragSendsAtMostOncePerSpanAndTheLastPlaceWhenLetGo) {
    page->SetChannel(1);
    for (int i = 1; i <= 20; ++i) {
        Advance(10);
        page->OnKnob(2, i, true);
    }
    EXPECT_LE(Sent().size(), 3u);
    page->OnKnob(2, 21, false);
    EXPECT_EQ(Sent().back().values[2], 21);
}

}  // namespace
