#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "console/about_dlg.h"
#include "host/app_context.h"
#include "console/console_canvas.h"
#include "console/mixer_dlg.h"
#include "console/navigation_bar.h"
#include "console/strip_dlg_base.h"
#include "groups/group_panel_dlg.h"
#include "console/fake_link.h"
#include "console/input_strip_dlg.h"
#include "skin/image_button.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"
#include "system/system_dlg.h"

using namespace mixer;
using mixer::testing::FakeLink;

namespace {

class ConsoleWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        context.profileFile = dir.filePath("mixer-editor.ini");
        context.dataDir = dir.path();
    }

    // The window shown at a client size, with the size change handled.
    std::unique_ptr<CMixerDlg> Open(int width = 1680, int height = 1050) {
        auto window = std::make_unique<CMixerDlg>(context, link);
        window->resize(width, height);
        window->show();
        QCoreApplication::processEvents();
        return window;
    }

    void Resize(CMixerDlg& window, int width, int height) {
        window.resize(width, height);
        QCoreApplication::processEvents();
    }

    static QRect At(int x, int w, const LayoutMetrics& m) { return QRect(x, m.stripTop, w, m.stripHeight); }

    QTemporaryDir dir;
    AppContext context;
    FakeLink link;
};

TEST_F(ConsoleWindow, OpensInChineseWithTheFirstPageAndMainOutput) {
    auto window = Open();
    NavigationBar& nav = window->Navigation();
    EXPECT_EQ(window->windowTitle(), "VantorDIGITAL MIXER 1.1");
    EXPECT_EQ(nav.pageLabels[0]->DisplayText(), "通道1-8");
    EXPECT_EQ(nav.pageLabels[1]->DisplayText(), "通道9-16");
    EXPECT_EQ(nav.pageLabels[2]->DisplayText(), "效果");
    EXPECT_EQ(nav.pageLabels[3]->DisplayText(), "辅组输出");
    // The value display has shown channel 0's mute since start-up.
    EXPECT_EQ(nav.channelName->DisplayText(), "通道 1");
    EXPECT_EQ(nav.parameterName->DisplayText(), "静音");
    EXPECT_EQ(nav.connectionLabel->DisplayText(), "离线");
    EXPECT_EQ(nav.homeLabel->DisplayText(), "主页");
    EXPECT_EQ(nav.muteGroupLabel->DisplayText(), "静音分组");
    EXPECT_EQ(nav.controlGroupLabel->DisplayText(), "控制分组");
    EXPECT_EQ(nav.muteGroupButtons[3]->text(), "4");
    EXPECT_EQ(nav.controlGroupButtons[2]->geometry(), QRect(1170, 35, 30, 30));

    const LayoutMetrics& m = window->Metrics();
    EXPECT_EQ(m.stripWidth, window->ClientSize().width() * 2 / 21);
    ConsolePages& pages = window->Pages();
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(pages.inputs[i]->isVisible()) << i;
        EXPECT_EQ(pages.inputs[i]->geometry(), At((m.stripWidth + 2) * i, m.stripWidth, m)) << i;
    }
    EXPECT_FALSE(pages.inputs[8]->isVisible());
    EXPECT_EQ(pages.outputs[0]->geometry(), At(8 * m.stripWidth + 16, m.stripWidth, m));
    EXPECT_TRUE(pages.sidePanel->isVisible());
    EXPECT_TRUE(nav.pageButtons[0]->GetDown());
    EXPECT_FALSE(nav.pageButtons[1]->GetDown());
    // Channel names are written in the label language before the strips show them.
    EXPECT_EQ(static_cast<StripDlgBase*>(pages.inputs[2])->NameText(), "通道 3");
    EXPECT_EQ(static_cast<StripDlgBase*>(pages.outputs[0])->NameText(), "主音量");
}

TEST_F(ConsoleWindow, KeysDoNotStartInAValueBox) {
    auto window = Open();
    QWidget* focus = window->focusWidget();
    EXPECT_NE(focus, static_cast<QWidget*>(window->Navigation().valueBox1));
    EXPECT_NE(focus, static_cast<QWidget*>(window->Navigation().valueBox2));
    EXPECT_EQ(focus, static_cast<QWidget*>(window->Canvas()));
}

TEST_F(ConsoleWindow, EnglishLabelsWithLanguageOne) {
    context.language = 1;
    auto window = Open();
    NavigationBar& nav = window->Navigation();
    EXPECT_EQ(nav.pageLabels[0]->DisplayText(), "CH1-8");
    EXPECT_EQ(nav.pageLabels[3]->DisplayText(), "AUX");
    EXPECT_EQ(nav.channelName->DisplayText(), "CH 1");
    EXPECT_EQ(nav.parameterName->DisplayText(), "MUTE");
    EXPECT_EQ(nav.connectionLabel->DisplayText(), "OFFLINE");
    EXPECT_EQ(nav.homeLabel->DisplayText(), "HOME");
    EXPECT_EQ(nav.muteGroupLabel->DisplayText(), "MUTE GROUP");
    EXPECT_EQ(nav.controlGroupLabel->DisplayText(), "CONTROL GROUP");
    EXPECT_EQ(static_cast<StripDlgBase*>(window->Pages().inputs[16])->NameText(), "DELAY");

    // Another language value leaves the captions as they are.
    window->SetLanguage(7);
    EXPECT_EQ(nav.pageLabels[0]->DisplayText(), "CH1-8");
}

TEST_F(ConsoleWindow, NarrowWindowKeepsStripWidth150AndScrolls) {
    auto window = Open(1000, 600);
    const LayoutMetrics& m = window->Metrics();
    EXPECT_EQ(m.stripWidth, 150);
    EXPECT_EQ(m.outputStripWidth, 150);
    EXPECT_EQ(m.stripHeight, 700);
    EXPECT_EQ(window->Pages().inputs[7]->geometry(), At(7 * 152, 150, m));

    // The strips beyond the right edge are reached through the scroll bars.
    QScrollBar* h = window->HorizontalBar();
    ASSERT_TRUE(h->isVisible());
    EXPECT_TRUE(window->VerticalBar()->isVisible());
    const int client = window->ClientSize().width();
    EXPECT_EQ(h->maximum(), 1601 - client);
    h->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(h->value(), std::min(client, 1601 - client));
    EXPECT_EQ(window->Canvas()->x(), -h->value());
    h->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(window->Canvas()->x(), -(1601 - client));
    // A page button returns to the unscrolled view.
    window->OnPageButton(kPageCh9To16);
    EXPECT_EQ(window->Canvas()->pos(), QPoint(0, 0));

    // Wider again: the strips follow, the bars go.
    Resize(*window, 2100, 1300);
    EXPECT_EQ(m.stripWidth, window->ClientSize().width() * 2 / 21);
    EXPECT_EQ(m.stripHeight, window->ClientSize().height() - 110);
    EXPECT_EQ(window->Pages().inputs[9]->geometry(), At(m.stripWidth + 2, m.stripWidth, m));
    EXPECT_FALSE(h->isVisible());
}

TEST_F(ConsoleWindow, PageButtonsArrangeTheirStrips) {
    auto window = Open(1000, 800);
    ConsolePages& pages = window->Pages();
    NavigationBar& nav = window->Navigation();
    const LayoutMetrics& m = window->Metrics();

    QTest::mouseClick(nav.pageButtons[1], Qt::LeftButton);
    EXPECT_EQ(window->Page(), kPageCh9To16);
    for (int i = 0; i < 8; ++i) {
        EXPECT_FALSE(pages.inputs[i]->isVisible()) << i;
        EXPECT_TRUE(pages.inputs[8 + i]->isVisible()) << i;
        EXPECT_EQ(pages.inputs[8 + i]->geometry(), At(152 * i, 150, m)) << i;
    }
    EXPECT_EQ(pages.outputs[0]->geometry(), At(8 * 150 + 16, 150, m));
    EXPECT_TRUE(pages.outputs[0]->isVisible());
    EXPECT_FALSE(nav.pageButtons[0]->GetDown());
    EXPECT_TRUE(nav.pageButtons[1]->GetDown());
    EXPECT_FALSE(nav.pageButtons[2]->GetDown());
    EXPECT_FALSE(nav.pageButtons[3]->GetDown());

    QTest::mouseClick(nav.pageButtons[2], Qt::LeftButton);
    int shownInputs = 0;
    for (StripView* strip : pages.inputs) shownInputs += strip->isVisible();
    EXPECT_EQ(shownInputs, 2);
    EXPECT_TRUE(pages.inputs[16]->isVisible());
    EXPECT_TRUE(pages.inputs[17]->isVisible());

    QTest::mouseClick(nav.pageButtons[3], Qt::LeftButton);
    for (int out = 2; out < 8; ++out) EXPECT_TRUE(pages.outputs[out]->isVisible()) << out;
    EXPECT_FALSE(pages.outputs[1]->isVisible());
    EXPECT_TRUE(pages.outputs[0]->isVisible());
    for (StripView* strip : pages.inputs) EXPECT_FALSE(strip->isVisible());
}

TEST_F(ConsoleWindow, SelectedOutputTwoLeavesTheOutputPlaceEmpty) {
    auto window = Open(1000, 800);
    window->ShowPage(kPageCh1To8, 2, kModeStrips);
    for (StripView* strip : window->Pages().outputs) EXPECT_FALSE(strip->isVisible());
    window->ShowPage(kPageAux, 2, kModeStrips);
    EXPECT_FALSE(window->Pages().outputs[1]->isVisible());
    window->ShowPage(kPageCh1To8, 5, kModeStrips);
    EXPECT_EQ(window->Pages().outputs[4]->x(), 8 * 150 + 16);
    EXPECT_TRUE(window->Pages().outputs[4]->isVisible());
}

TEST_F(ConsoleWindow, PageButtonsDoNothingWhileAViewGroupIsShown) {
    auto window = Open(1000, 800);
    auto* panel = static_cast<CGroupPanelDlg*>(window->Pages().sidePanel);
    window->OnPageButton(kPageCh9To16);
    context.activeViewGroup = 2;
    window->ShowPage(kPageCh9To16, 1, kModeViewGroups);
    ASSERT_TRUE(window->Pages().viewGroups->isVisible());

    QTest::mouseClick(window->Navigation().pageButtons[0], Qt::LeftButton);
    window->OnPageButton(kPageAux);
    EXPECT_EQ(window->Page(), kPageCh9To16);
    EXPECT_EQ(window->Mode(), kModeViewGroups);
    EXPECT_TRUE(window->Pages().viewGroups->isVisible());
    EXPECT_FALSE(window->Pages().inputs[0]->isVisible());

    // HOME leaves the view group for the page's own strips, and returns the
    // panel to its main level.
    context.groups.view[1].members[12] = 1;
    panel->RefreshPanel(2);
    panel->SetSystemDown(true);
    QTest::mouseClick(window->Navigation().home, Qt::LeftButton);
    EXPECT_EQ(window->Mode(), kModeStrips);
    EXPECT_EQ(context.activeViewGroup, 0);
    EXPECT_FALSE(window->Pages().viewGroups->isVisible());
    EXPECT_TRUE(window->Pages().inputs[8]->isVisible());
    EXPECT_EQ(window->Pages().inputs[8]->x(), 0);
    EXPECT_EQ(panel->Level(), 1);
    EXPECT_FALSE(panel->SystemButton()->GetDown());
}

TEST_F(ConsoleWindow, OpensARequestedPageAsItsButtonWould) {
    auto window = Open(1000, 800);
    std::string error;
    window->OpenRequestedPage(*ParsePageRequest("peq:3", error));
    EXPECT_EQ(context.view, kViewInputDetail);
    EXPECT_TRUE(window->Pages().peq->isVisible());
    EXPECT_EQ(window->Pages().detailInput->Index(), 2);
    EXPECT_EQ(window->ValueDisplayChannel(), 2);

    window->OpenRequestedPage(*ParsePageRequest("limiter:3", error));
    EXPECT_EQ(context.view, kViewOutputDetail);
    EXPECT_FALSE(window->Pages().peq->isVisible());
    EXPECT_TRUE(window->Pages().limiter->isVisible());
    EXPECT_EQ(window->Pages().detailOutput->Index(), 2);

    window->OpenRequestedPage(*ParsePageRequest("mute-groups", error));
    EXPECT_EQ(context.view, kViewConsole);
    EXPECT_EQ(window->Mode(), kModeMuteGroups);
    EXPECT_TRUE(window->Pages().muteGroups->isVisible());
    EXPECT_FALSE(window->Pages().limiter->isVisible());

    window->OpenRequestedPage(*ParsePageRequest("system:help", error));
    auto* system = static_cast<CSystemDlg*>(window->Pages().system);
    EXPECT_EQ(window->Mode(), kModeSystem);
    EXPECT_TRUE(system->isVisible());
    EXPECT_EQ(system->CurrentTab(), kTabHelp);
}

TEST_F(ConsoleWindow, SystemPageLeavesForTheStripsOnOfflineAndOnConnect) {
    auto window = Open(1000, 800);
    auto* panel = static_cast<CGroupPanelDlg*>(window->Pages().sidePanel);
    auto* system = static_cast<CSystemDlg*>(window->Pages().system);
    QTest::mouseClick(panel->SystemButton(), Qt::LeftButton);
    EXPECT_EQ(window->Mode(), kModeSystem);
    EXPECT_TRUE(system->isVisible());
    QTest::mouseClick(system->OfflineButton(), Qt::LeftButton);
    EXPECT_EQ(window->Mode(), kModeStrips);
    EXPECT_FALSE(system->isVisible());
    EXPECT_FALSE(panel->SystemButton()->GetDown());
    EXPECT_EQ(link.connects, 0);

    QTest::mouseClick(panel->SystemButton(), Qt::LeftButton);
    QTest::mouseClick(system->ConnectButton(), Qt::LeftButton);
    EXPECT_EQ(link.connects, 1);
    EXPECT_EQ(window->Mode(), kModeStrips);
    EXPECT_TRUE(window->Pages().inputs[0]->isVisible());
    EXPECT_FALSE(panel->SystemButton()->GetDown());
}

TEST_F(ConsoleWindow, ResetLetsGoOfTheGroupsAndReturnsToTheStrips) {
    auto window = Open(1000, 800);
    context.groups.control[0].members = {};
    context.groups.control[0].members[1] = context.groups.control[0].members[2] = 1;
    context.groups.control[0].count = 2;
    context.groups.control[0].functions[kLinkVol] = 1;
    context.groups.mute[1].inputs[4] = 1;
    window->OnControlGroupButton(1);
    window->OnMuteGroupButton(2);
    auto* input = static_cast<CInputStripDlg*>(window->Pages().inputs[1]);
    ASSERT_TRUE(input->Links().linked);
    auto* panel = static_cast<CGroupPanelDlg*>(window->Pages().sidePanel);
    auto* system = static_cast<CSystemDlg*>(window->Pages().system);
    QTest::mouseClick(panel->SystemButton(), Qt::LeftButton);
    system->ShowTab(kTabHelp);

    QTest::mouseClick(system->ResetButton(), Qt::LeftButton);
    EXPECT_FALSE(input->Links().linked);
    EXPECT_FALSE(window->Navigation().controlGroupButtons[0]->GetDown());
    EXPECT_FALSE(window->Navigation().muteGroupButtons[1]->GetDown());
    EXPECT_EQ(context.activeMuteGroup, 0);
    EXPECT_EQ(context.groups, GroupTables{});
    EXPECT_EQ(window->Mode(), kModeStrips);
    EXPECT_FALSE(panel->SystemButton()->GetDown());
    EXPECT_TRUE(input->isVisible());
}

TEST_F(ConsoleWindow, ConnectionButtonOpensTheSystemPageOnlyWhileOffline) {
    auto window = Open(1000, 800);
    auto* panel = static_cast<CGroupPanelDlg*>(window->Pages().sidePanel);
    panel->SetPhantomDown(true);
    QTest::mouseClick(window->Navigation().connection, Qt::LeftButton);
    EXPECT_EQ(window->Mode(), kModeSystem);
    EXPECT_TRUE(window->Pages().system->isVisible());
    EXPECT_EQ(window->Pages().system->geometry(), At(0, 9 * 152, window->Metrics()));
    EXPECT_FALSE(window->Pages().inputs[0]->isVisible());
    EXPECT_TRUE(panel->SystemButton()->GetDown());
    EXPECT_FALSE(panel->PhantomButton()->GetDown());

    window->OnHome();
    link.GoOnline();
    QTest::mouseClick(window->Navigation().connection, Qt::LeftButton);
    EXPECT_EQ(window->Mode(), kModeStrips);
    EXPECT_FALSE(window->Pages().system->isVisible());
}

TEST_F(ConsoleWindow, IndicatorsFollowTheLink) {
    auto window = Open();
    NavigationBar& nav = window->Navigation();
    EXPECT_FALSE(nav.connection->GetDown());
    link.GoOnline();
    EXPECT_TRUE(nav.connection->GetDown());
    EXPECT_EQ(nav.connectionLabel->DisplayText(), "在线");
    EXPECT_FALSE(nav.home->GetDown());
    // Silent: the lamp goes out and the status reads offline; a meter report lights HOME.
    link.lit = false;
    link.online = false;
    link.home = true;
    emit link.indicatorsChanged();
    EXPECT_FALSE(nav.connection->GetDown());
    EXPECT_EQ(nav.connectionLabel->DisplayText(), "离线");
    EXPECT_TRUE(nav.home->GetDown());
}

TEST_F(ConsoleWindow, DetailViewsPlaceTheDetailStripsAndModulePage) {
    auto window = Open(1000, 800);
    ConsolePages& pages = window->Pages();
    const LayoutMetrics& m = window->Metrics();
    window->ShowInputDetail(5, kModulePeq);
    EXPECT_EQ(context.view, kViewInputDetail);
    for (StripView* strip : pages.inputs) EXPECT_FALSE(strip->isVisible());
    EXPECT_TRUE(pages.detailInput->isVisible());
    EXPECT_EQ(pages.detailInput->Index(), 5);
    EXPECT_EQ(pages.detailInput->geometry(), At(0, 150, m));
    EXPECT_EQ(static_cast<StripDlgBase*>(pages.detailInput)->NameText(), "通道 6");
    EXPECT_EQ(pages.detailOutput->Index(), 0);
    EXPECT_EQ(pages.detailOutput->geometry(), At(8 * 150 + 16, 150, m));
    EXPECT_TRUE(pages.peq->isVisible());
    EXPECT_EQ(pages.peq->Channel(), 5);
    EXPECT_EQ(pages.peq->geometry(), At(152, 7 * 150, m));
    EXPECT_TRUE(pages.sidePanel->isVisible());

    // Another module replaces the first.
    window->ShowInputDetail(5, kModuleSends);
    EXPECT_FALSE(pages.peq->isVisible());
    EXPECT_TRUE(pages.sends->isVisible());

    // A size change arranges the detail view again at the new size.
    Resize(*window, 2100, 1300);
    EXPECT_EQ(context.view, kViewInputDetail);
    EXPECT_TRUE(pages.sends->isVisible());
    EXPECT_FALSE(pages.inputs[0]->isVisible());
    EXPECT_EQ(pages.sends->geometry(), At(m.stripWidth + 2, 7 * m.stripWidth, m));
    EXPECT_EQ(pages.sidePanel->x(), 9 * (m.stripWidth + 2));

    window->ShowOutputDetail(3, kModuleGeq);
    EXPECT_EQ(context.view, kViewOutputDetail);
    EXPECT_FALSE(pages.detailInput->isVisible());
    EXPECT_FALSE(pages.sends->isVisible());
    EXPECT_EQ(pages.detailOutput->Index(), 3);
    EXPECT_EQ(pages.geq->geometry(), At(0, 8 * m.stripWidth, m));

    window->OnHome();
    EXPECT_EQ(context.view, kViewConsole);
    EXPECT_FALSE(pages.detailOutput->isVisible());
    EXPECT_FALSE(pages.geq->isVisible());
    EXPECT_TRUE(pages.inputs[0]->isVisible());
}

TEST_F(ConsoleWindow, ClosingWaitsForTheReceiver) {
    auto window = Open();
    QSignalSpy ended(window.get(), &CMixerDlg::ended);
    link.receiving = true;
    EXPECT_TRUE(window->IsTimerActive(CMixerDlg::kTickTimer));
    EXPECT_FALSE(window->IsTimerActive(CMixerDlg::kCloseTimer));

    EXPECT_FALSE(window->close());
    EXPECT_EQ(link.shutdowns, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->IsClosing());
    EXPECT_TRUE(window->IsTimerActive(CMixerDlg::kCloseTimer));
    EXPECT_FALSE(window->IsTimerActive(CMixerDlg::kTickTimer));

    // A second close request does not send the going-offline command again.
    EXPECT_FALSE(window->close());
    EXPECT_EQ(link.shutdowns, 1);

    window->OnTimer(CMixerDlg::kCloseTimer);
    window->OnTimer(CMixerDlg::kTickTimer);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(link.ticks, 0);
    EXPECT_EQ(ended.count(), 0);

    link.receiving = false;
    QTRY_COMPARE(ended.count(), 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->HasEnded());
    EXPECT_FALSE(window->IsTimerActive(CMixerDlg::kCloseTimer));
}

TEST_F(ConsoleWindow, TimerOneTicksTheLink) {
    auto window = Open();
    window->OnTimer(CMixerDlg::kTickTimer);
    EXPECT_EQ(link.ticks, 1);
    QTRY_VERIFY(link.ticks >= 3);
}

TEST_F(ConsoleWindow, SetLanguageLabelsEveryPageInOrder) {
    std::vector<QString> order;
    struct Recorder : PageView {
        Recorder(const QString& name, std::vector<QString>& log, QWidget* parent) : PageView(parent), log_(log) {
            setObjectName(name);
        }
        void SetLabels(int) override { log_.push_back(objectName()); }
        std::vector<QString>& log_;
    };
    // Wraps the pages of the build so each one's labels are logged.
    const PageFactory recording = [&](ConsolePages& pages, QWidget* parent, AppContext& ctx, StripHost& host) {
        CreateConsolePages(pages, parent, ctx, host);
        pages.system = new Recorder("system", order, parent);
        pages.phantom = new Recorder("phantom", order, parent);
        pages.muteGroups = new Recorder("mute", order, parent);
        pages.viewGroups = new Recorder("view", order, parent);
        pages.controlGroups = new Recorder("control", order, parent);
    };
    CMixerDlg window(context, link, recording);
    const std::vector<QString> expected = {"phantom", "mute", "view", "control", "system"};
    EXPECT_EQ(order, expected);

    const auto all = window.Pages().InLabelOrder();
    ASSERT_EQ(all.size(), 1u + 4u + 18u + 8u + 2u + 7u);
    EXPECT_EQ(all[0], window.Pages().sidePanel);
    EXPECT_EQ(all[5], window.Pages().inputs[0]);
    EXPECT_EQ(all[23], window.Pages().outputs[0]);
    EXPECT_EQ(all[31], window.Pages().detailInput);
    const std::vector<PageView*> tail(all.end() - 7, all.end());
    const ConsolePages& p = window.Pages();
    const std::vector<PageView*> expectedTail = {p.gateComp, p.peq, p.effect, p.sends, p.geq, p.limiter, p.system};
    EXPECT_EQ(tail, expectedTail);
}

TEST_F(ConsoleWindow, PageOverviewsShowFadersAndMutes) {
    auto window = Open();
    context.model.Mirror().strips[8].level = 70;
    context.model.Mirror().strips[9].mute = 1;
    context.model.Mirror().buses[7].level = 60;
    window->RefreshPageOverviews();
    NavigationBar& nav = window->Navigation();
    EXPECT_EQ(nav.pageButtons[1]->OverviewLevel(0), 186);
    EXPECT_TRUE(nav.pageButtons[1]->OverviewMute(1));
    EXPECT_EQ(nav.pageButtons[0]->OverviewLevel(0), 0);
    EXPECT_EQ(nav.pageButtons[2]->OverviewBarCount(), 2);
    EXPECT_EQ(nav.pageButtons[3]->OverviewBarCount(), 6);
    EXPECT_EQ(nav.pageButtons[3]->OverviewLevel(5), 81);
}

TEST_F(ConsoleWindow, AFullStateReplyRefreshesStripsAndOverviews) {
    auto window = Open();
    context.model.Change(
        [](MixerState& s) {
            SetName(s.strips[0].name, "Kick");
            SetName(s.strips[9].name, "Snare");
            s.strips[1].level = 70;
        },
        Origin::Device);
    ConsolePages& pages = window->Pages();
    EXPECT_EQ(static_cast<StripDlgBase*>(pages.inputs[0])->NameText(), "Kick");
    EXPECT_EQ(window->Navigation().pageButtons[0]->OverviewLevel(1), 186);
    // Hidden strips too.
    EXPECT_FALSE(pages.inputs[9]->isVisible());
    EXPECT_EQ(static_cast<StripDlgBase*>(pages.inputs[9])->NameText(), "Snare");
}

TEST_F(ConsoleWindow, ProfileAddressRule) {
    {
        CMixerDlg window(context, link);
        EXPECT_EQ(context.deviceAddress, QString::fromLatin1(kDefaultDeviceAddress));  // no profile: the default stays
    }
    {
        QSettings profile(context.profileFile, QSettings::IniFormat);
        profile.setValue("U_FONT_SECTION/hostip", "127.0.0.7");
    }
    {
        CMixerDlg window(context, link);
        EXPECT_EQ(context.deviceAddress, "127.0.0.7");
    }
    {
        QSettings profile(context.profileFile, QSettings::IniFormat);
        profile.setValue("U_FONT_SECTION/hostip", "");
    }
    CMixerDlg window(context, link);
    EXPECT_EQ(context.deviceAddress, QString::fromLatin1(kDefaultDeviceAddress));
}

TEST_F(ConsoleWindow, AboutBoxFromTheContextMenu) {
    auto window = Open();
    EXPECT_EQ(window->AboutAction()->text(), "ABOUT VantorDIGITAL MIXER1.1(&A)...");
    window->AboutAction()->trigger();
    auto* about = window->findChild<CAboutDlg*>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->isModal());
    EXPECT_EQ(about->ProductLine()->text(), "VantorDIGITAL MIXER1.1");
    EXPECT_EQ(about->OkButton()->text(), "确定");
    // The title bar has room for the whole title.
    EXPECT_GT(about->minimumWidth(), about->fontMetrics().horizontalAdvance(about->windowTitle()) + 100);
    QPointer<CAboutDlg> watched(about);
    QTest::mouseClick(about->OkButton(), Qt::LeftButton);
    QTRY_VERIFY(watched.isNull());

    CAboutDlg english(1);
    EXPECT_EQ(english.OkButton()->text(), "OK");
}

// A 2560-pixel screen holds more than the usual 2000-pixel content: the
// content grows, so the output strip and the side panel are not cut off.
TEST_F(ConsoleWindow, TheContentCoversAWideWindow) {
    auto window = Open();
    window->resize(2560, 1440);
    EXPECT_GE(window->Canvas()->width(), window->ClientSize().width());
    EXPECT_GE(window->Canvas()->height(), window->ClientSize().height());
    for (QWidget* child : window->Canvas()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isVisible()) continue;
        EXPECT_LE(child->geometry().right(), window->Canvas()->width()) << child->metaObject()->className();
    }
}

TEST(ConsoleCanvas, WithoutItsBackgroundDrawsThePlainColour) {
    QWidget parent;
    ConsoleCanvas canvas(&parent, 99999);
    EXPECT_FALSE(canvas.HasBackground());
    EXPECT_EQ(canvas.size(), QSize(2000, 1600));
    const QImage picture = canvas.grab(QRect(0, 0, 40, 40)).toImage();
    EXPECT_EQ(picture.pixelColor(20, 20), canvas.palette().window().color());
}

}  // namespace
