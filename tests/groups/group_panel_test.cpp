// The side panel's levels and buttons in a console window over a fake link.

#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "host/app_context.h"
#include "console/fake_link.h"
#include "console/fake_strip_host.h"
#include "console/input_strip_dlg.h"
#include "console/mixer_dlg.h"
#include "console/navigation_bar.h"
#include "console/output_strip_dlg.h"
#include "groups/group_panel_dlg.h"
#include "skin/image_button.h"

using namespace mixer;
using mixer::testing::FakeLink;
using mixer::testing::ReadCommands;

namespace {

class GroupPanel : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<CMixerDlg>(context, link);
        // Smaller than the content, so that there is something to scroll.
        window->resize(1000, 700);
        window->show();
        QCoreApplication::processEvents();
        panel = static_cast<CGroupPanelDlg*>(window->Pages().sidePanel);
    }

    static void Click(QWidget* w) {
        ASSERT_TRUE(w->isVisible());
        QTest::mouseClick(w, Qt::LeftButton);
    }
    void Scroll() {
        window->HorizontalBar()->setValue(40);
        window->VerticalBar()->setValue(30);
    }
    bool ScrolledHome() const { return window->HorizontalBar()->value() == 0 && window->VerticalBar()->value() == 0; }
    bool Shows(PageView* page) const { return page->isVisible(); }

    AppContext context;
    FakeLink link;
    std::unique_ptr<CMixerDlg> window;
    CGroupPanelDlg* panel = nullptr;
};

TEST_F(GroupPanel, GroupOpensTheMutePageAndMuteAgainReturnsKeepingTheLevel) {
    Scroll();
    Click(panel->GroupButton());
    EXPECT_TRUE(ScrolledHome());
    EXPECT_EQ(panel->Level(), CGroupPanelDlg::kGroupLevel);
    EXPECT_EQ(window->Mode(), kModeMuteGroups);
    EXPECT_TRUE(Shows(window->Pages().muteGroups));
    EXPECT_TRUE(panel->MuteButton()->GetDown());
    EXPECT_FALSE(panel->SystemButton()->isVisible());

    Click(panel->ControlButton());
    EXPECT_EQ(window->Mode(), kModeControlGroups);
    EXPECT_FALSE(panel->MuteButton()->GetDown());
    Click(panel->ViewButton());
    EXPECT_EQ(window->Mode(), kModeViewGroups);
    EXPECT_TRUE(Shows(window->Pages().viewGroups));
    Click(panel->MuteButton());
    EXPECT_FALSE(panel->ViewButton()->GetDown());

    Scroll();
    Click(panel->MuteButton());
    EXPECT_TRUE(ScrolledHome());
    EXPECT_EQ(window->Mode(), kModeStrips);
    EXPECT_TRUE(Shows(window->Pages().inputs[0]));
    EXPECT_EQ(panel->Level(), CGroupPanelDlg::kGroupLevel);

    Click(panel->GroupReturnButton());
    EXPECT_EQ(panel->Level(), CGroupPanelDlg::kMainLevel);
    EXPECT_TRUE(panel->SystemButton()->isVisible());
}

TEST_F(GroupPanel, SystemAndPhantomOpenTheirPagesAndTwiceReturn) {
    Click(panel->SystemButton());
    EXPECT_EQ(window->Mode(), kModeSystem);
    EXPECT_TRUE(Shows(window->Pages().system));
    Click(panel->PhantomButton());
    EXPECT_EQ(window->Mode(), kModePhantom);
    EXPECT_FALSE(panel->SystemButton()->GetDown());
    EXPECT_TRUE(Shows(window->Pages().phantom));
    Click(panel->PhantomButton());
    EXPECT_EQ(window->Mode(), kModeStrips);
    Click(panel->SystemButton());
    Click(panel->SystemButton());
    EXPECT_EQ(window->Mode(), kModeStrips);
    EXPECT_FALSE(panel->SystemButton()->GetDown());
    EXPECT_TRUE(Shows(window->Pages().inputs[0]));
}

TEST_F(GroupPanel, ClearMuteOfflineClearsEverythingAndSendsNothing) {
    context.model.Mirror().strips[3].mute = context.model.Mirror().strips[kReverbReturn].mute = 1;
    context.model.Mirror().buses[0].mute = context.model.Mirror().buses[1].mute = context.model.Mirror().buses[5].mute = 1;
    window->RefreshStripsFromState();
    context.activeMuteGroup = 2;
    Scroll();
    Click(panel->ClearMuteButton());
    EXPECT_TRUE(ScrolledHome());
    for (const auto& s : context.model.Mirror().strips) EXPECT_EQ(s.mute, 0);
    for (const auto& b : context.model.Mirror().buses) EXPECT_EQ(b.mute, 0);
    EXPECT_FALSE(static_cast<CInputStripDlg*>(window->Pages().inputs[3])->MuteButton()->GetDown());
    EXPECT_TRUE(link.sent.empty());
    EXPECT_EQ(context.activeMuteGroup, 2);
}

TEST_F(GroupPanel, ClearSoloOnlineSendsTwentyFourSolos) {
    for (auto& s : context.model.Mirror().strips) s.solo = 1;
    for (auto& b : context.model.Mirror().buses) b.solo = 1;
    link.GoOnline();
    Click(panel->ClearSoloButton());
    const auto sent = ReadCommands(link.sent);
    ASSERT_EQ(sent.size(), 24u);
    for (const auto& c : sent) EXPECT_EQ(c.letter, 'K');
    EXPECT_FALSE(static_cast<COutputStripDlg*>(window->Pages().outputs[0])->SoloButton()->GetDown());
}

TEST_F(GroupPanel, AViewGroupShowsItsMembersBlocksThePagesAndSendsNothing) {
    context.groups.view[0].members[2] = context.groups.view[0].members[10] = 1;
    context.groups.view[0].members[kDelayReturn] = 1;
    context.groups.view[0].count = 3;
    link.GoOnline();
    Click(panel->GroupButton());
    Click(panel->ViewGroupButton(1));
    EXPECT_EQ(context.activeViewGroup, 1);
    EXPECT_EQ(window->Mode(), kModeStrips);
    EXPECT_FALSE(Shows(window->Pages().muteGroups));
    EXPECT_FALSE(panel->MuteButton()->GetDown());
    int shown = 0;
    for (StripView* s : window->Pages().inputs) shown += s->isVisible();
    EXPECT_EQ(shown, 3);
    const int pitch = window->Metrics().stripWidth + 2;
    EXPECT_EQ(window->Pages().inputs[2]->x(), 0);
    EXPECT_EQ(window->Pages().inputs[10]->x(), pitch);
    EXPECT_EQ(window->Pages().inputs[kDelayReturn]->x(), 2 * pitch);
    EXPECT_EQ(panel->Level(), CGroupPanelDlg::kGroupLevel);

    QTest::mouseClick(window->Navigation().pageButtons[1], Qt::LeftButton);
    EXPECT_FALSE(Shows(window->Pages().inputs[8]));
    EXPECT_TRUE(link.sent.empty());

    Click(panel->ViewGroupButton(1));
    EXPECT_EQ(context.activeViewGroup, 0);
    EXPECT_TRUE(Shows(window->Pages().inputs[0]));
    EXPECT_FALSE(panel->ViewGroupButton(1)->GetDown());

    // HOME leaves a view group in one press, whatever level the panel is on.
    Click(panel->ViewGroupButton(2));
    ASSERT_EQ(context.activeViewGroup, 2);
    QTest::mouseClick(window->Navigation().home, Qt::LeftButton);
    EXPECT_EQ(context.activeViewGroup, 0);
    EXPECT_TRUE(Shows(window->Pages().inputs[0]));
    EXPECT_EQ(panel->ShownViewGroup(), 0);
    Click(panel->GroupButton());
    EXPECT_FALSE(panel->ViewGroupButton(2)->GetDown());
    QTest::mouseClick(window->Navigation().pageButtons[1], Qt::LeftButton);
    EXPECT_TRUE(Shows(window->Pages().inputs[8]));
}

TEST_F(GroupPanel, TheOutputLevelChoosesTheStripAtTheRight) {
    Click(panel->OutputsButton());
    EXPECT_EQ(panel->Level(), CGroupPanelDlg::kOutputLevel);
    EXPECT_TRUE(panel->OutputChoiceButton(0)->GetDown());
    Click(panel->OutputChoiceButton(3));  // AUX 3
    EXPECT_EQ(window->SelectedOutput(), 5);
    EXPECT_TRUE(Shows(window->Pages().outputs[4]));
    EXPECT_FALSE(Shows(window->Pages().outputs[0]));
    EXPECT_TRUE(panel->OutputChoiceButton(3)->GetDown());
    EXPECT_FALSE(panel->OutputChoiceButton(0)->GetDown());
    EXPECT_EQ(panel->Level(), CGroupPanelDlg::kOutputLevel);
    Click(panel->OutputReturnButton());
    EXPECT_EQ(panel->Level(), CGroupPanelDlg::kMainLevel);
}

TEST_F(GroupPanel, ARequestedGroupPageShowsTheGroupLevelWithItsButtonDown) {
    std::string error;
    window->OpenRequestedPage(*ParsePageRequest("control-groups", error));
    EXPECT_EQ(panel->Level(), CGroupPanelDlg::kGroupLevel);
    EXPECT_TRUE(panel->ControlButton()->GetDown());
    window->OpenRequestedPage(*ParsePageRequest("phantom", error));
    EXPECT_EQ(panel->Level(), CGroupPanelDlg::kMainLevel);
    EXPECT_TRUE(panel->PhantomButton()->GetDown());
    // The page's own button closes it again.
    Click(panel->PhantomButton());
    EXPECT_EQ(window->Mode(), kModeStrips);
}

}  // namespace
