#include "console/input_strip_dlg.h"

#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QTest>

#include <cstring>

#include "host/app_context.h"
#include "console/fake_strip_host.h"
#include "host/gbk_text.h"
#include "console/page_overview.h"
#include "link/meter_report.h"
#include "link/reset_defaults.h"
#include "pages/curves/eq_graph.h"
#include "presets/name_dialog.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"
#include "skin/menu_ex.h"
#include "skin/text_field.h"
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

// Takes the slider's thumb and lets it go at `to`.
void Drag(CBitmapSlider& slider, QPoint to) {
    const QPoint grip = slider.ThumbRect().center();
    Mouse(slider, QEvent::MouseButtonPress, grip);
    Mouse(slider, QEvent::MouseMove, to);
    Mouse(slider, QEvent::MouseButtonRelease, to);
}

std::vector<int> Codes(const std::vector<std::string>& sent) {
    std::vector<int> codes;
    for (const SentCommand& c : ReadCommands(sent)) codes.push_back(c.code);
    return codes;
}

class InputStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        context.model.SetSink(&host);
        InitialiseState(context);
        window.resize(4 * kStripWidth, kStripHeight);
        window.show();
    }

    CInputStripDlg* Make(int index) {
        auto* strip = new CInputStripDlg(context, host, index, false, &window);
        host.inputs[index] = strip;
        strip->setGeometry(0, 0, kStripWidth, kStripHeight);
        strip->show();
        return strip;
    }

    static StripLinks Pair(int a, int b, std::initializer_list<LinkFunction> on) {
        StripLinks links;
        links.linked = true;
        links.count = 2;
        links.channels[0] = a;
        links.channels[1] = b;
        for (LinkFunction f : on) links.functions[f] = 1;
        return links;
    }

    AppContext context;
    FakeStripHost host;
    QWidget window;
};

}  // namespace

TEST_F(InputStripTest, FaderTopSendsSeventyAndBottomSendsZero) {
    CInputStripDlg* strip = Make(2);
    CBitmapSlider& fader = *strip->Fader();
    EXPECT_EQ(fader.GetPos(), kFaderPositionMax);  // level 0 as the state starts

    Drag(fader, QPoint(13, 0));
    EXPECT_EQ(context.model.Mirror().strips[2].level, 70);
    ASSERT_FALSE(host.sent.empty());
    EXPECT_EQ(ReadCommand(host.sent.back()), (SentCommand{'A', 3, {0, 70}}));
    EXPECT_EQ(host.shown.back(), std::make_pair(2, 3));
    EXPECT_EQ(PageOverview(context.model.Mirror(), kPageCh1To8)[2].bar, 186);

    host.sent.clear();
    Drag(fader, QPoint(13, fader.height() - 1));
    EXPECT_EQ(context.model.Mirror().strips[2].level, 0);
    EXPECT_EQ(ReadCommand(host.sent.back()), (SentCommand{'A', 3, {0, 0}}));
    EXPECT_EQ(PageOverview(context.model.Mirror(), kPageCh1To8)[2].bar, 0);  // a closed fader shows no bar
}

TEST_F(InputStripTest, MuteAndSoloUseEachChannelsCodes) {
    struct Case {
        int index;
        int muteCode;
        int soloCode;
        bool dynamics;
    };
    for (const Case c : {Case{0, 1, 7, true}, Case{15, 16, 22, true}, Case{16, 27, 23, false}, Case{17, 29, 24, false}}) {
        SCOPED_TRACE(c.index);
        CInputStripDlg* strip = Make(c.index);
        EXPECT_EQ(strip->DynamicsButton()->isVisible(), c.dynamics);
        host.sent.clear();
        host.shown.clear();

        QTest::mouseClick(strip->MuteButton(), Qt::LeftButton);
        QTest::mouseClick(strip->SoloButton(), Qt::LeftButton);
        EXPECT_EQ(context.model.Mirror().strips[c.index].mute, 1);
        EXPECT_EQ(context.model.Mirror().strips[c.index].solo, 1);
        EXPECT_TRUE(strip->MuteButton()->GetDown());
        EXPECT_TRUE(strip->SoloButton()->GetDown());
        EXPECT_EQ(ReadCommands(host.sent), (std::vector<SentCommand>{{'A', c.muteCode, {1, 0}}, {'K', c.soloCode, {1}}}));
        EXPECT_EQ(host.shown, (std::vector<std::pair<int, int>>{{c.index, 1}, {c.index, 2}}));

        QTest::mouseClick(strip->MuteButton(), Qt::LeftButton);
        EXPECT_EQ(context.model.Mirror().strips[c.index].mute, 0);
        EXPECT_FALSE(strip->MuteButton()->GetDown());
        EXPECT_EQ(ReadCommand(host.sent.back()), (SentCommand{'A', c.muteCode, {0, 0}}));
    }
}

TEST_F(InputStripTest, PanDragsAndADoubleClickReturnsToTheCentre) {
    context.model.Mirror().strips[16].pan = 100;
    CInputStripDlg* strip = Make(16);
    CBitmapSlider& pan = *strip->PanSlider();
    Drag(pan, QPoint(0, 10));
    EXPECT_EQ(context.model.Mirror().strips[16].pan, 0);
    ASSERT_FALSE(host.sent.empty());
    EXPECT_EQ(ReadCommand(host.sent.back()), (SentCommand{'L', 17, {0}}));
    EXPECT_EQ(host.shown.back(), std::make_pair(16, 4));

    host.sent.clear();
    QTest::mouseDClick(&pan, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    EXPECT_EQ(pan.GetPos(), 100);
    EXPECT_EQ(context.model.Mirror().strips[16].pan, 100);
    ASSERT_FALSE(host.sent.empty());
    EXPECT_EQ(ReadCommand(host.sent.back()), (SentCommand{'L', 17, {100}}));

    // A double click on the fader changes nothing.
    host.sent.clear();
    QTest::mouseDClick(strip->Fader(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 5));
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(InputStripTest, DetailButtonsAndTheThumbnailOpenTheModules) {
    CInputStripDlg* strip = Make(4);
    QTest::mouseClick(strip->DynamicsButton(), Qt::LeftButton);
    QTest::mouseClick(strip->Thumbnail(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 30));
    QTest::mouseClick(strip->EffectButton(), Qt::LeftButton);
    QTest::mouseClick(strip->MatrixButton(), Qt::LeftButton);
    using O = FakeStripHost::Opened;
    EXPECT_EQ(host.opened, (std::vector<O>{{false, 4, 1}, {false, 4, 2}, {false, 4, 3}, {false, 4, 4}}));
}

TEST_F(InputStripTest, LinkedPairMovesTogetherOnlyWhileVolIsOn) {
    CInputStripDlg* ch1 = Make(0);
    CInputStripDlg* ch2 = Make(1);
    ch1->SetLinks(Pair(0, 1, {kLinkVol}));
    ch2->SetLinks(Pair(0, 1, {kLinkVol}));

    ch1->OnFaderMoved(0);
    EXPECT_EQ(Codes(host.sent), (std::vector<int>{1, 2}));  // not repeated back from CH 2
    EXPECT_EQ(context.model.Mirror().strips[1].level, 70);
    EXPECT_EQ(ch2->Fader()->GetPos(), 0);
    ch1->OnMute();
    EXPECT_EQ(context.model.Mirror().strips[1].mute, 1);
    EXPECT_TRUE(ch2->MuteButton()->GetDown());
    host.sent.clear();
    ch1->OnSolo();  // SOLO is not linked
    EXPECT_EQ(Codes(host.sent), (std::vector<int>{7}));
    EXPECT_EQ(context.model.Mirror().strips[1].solo, 0);

    ch1->SetLinks(Pair(0, 1, {kLinkSolo, kLinkPan}));
    host.sent.clear();
    ch1->OnFaderMoved(104);
    EXPECT_EQ(Codes(host.sent), (std::vector<int>{1}));
    EXPECT_EQ(context.model.Mirror().strips[0].level, LevelFromFaderPosition(104));
    EXPECT_EQ(context.model.Mirror().strips[1].level, 70);
    EXPECT_EQ(ch2->Fader()->GetPos(), 0);
    ch1->OnPanMoved(40);
    EXPECT_EQ(context.model.Mirror().strips[1].pan, 40);
    EXPECT_EQ(ch2->PanSlider()->GetPos(), 40);
}

TEST_F(InputStripTest, OfflineEditsChangeTheStateButSendNothing) {
    host.connected = false;
    CInputStripDlg* strip = Make(5);
    strip->SetLinks(Pair(5, 6, {kLinkVol, kLinkPan}));
    strip->OnFaderMoved(0);
    strip->OnPanMoved(10);
    strip->OnMute();
    strip->OnSolo();
    strip->OnPanDoubleClicked();
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(context.model.Mirror().strips[5].level, 70);
    EXPECT_EQ(context.model.Mirror().strips[6].level, 70);
    EXPECT_EQ(context.model.Mirror().strips[5].pan, 100);
    EXPECT_EQ(context.model.Mirror().strips[6].pan, 10);
    EXPECT_EQ(context.model.Mirror().strips[5].mute, 1);
    EXPECT_EQ(context.model.Mirror().strips[5].solo, 1);
    EXPECT_EQ(host.shown.size(), 5u);
}

TEST_F(InputStripTest, DetailStripTakesTheLinksOfTheStripItShows) {
    CInputStripDlg* ch3 = Make(2);
    Make(3);
    ch3->SetLinks(Pair(2, 3, {kLinkVol}));
    CInputStripDlg detail(context, host, 0, true, &window);
    detail.SetIndex(2);
    EXPECT_EQ(detail.Links(), ch3->Links());
    EXPECT_EQ(detail.NameText(), QStringLiteral("通道 3"));
    detail.OnFaderMoved(0);
    EXPECT_EQ(Codes(host.sent), (std::vector<int>{3, 4}));

    detail.SetIndex(7);  // a channel whose strip is in no group
    EXPECT_FALSE(detail.Links().linked);
}

TEST_F(InputStripTest, ChineseNameTypedInTheDialogIsCutToTheField) {
    CInputStripDlg* strip = Make(0);
    QTest::mouseClick(strip->NameButton(), Qt::LeftButton);
    CMenuEx* menu = strip->NameMenu();
    ASSERT_TRUE(menu->isVisible());
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("NAME"));
    menu->actions()[0]->trigger();
    menu->close();

    auto* dialog = strip->findChild<CNameDlg*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Field()->text(), QStringLiteral("通道 1"));
    // The window is Chinese, and so is the dialog.
    EXPECT_EQ(dialog->OkButton()->text(), QStringLiteral("确定"));
    dialog->Field()->clear();
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("左声道底鼓话筒一"));  // 16 bytes in GBK
    QApplication::sendEvent(dialog->Field(), &commit);
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);

    const QString kept = QStringLiteral("左声道底鼓话筒");
    EXPECT_EQ(strip->NameText(), kept);
    EXPECT_EQ(QByteArray(context.model.Mirror().strips[0].name), EncodeGbk(kept));
    EXPECT_EQ(std::strlen(context.model.Mirror().strips[0].name), 14u);
    EXPECT_TRUE(host.sent.empty());
}

// Names up to their 15 bytes, narrow and wide letters and Chinese: all of
// each stays inside the name button, at the width of the smallest strip.
TEST_F(InputStripTest, EveryNameFitsItsButton) {
    CInputStripDlg* strip = Make(0);
    CImageButton* button = strip->NameButton();
    for (const QString& name : {QStringLiteral("CH 1"), QStringLiteral("Kick Drum Inner"), QStringLiteral("WWWWWWWWWWWWWWW"),
                                QStringLiteral("Overhead L+R 12"), QStringLiteral("左声道底鼓话筒"), QStringLiteral("主唱A话筒1234")}) {
        SCOPED_TRACE(name.toStdString());
        strip->ApplyName(name);
        EXPECT_EQ(strip->NameText(), name);
        EXPECT_EQ(button->toolTip(), name);
        const CImageButton::CaptionLayout caption = button->LayOutCaption();
        EXPECT_TRUE(button->rect().contains(caption.bounds)) << caption.bounds.x() << "," << caption.bounds.width();
        EXPECT_GE(caption.font.pointSize(), 7);
    }
}

TEST_F(InputStripTest, CaptionsFollowTheLanguage) {
    CInputStripDlg* strip = Make(0);
    strip->SetLabels(2);
    EXPECT_EQ(strip->MuteButton()->text(), QStringLiteral("静音"));
    EXPECT_EQ(strip->EffectButton()->text(), QStringLiteral("效果"));
    EXPECT_EQ(strip->MatrixButton()->text(), QStringLiteral("发送"));
    EXPECT_EQ(strip->SoloButton()->text(), QStringLiteral("监听"));
    EXPECT_EQ(strip->DynamicsButton()->text(), QStringLiteral("噪声门/压缩器"));
    strip->SetLabels(0);
    EXPECT_EQ(strip->MuteButton()->text(), QStringLiteral("静音"));
    strip->SetLabels(1);
    EXPECT_EQ(strip->MuteButton()->text(), QStringLiteral("MUTE"));
    EXPECT_EQ(strip->MatrixButton()->text(), QStringLiteral("MATRIX"));
    EXPECT_EQ(strip->DynamicsButton()->text(), QStringLiteral("GATE/COMP"));
}

TEST_F(InputStripTest, RefreshShowsTheStateAndMetersFollowIt) {
    ResetDefaults(context.model.Mirror());
    CInputStripDlg* strip = Make(8);
    const QImage flat = strip->Thumbnail()->grab().toImage();
    StripRecord& r = context.model.Mirror().strips[8];
    r.level = 60;
    r.pan = 30;
    r.mute = 1;
    r.solo = 1;
    r.peqBands[1].gain2 = 270;  // +12 dB
    SetGbkName(r.name, QStringLiteral("Snare"));
    strip->RefreshFromState();
    EXPECT_EQ(strip->Fader()->GetPos(), FaderPositionFromLevel(60));
    EXPECT_EQ(strip->PanSlider()->GetPos(), 30);
    EXPECT_TRUE(strip->MuteButton()->GetDown());
    EXPECT_TRUE(strip->SoloButton()->GetDown());
    EXPECT_EQ(strip->NameText(), QStringLiteral("Snare"));
    EXPECT_NE(strip->Thumbnail()->grab().toImage(), flat);
    EXPECT_TRUE(host.sent.empty());

    r.meter = 200;
    strip->UpdateMeters();
    EXPECT_DOUBLE_EQ(strip->Meter()->Value(0), MeterBarHeight(200));

    // A hidden strip catches up when it is shown again.
    strip->HideStrip();
    r.level = 70;
    r.mute = 0;
    strip->ShowStrip();
    EXPECT_EQ(strip->Fader()->GetPos(), 0);
    EXPECT_FALSE(strip->MuteButton()->GetDown());
}

TEST_F(InputStripTest, ControlGroupBadgeColoursTheStrip) {
    CInputStripDlg* strip = Make(0);
    const QImage plain = strip->grab().toImage();
    strip->SetBadge(172);  // control group 1
    const QImage badge = strip->grab().toImage();
    const QColor top = badge.pixelColor(40, 2);
    EXPECT_NE(top, plain.pixelColor(40, 2));
    EXPECT_GT(top.red(), 150);
    EXPECT_LT(top.green(), 100);
}

TEST_F(InputStripTest, WidthChangesCentreTheControls) {
    CInputStripDlg* strip = Make(0);
    strip->resize(200, kStripHeight);
    QCoreApplication::processEvents();
    EXPECT_EQ(strip->Thumbnail()->geometry(), QRect(4, 5, 192, 60));
    EXPECT_EQ(strip->MuteButton()->geometry(), QRect(50, 470, 100, 24));
    const QRect pan = strip->PanSlider()->geometry();
    EXPECT_LE(std::abs(pan.left() - (200 - pan.right() - 1)), 1);
    // Fader and meter centred as a pair.
    const QRect fader = strip->Fader()->geometry();
    const QRect meter = strip->Meter()->geometry();
    EXPECT_LE(std::abs(fader.left() - (200 - meter.right() - 1)), 1);
    EXPECT_EQ(meter.left(), fader.right() + 2);
    EXPECT_EQ(meter.top(), fader.top() + 20);
    EXPECT_EQ(meter.height(), fader.height() - 40);
}

// At the reference height the strip keeps its layout; a taller strip gives
// its growth to the fader and the meter and moves what is under them down.
TEST_F(InputStripTest, ATallerStripGrowsTheFaderAndTheMeter) {
    CInputStripDlg* strip = Make(0);
    strip->resize(kStripWidth, kStripHeight);
    EXPECT_EQ(strip->Fader()->geometry(), QRect(strip->Fader()->x(), 190, strip->Fader()->width(), 280));
    EXPECT_EQ(strip->MuteButton()->y(), 470);
    EXPECT_EQ(strip->NameButton()->y(), 530);
    const int meterHeight = strip->Meter()->height();

    strip->resize(kStripWidth, kStripHeight + 200);
    EXPECT_EQ(strip->Fader()->y(), 190);
    EXPECT_EQ(strip->Fader()->height(), 480);
    EXPECT_EQ(strip->Meter()->height(), meterHeight + 200);
    EXPECT_EQ(strip->MuteButton()->y(), 670);
    EXPECT_EQ(strip->SoloButton()->y(), 700);
    EXPECT_EQ(strip->NameButton()->y(), 730);
}

// A silent channel, and every meter before the first report: nothing lit.
TEST_F(InputStripTest, ASilentMeterLightsNoPixel) {
    CInputStripDlg* strip = Make(0);
    context.model.Mirror().strips[0].meter = 0;
    strip->UpdateMeters();
    EXPECT_EQ(strip->Meter()->LitHeight(0), 0);
    context.model.Mirror().strips[0].meter = 1;
    strip->UpdateMeters();
    EXPECT_GT(strip->Meter()->LitHeight(0), 0);
}
