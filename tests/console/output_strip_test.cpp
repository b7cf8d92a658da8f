#include "console/output_strip_dlg.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>

#include "host/app_context.h"
#include "console/fake_strip_host.h"
#include "console/page_overview.h"
#include "link/meter_report.h"
#include "pages/curves/eq_graph.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"
#include "skin/skin_label.h"
#include "skin/widget_probe.h"

using namespace mixer;
using mixer::testing::FakeStripHost;
using mixer::testing::ReadCommand;
using mixer::testing::ReadCommands;
using mixer::testing::SentCommand;
using skin_test::Mouse;

namespace {

constexpr int kStripWidth = 150;
constexpr int kStripHeight = 700;

class OutputStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        context.model.SetSink(&host);
        InitialiseState(context);
        window.resize(2 * kStripWidth, kStripHeight);
        window.show();
    }

    COutputStripDlg* Make(int index) {
        auto* strip = new COutputStripDlg(context, host, index, &window);
        strip->setGeometry(0, 0, kStripWidth, kStripHeight);
        strip->show();
        return strip;
    }

    AppContext context;
    FakeStripHost host;
    QWidget window;
};

void DragToTop(CBitmapSlider& fader) {
    const QPoint grip = fader.ThumbRect().center();
    Mouse(fader, QEvent::MouseButtonPress, grip);
    Mouse(fader, QEvent::MouseMove, QPoint(grip.x(), 0));
    Mouse(fader, QEvent::MouseButtonRelease, QPoint(grip.x(), 0));
}

}  // namespace

TEST_F(OutputStripTest, MainHasBalanceAndAuxHasSoloAndSendPoint) {
    COutputStripDlg* strip = Make(0);
    const auto mainLook = [&] {
        EXPECT_TRUE(strip->BalanceSlider()->isVisible());
        EXPECT_TRUE(strip->LeftLabel()->isVisible());
        EXPECT_EQ(strip->LeftLabel()->DisplayText(), QStringLiteral("L"));
        EXPECT_EQ(strip->RightLabel()->DisplayText(), QStringLiteral("R"));
        EXPECT_FALSE(strip->SoloButton()->isVisible());
        EXPECT_FALSE(strip->SendPointSelector()->isVisible());
        EXPECT_TRUE(strip->RightMeter()->isVisible());
    };
    mainLook();
    for (int index = 2; index < kBusCount; ++index) {
        SCOPED_TRACE(index);
        strip->SetIndex(index);
        EXPECT_FALSE(strip->BalanceSlider()->isVisible());
        EXPECT_FALSE(strip->RightLabel()->isVisible());
        EXPECT_TRUE(strip->SoloButton()->isVisible());
        EXPECT_TRUE(strip->SendPointSelector()->isVisible());
        EXPECT_FALSE(strip->RightMeter()->isVisible());  // an AUX bus has one meter
        EXPECT_TRUE(strip->LimiterButton()->isVisible());
    }
    strip->SetIndex(0);
    mainLook();
}

TEST_F(OutputStripTest, MainIsSentTwiceAndKeepsItsSecondRecordEqual) {
    COutputStripDlg* strip = Make(0);
    DragToTop(*strip->Fader());
    EXPECT_EQ(context.model.Mirror().buses[0].level, 70);
    EXPECT_EQ(context.model.Mirror().buses[1].level, 70);
    ASSERT_GE(host.sent.size(), 2u);
    const std::vector<std::string> last(host.sent.end() - 2, host.sent.end());
    EXPECT_EQ(ReadCommands(last), (std::vector<SentCommand>{{'A', 17, {0, 70}}, {'A', 18, {0, 70}}}));
    EXPECT_EQ(host.shown.back(), std::make_pair(18, 3));

    host.sent.clear();
    QTest::mouseClick(strip->MuteButton(), Qt::LeftButton);
    EXPECT_EQ(context.model.Mirror().buses[1].mute, 1);
    EXPECT_TRUE(strip->MuteButton()->GetDown());
    EXPECT_EQ(ReadCommands(host.sent), (std::vector<SentCommand>{{'A', 17, {1, 70}}, {'A', 18, {1, 70}}}));
    EXPECT_EQ(host.shown.back(), std::make_pair(18, 1));

    // MAIN has no solo, even when asked directly.
    host.sent.clear();
    strip->OnSolo();
    EXPECT_EQ(context.model.Mirror().buses[0].solo, 0);
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(OutputStripTest, AuxEditsUseTheAuxCodes) {
    COutputStripDlg* aux3 = Make(4);
    QTest::mouseClick(aux3->SoloButton(), Qt::LeftButton);
    EXPECT_EQ(context.model.Mirror().buses[4].solo, 1);
    EXPECT_TRUE(aux3->SoloButton()->GetDown());
    EXPECT_EQ(ReadCommand(host.sent.back()), (SentCommand{'K', 3, {1}}));
    EXPECT_EQ(host.shown.back(), std::make_pair(22, 2));

    host.sent.clear();
    DragToTop(*aux3->Fader());
    EXPECT_EQ(ReadCommand(host.sent.back()), (SentCommand{'A', 21, {0, 70}}));
    EXPECT_EQ(PageOverview(context.model.Mirror(), kPageAux)[2].bar, 186);

    // Balance belongs to MAIN alone.
    host.sent.clear();
    aux3->OnBalanceMoved(20);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(context.model.Mirror().buses[4].balance, 0);
}

TEST_F(OutputStripTest, BalanceDoubleClickCentresItAndSendsIt) {
    COutputStripDlg* main = Make(0);
    main->OnBalanceMoved(30);
    EXPECT_EQ(ReadCommand(host.sent.back()), (SentCommand{'L', 19, {30}}));
    host.sent.clear();
    QTest::mouseDClick(main->BalanceSlider(), Qt::LeftButton, Qt::NoModifier, QPoint(110, 10));
    EXPECT_EQ(main->BalanceSlider()->GetPos(), 100);
    EXPECT_EQ(context.model.Mirror().buses[0].balance, 100);
    EXPECT_EQ(ReadCommand(host.sent.back()), (SentCommand{'L', 19, {100}}));
    EXPECT_EQ(host.shown.back(), std::make_pair(18, 4));
}

TEST_F(OutputStripTest, SendPointIsSentAndLanguageRefillsTheSelectorKeepingIt) {
    COutputStripDlg* aux1 = Make(2);
    QComboBox* selector = aux1->SendPointSelector();
    ASSERT_EQ(selector->count(), 3);
    EXPECT_EQ(selector->itemText(0), QStringLiteral("PRE FADER"));
    EXPECT_EQ(selector->itemText(2), QStringLiteral("PRE DSP"));

    selector->setFocus();
    QTest::keyClick(selector, Qt::Key_Down);
    EXPECT_EQ(context.model.Mirror().buses[2].busMode, 2);
    EXPECT_EQ(ReadCommand(host.sent.back()), (SentCommand{'P', 3, {2}}));

    context.model.Mirror().buses[2].busMode = 3;
    aux1->RefreshFromState();
    EXPECT_EQ(selector->currentIndex(), 2);
    aux1->SetLabels(2);
    EXPECT_EQ(selector->itemText(0), QStringLiteral("推子前"));
    EXPECT_EQ(selector->itemText(1), QStringLiteral("推子后"));
    EXPECT_EQ(selector->itemText(2), QStringLiteral("DSP前"));
    EXPECT_EQ(selector->currentIndex(), 2);
    EXPECT_EQ(context.model.Mirror().buses[2].busMode, 3);

    EXPECT_EQ(aux1->MuteButton()->text(), QStringLiteral("静音"));
    EXPECT_EQ(aux1->SoloButton()->text(), QStringLiteral("监听"));
    aux1->SetLabels(9);
    EXPECT_EQ(selector->currentIndex(), 2);
    EXPECT_EQ(aux1->SoloButton()->text(), QStringLiteral("监听"));
}

TEST_F(OutputStripTest, LimiterAndThumbnailOpenTheOutputDetail) {
    COutputStripDlg* aux6 = Make(7);
    QTest::mouseClick(aux6->LimiterButton(), Qt::LeftButton);
    // A press on a band of the thumbnail opens the page instead of moving the band.
    const QPoint band = aux6->Thumbnail()->PointPixel(15);
    QTest::mouseClick(aux6->Thumbnail(), Qt::LeftButton, Qt::NoModifier, band);
    using O = FakeStripHost::Opened;
    EXPECT_EQ(host.opened, (std::vector<O>{{true, 7, 1}, {true, 7, 2}}));
}

TEST_F(OutputStripTest, RefreshShowsTheBusAndItsMeters) {
    COutputStripDlg* main = Make(0);
    BusRecord& m = context.model.Mirror().buses[0];
    const QImage flat = main->Thumbnail()->grab().toImage();
    m.level = 50;
    m.balance = 160;
    m.mute = 1;
    m.geqBands[10].gain2 = 270;
    main->RefreshFromState();
    EXPECT_EQ(main->Fader()->GetPos(), FaderPositionFromLevel(50));
    EXPECT_EQ(main->BalanceSlider()->GetPos(), 160);
    EXPECT_TRUE(main->MuteButton()->GetDown());
    EXPECT_NE(main->Thumbnail()->grab().toImage(), flat);
    EXPECT_EQ(main->NameText(), QStringLiteral("主音量"));

    m.meter = 255;
    context.model.Mirror().buses[1].meter = 100;
    m.meter2 = 30;
    main->UpdateMeters();
    EXPECT_DOUBLE_EQ(main->LeftMeter()->Value(0), MeterBarHeight(255));
    EXPECT_DOUBLE_EQ(main->RightMeter()->Value(0), MeterBarHeight(100));

    main->SetIndex(5);
    context.model.Mirror().buses[5].meter = 180;
    main->UpdateMeters();
    EXPECT_DOUBLE_EQ(main->LeftMeter()->Value(0), MeterBarHeight(180));
}

TEST_F(OutputStripTest, OfflineEditsChangeOnlyTheState) {
    host.connected = false;
    COutputStripDlg* aux2 = Make(3);
    aux2->OnFaderMoved(0);
    aux2->OnMute();
    aux2->OnSolo();
    aux2->OnSendPoint(2);
    EXPECT_TRUE(host.sent.empty());
    const BusRecord& b = context.model.Mirror().buses[3];
    EXPECT_EQ(b.level, 70);
    EXPECT_EQ(b.mute, 1);
    EXPECT_EQ(b.solo, 1);
    EXPECT_EQ(b.busMode, 3);
}
