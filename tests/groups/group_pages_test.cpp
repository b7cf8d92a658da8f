// The group pages, the phantom power page and the console's group buttons in
// a real console window over a fake link.

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <gtest/gtest.h>

#include "host/app_context.h"
#include "host/gbk_text.h"
#include "console/fake_link.h"
#include "console/fake_strip_host.h"
#include "console/input_strip_dlg.h"
#include "console/mixer_dlg.h"
#include "console/navigation_bar.h"
#include "groups/control_group_dlg.h"
#include "groups/group_store.h"
#include "groups/mute_group_dlg.h"
#include "groups/phantom_dlg.h"
#include "groups/view_group_dlg.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"

using namespace mixer;
using mixer::testing::FakeLink;
using mixer::testing::ReadCommands;
using mixer::testing::SentCommand;

namespace {

class GroupPages : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        context.profileFile = dir.filePath("mixer-editor.ini");
        context.dataDir = dir.path();
    }

    std::unique_ptr<CMixerDlg> Open() {
        auto window = std::make_unique<CMixerDlg>(context, link);
        window->resize(1680, 1050);
        window->show();
        QCoreApplication::processEvents();
        return window;
    }

    static void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    CInputStripDlg& Input(CMixerDlg& w, int ch) { return *static_cast<CInputStripDlg*>(w.Pages().inputs[ch]); }

    QTemporaryDir dir;
    AppContext context;
    FakeLink link;
};

TEST_F(GroupPages, MuteGroupPageEditsMembershipAndTheBarEngagesIt) {
    auto window = Open();
    window->ShowPage(kPageCh1To8, 1, kModeMuteGroups);
    auto* page = static_cast<CMuteGroupDlg*>(window->Pages().muteGroups);
    ASSERT_TRUE(page->isVisible());
    EXPECT_FALSE(page->Output(1)->isVisible());

    Click(page->Member(3));  // no group selected: nothing
    EXPECT_EQ(context.groups.mute[0].inputs[3], 0);
    Click(page->Selector(1));
    Click(page->Member(3));
    Click(page->Member(kDelayReturn));
    Click(page->Output(0));
    EXPECT_TRUE(page->Member(3)->GetDown());
    EXPECT_EQ(context.groups.mute[1].inputs[3], 1);
    EXPECT_EQ(context.groups.mute[1].outputs[0], 1);
    EXPECT_TRUE(link.sent.empty());

    link.GoOnline();
    NavigationBar& nav = window->Navigation();
    Click(nav.muteGroupButtons[1]);
    EXPECT_TRUE(nav.muteGroupButtons[1]->GetDown());
    EXPECT_EQ(context.activeMuteGroup, 2);
    EXPECT_TRUE(Input(*window, 3).MuteButton()->GetDown());
    EXPECT_EQ(ReadCommands(link.sent),
              (std::vector<SentCommand>{{'A', 4, {1, 0}}, {'A', 27, {1, 0}}, {'A', 17, {1, 0}}, {'A', 18, {1, 0}}}));

    link.sent.clear();
    Click(nav.muteGroupButtons[1]);
    EXPECT_FALSE(nav.muteGroupButtons[1]->GetDown());
    EXPECT_EQ(context.activeMuteGroup, 0);
    EXPECT_FALSE(Input(*window, 3).MuteButton()->GetDown());
    EXPECT_EQ(link.sent.size(), 4u);

    // Pressing the selected selector deselects and releases every member.
    Click(page->Selector(1));
    EXPECT_EQ(page->Selected(), -1);
    EXPECT_FALSE(page->Member(3)->GetDown());
    EXPECT_TRUE(page->NameField()->text().isEmpty());
}

TEST_F(GroupPages, ControlGroupVolumeMovesEveryMemberAndSendsEach) {
    auto window = Open();
    auto* page = static_cast<CControlGroupDlg*>(window->Pages().controlGroups);
    Click(page->Selector(0));
    Click(page->Member(0));
    Click(page->Member(2));
    Click(page->Function(kLinkVol));
    EXPECT_EQ(context.groups.control[0].functions[kLinkVol], 1);
    EXPECT_EQ(page->Function(kLinkEq)->text(), "均衡");
    EXPECT_EQ(page->Function(kLinkGate)->text(), "限幅器");

    NavigationBar& nav = window->Navigation();
    Click(nav.controlGroupButtons[0]);
    EXPECT_EQ(context.controlGroupEnabled[0], 1);
    for (int ch : {0, 2}) {
        EXPECT_EQ(Input(*window, ch).Badge(), 172);
        EXPECT_EQ(Input(*window, ch).Links().count, 2);
    }
    EXPECT_EQ(Input(*window, 1).Badge(), 189);

    link.GoOnline();
    Input(*window, 2).OnFaderMoved(0);
    EXPECT_EQ(context.state.strips[0].level, kLevelMax);
    EXPECT_EQ(Input(*window, 0).Fader()->GetPos(), 0);
    EXPECT_EQ(ReadCommands(link.sent), (std::vector<SentCommand>{{'A', 3, {0, 70}}, {'A', 1, {0, 70}}}));

    // The detail strip of a member edits with the same links.
    window->OpenInputDetail(0, kModulePeq);
    EXPECT_EQ(static_cast<CInputStripDlg*>(window->Pages().detailInput)->Links().count, 2);

    Click(nav.controlGroupButtons[0]);
    EXPECT_EQ(Input(*window, 2).Badge(), 189);
    EXPECT_FALSE(Input(*window, 2).Links().linked);
    EXPECT_FALSE(static_cast<CInputStripDlg*>(window->Pages().detailInput)->Links().linked);
}

TEST_F(GroupPages, ViewGroupPageCaptionsAndItsLimitOfEight) {
    auto window = Open();
    auto* page = static_cast<CViewGroupDlg*>(window->Pages().viewGroups);
    EXPECT_EQ(page->Selector(2)->text(), "视图 3");
    EXPECT_EQ(page->NameCaption()->DisplayText(), "视图分组名称");
    window->SetLanguage(1);
    EXPECT_EQ(page->Selector(2)->text(), "VIEW 3");

    window->ShowPage(kPageCh1To8, 1, kModeViewGroups);
    Click(page->Selector(0));
    for (int ch = 0; ch < 9; ++ch) Click(page->Member(ch));
    EXPECT_EQ(context.groups.view[0].count, 8);
    EXPECT_FALSE(page->Member(8)->GetDown());
    Click(page->Member(0));
    EXPECT_EQ(context.groups.view[0].count, 7);
    EXPECT_FALSE(page->Member(0)->GetDown());
}

TEST_F(GroupPages, DefinitionsAndNamesSurviveARestart) {
    {
        auto window = Open();
        auto* page = static_cast<CControlGroupDlg*>(window->Pages().controlGroups);
        window->ShowPage(kPageCh1To8, 1, kModeControlGroups);
        Click(page->Selector(3));
        Click(page->Member(kReverbReturn));
        Click(page->Function(kLinkPan));
        page->NameField()->setFocus();
        QTest::keyClicks(page->NameField(), QStringLiteral("Drum kit"));
        auto* mute = static_cast<CMuteGroupDlg*>(window->Pages().muteGroups);
        mute->PressSelector(0);
        mute->PressOutput(5);
        mute->RenameSelected(QStringLiteral("鼓组"));
    }
    AppContext reopened;
    reopened.profileFile = context.profileFile;
    FakeLink otherLink;
    CMixerDlg window(reopened, otherLink);
    EXPECT_EQ(reopened.groups.control[3].members[kReverbReturn], 1);
    EXPECT_EQ(reopened.groups.control[3].count, 1);
    EXPECT_EQ(reopened.groups.control[3].functions[kLinkPan], 1);
    EXPECT_EQ(reopened.groups.control[3].name, "Drum kit");
    EXPECT_EQ(reopened.groups.mute[0].outputs[5], 1);
    EXPECT_EQ(reopened.groups.mute[0].name, "鼓组");
    auto* page = static_cast<CControlGroupDlg*>(window.Pages().controlGroups);
    page->PressSelector(3);
    EXPECT_EQ(page->NameField()->text(), "Drum kit");
    EXPECT_TRUE(page->Member(kReverbReturn)->GetDown());
}

TEST_F(GroupPages, ADamagedProfileGivesSaneGroups) {
    {
        QSettings profile(context.profileFile, QSettings::IniFormat);
        profile.setValue("GROUPS/view1_members", "111111111111111111111111");
        profile.setValue("GROUPS/mute2_outputs", "x1\"1");
        profile.setValue("GROUPS/control3_functions", QVariantList{1, 2});
    }
    const GroupTables groups = LoadGroups(context.profileFile);
    EXPECT_EQ(groups.view[0].count, 8);
    // MAIN's second record never belongs on its own.
    EXPECT_EQ(groups.mute[1].outputs, (std::array<int, kBusCount>{0, 0, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(groups.control[2].functions, (std::array<int, kLinkFunctionCount>{}));
}

TEST_F(GroupPages, AProfileThatCannotBeWrittenIsSaidOnThePage) {
    // A folder where the profile should be: nothing can be written there.
    ASSERT_TRUE(QDir(dir.path()).mkdir("mixer-editor.ini"));
    auto window = Open();
    window->ShowPage(kPageCh1To8, 1, kModeMuteGroups);
    auto* page = static_cast<CMuteGroupDlg*>(window->Pages().muteGroups);
    page->PressSelector(0);
    page->PressMember(2);
    EXPECT_EQ(context.groups.mute[0].inputs[2], 1);
    EXPECT_TRUE(page->SaveError()->isVisible());
    EXPECT_EQ(page->SaveError()->DisplayText(), QStringLiteral("分组无法保存到 %1").arg(context.profileFile));

    context.profileFile = dir.filePath("elsewhere.ini");
    page->PressMember(3);
    EXPECT_FALSE(page->SaveError()->isVisible());
    EXPECT_EQ(LoadGroups(context.profileFile).mute[0].inputs[2], 1);
}

TEST_F(GroupPages, PhantomButtonsSendOnlineAndOnlyFlipOffline) {
    auto window = Open();
    window->ShowPage(kPageCh1To8, 1, kModePhantom);
    auto* page = static_cast<CPhantomDlg*>(window->Pages().phantom);
    ASSERT_TRUE(page->isVisible());
    EXPECT_EQ(page->Title()->DisplayText(), "幻象电源");
    EXPECT_EQ(page->Button(4)->text(), "通道 5");

    Click(page->Button(4));
    EXPECT_EQ(context.state.strips[4].phantom, 1);
    EXPECT_TRUE(page->Button(4)->GetDown());
    EXPECT_TRUE(link.sent.empty());

    link.GoOnline();
    Click(page->Button(4));
    Click(page->Button(4));
    EXPECT_EQ(ReadCommands(link.sent), (std::vector<SentCommand>{{'O', 5, {0, 0}}, {'O', 5, {0, 1}}}));

    // A full state from the mixer shows on the page at once.
    context.model.Change(
        [](MixerState& s) {
            s.strips[4].phantom = 0;
            s.strips[15].phantom = 1;
        },
        Origin::Device);
    EXPECT_FALSE(page->Button(4)->GetDown());
    EXPECT_TRUE(page->Button(15)->GetDown());
}

// Channel and output names up to their 15 bytes stay whole inside every
// button that carries them, as they do on the strips' name buttons.
TEST_F(GroupPages, LongNamesFitEveryButtonThatCarriesThem) {
    auto window = Open();
    const std::pair<int, GroupPageBase*> pages[] = {
        {kModeMuteGroups, static_cast<GroupPageBase*>(window->Pages().muteGroups)},
        {kModeViewGroups, static_cast<GroupPageBase*>(window->Pages().viewGroups)},
        {kModeControlGroups, static_cast<GroupPageBase*>(window->Pages().controlGroups)}};
    auto* phantom = static_cast<CPhantomDlg*>(window->Pages().phantom);
    auto* mute = static_cast<CMuteGroupDlg*>(window->Pages().muteGroups);
    const auto fits = [](CImageButton* button) {
        const CImageButton::CaptionLayout caption = button->LayOutCaption();
        EXPECT_TRUE(button->rect().contains(caption.bounds)) << caption.bounds.x() << "," << caption.bounds.width();
        EXPECT_EQ(caption.text, button->text());
    };
    for (const QString& name : {QStringLiteral("WWWWWWWWWWWWWWW"), QStringLiteral("Overhead L+R 12"),
                                QStringLiteral("左声道底鼓话筒")}) {
        SCOPED_TRACE(name.toStdString());
        context.model.Change(
            [&](MixerState& s) {
                for (auto& strip : s.strips) std::strcpy(strip.name, EncodeGbk(name).constData());
                for (auto& bus : s.buses) std::strcpy(bus.name, EncodeGbk(name).constData());
            },
            Origin::Device);
        for (const auto& [mode, page] : pages) {
            window->ShowPage(kPageCh1To8, 1, mode);
            page->RefreshPage();
            for (int ch = 0; ch < kStripCount; ++ch) fits(page->Member(ch));
        }
        window->ShowPage(kPageCh1To8, 1, kModeMuteGroups);
        for (int out = 0; out < 8; ++out) {
            if (mute->Output(out)->isVisible()) fits(mute->Output(out));
        }
        window->ShowPage(kPageCh1To8, 1, kModePhantom);
        for (int ch = 0; ch < kInputCount; ++ch) {
            ASSERT_EQ(phantom->Button(ch)->text(), name);
            fits(phantom->Button(ch));
        }
    }
}

}  // namespace
