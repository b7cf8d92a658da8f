#include <gtest/gtest.h>

#include "groups/control_groups.h"
#include "groups/group_edits.h"
#include "groups/group_text.h"
#include "console/view_group_layout.h"

using namespace mixer;

namespace {

TEST(GroupEdits, SelectorsBehaveAsRadioButtons) {
    EXPECT_EQ(NextSelection(-1, 2), 2);
    EXPECT_EQ(NextSelection(2, 0), 0);
    EXPECT_EQ(NextSelection(2, 2), -1);
    EXPECT_EQ(NextSelection(1, 4), -1);
}

TEST(GroupEdits, AFullViewGroupTakesNoMemberButLetsOneGo) {
    ViewGroup g;
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(ToggleViewMember(g, i * 2));
    EXPECT_EQ(g.count, 8);
    EXPECT_FALSE(ToggleViewMember(g, 1));
    EXPECT_EQ(g.members[1], 0);
    EXPECT_TRUE(ToggleViewMember(g, 4));
    EXPECT_EQ(g.count, 7);
    EXPECT_TRUE(ToggleViewMember(g, 17));
    EXPECT_EQ(g.count, 8);
    EXPECT_FALSE(ToggleViewMember(g, 18));
    EXPECT_EQ(ViewGroupChannels(g), (std::vector<int>{0, 2, 6, 8, 10, 12, 14, 17}));
}

TEST(GroupEdits, MemberAndFunctionFlipsStayInRange) {
    MuteGroup m;
    EXPECT_FALSE(ToggleMuteOutput(m, 1));
    EXPECT_FALSE(ToggleMuteOutput(m, 8));
    EXPECT_FALSE(ToggleMuteInput(m, -1));
    EXPECT_TRUE(ToggleMuteOutput(m, 0));
    EXPECT_EQ(m.outputs[0], 1);

    ControlGroup c;
    EXPECT_TRUE(ToggleControlMember(c, 16));
    EXPECT_TRUE(ToggleControlMember(c, 3));
    EXPECT_TRUE(ToggleControlMember(c, 3));
    EXPECT_EQ(c.count, 1);
    EXPECT_FALSE(ToggleControlFunction(c, kLinkFunctionCount));
    EXPECT_TRUE(ToggleControlFunction(c, kLinkPan));
    EXPECT_EQ(c.functions[kLinkPan], 1);
}

TEST(GroupEdits, TablesFromAFileAreNormalised) {
    GroupTables g;
    g.mute[0].inputs[3] = 7;
    g.mute[0].outputs[1] = 1;
    g.mute[1].name = "ABCDEFGHIJKLMNOPQRS";
    for (int i = 0; i < kStripCount; ++i) g.view[2].members[i] = 1;
    g.view[2].count = -4;
    g.control[3].members[5] = 1;
    g.control[3].count = 99;
    g.control[3].functions[kLinkVol] = -1;
    g.control[0].name = "通道通道通道通道通道通道通道通道";  // 16 characters of 3 bytes each
    NormaliseGroups(g);
    EXPECT_EQ(g.mute[0].inputs[3], 0);
    EXPECT_EQ(g.mute[0].outputs[1], 0);
    EXPECT_EQ(g.mute[1].name, "ABCDEFGHIJKLMNO");
    EXPECT_EQ(g.view[2].count, 8);
    EXPECT_EQ(ViewGroupChannels(g.view[2]), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(g.view[2].members[8], 0);
    EXPECT_EQ(g.control[3].count, 1);
    EXPECT_EQ(g.control[3].functions[kLinkVol], 0);
    EXPECT_EQ(g.control[0].name.size(), 45u);
}

TEST(GroupEdits, FlagTextsReadBackAndGarbageClears) {
    std::array<int, 5> flags{1, 0, 1, 1, 0};
    EXPECT_EQ(EncodeFlags(flags), "10110");
    std::array<int, 5> read{};
    DecodeFlags("1x1", read);
    EXPECT_EQ(read, (std::array<int, 5>{1, 0, 1, 0, 0}));
    DecodeFlags("0000011111", read);
    EXPECT_EQ(read, (std::array<int, 5>{}));
}

TEST(ControlGroups, SwitchingOnTiesEveryMemberToTheWholeGroup) {
    ControlGroup g;
    g.members[0] = g.members[2] = 1;
    g.functions[kLinkVol] = 1;
    StripGroupTies ties;
    ApplyControlGroup(g, 0, true, ties);
    for (int i : {0, 2}) {
        EXPECT_TRUE(ties.links[i].linked);
        EXPECT_EQ(ties.links[i].count, 2);
        EXPECT_EQ(ties.links[i].channels[0], 0);
        EXPECT_EQ(ties.links[i].channels[1], 2);
        EXPECT_EQ(ties.links[i].functions[kLinkVol], 1);
        EXPECT_EQ(BadgeBackground(ties.badges[i]), 172);
    }
    EXPECT_FALSE(ties.links[1].linked);
    EXPECT_EQ(BadgeBackground(ties.badges[1]), 189);
    EXPECT_EQ(LinkedTargets(ties.links[2], 2, StripParam::Fader), std::vector<int>{0});
    EXPECT_TRUE(LinkedTargets(ties.links[2], 2, StripParam::Solo).empty());
}

TEST(ControlGroups, TheLastGroupSwitchedOnWinsAndEitherOffClearsAll) {
    ControlGroup first, second;
    first.members[4] = first.members[5] = 1;
    second.members[5] = second.members[kReverbReturn] = 1;
    second.functions[kLinkSolo] = 1;

    for (int off : {0, 1}) {
        StripGroupTies ties;
        ApplyControlGroup(first, 0, true, ties);
        ApplyControlGroup(second, 3, true, ties);
        EXPECT_EQ(ties.badges[5], 4);
        EXPECT_EQ(LinkedTargets(ties.links[5], 5, StripParam::Solo), std::vector<int>{kReverbReturn});
        EXPECT_EQ(ties.badges[4], 1);

        ApplyControlGroup(off == 0 ? first : second, off == 0 ? 0 : 3, false, ties);
        EXPECT_EQ(ties.links[5], StripLinks{});
        EXPECT_EQ(ties.badges[5], 0);
        // The group still on keeps its other member tied.
        EXPECT_EQ(ties.links[off == 0 ? kReverbReturn : 4].linked, true);
    }
}

TEST(ControlGroups, AnEmptyGroupChangesNothing) {
    StripGroupTies ties;
    ties.badges[3] = 2;
    ties.links[3].linked = true;
    const StripGroupTies before = ties;
    ApplyControlGroup(ControlGroup{}, 1, true, ties);
    ApplyControlGroup(ControlGroup{}, 1, false, ties);
    EXPECT_EQ(ties.links, before.links);
    EXPECT_EQ(ties.badges, before.badges);
    EXPECT_EQ(BadgeOfBackground(175), 4);
    EXPECT_EQ(BadgeOfBackground(189), 0);
    EXPECT_EQ(BadgeOfBackground(176), 0);
}

TEST(ViewGroupLayout, MembersStandInTheFirstPlacesInChannelOrder) {
    LayoutMetrics m;
    m.stripWidth = m.outputStripWidth = 150;
    m.stripHeight = 700;
    const Arrangement a = ArrangeViewGroup(m, {1, 9, 16}, 4);
    int strips = 0;
    for (const Placement& p : a.shown) strips += p.page == PageId::InputStrip;
    EXPECT_EQ(strips, 3);
    EXPECT_EQ(a.Find(PageId::InputStrip, 1)->rect, (PageRect{0, kStripTop, 150, 700}));
    EXPECT_EQ(a.Find(PageId::InputStrip, 9)->rect.x, 152);
    EXPECT_EQ(a.Find(PageId::InputStrip, 16)->rect.x, 304);
    EXPECT_EQ(a.Find(PageId::OutputStrip, 3)->rect.x, 8 * 150 + 16);
    EXPECT_EQ(a.Find(PageId::SidePanel)->rect.x, 9 * 152);
    EXPECT_EQ(a.pressedPageButton, 0);
    EXPECT_FALSE(a.sidePanelToMainLevel);
    EXPECT_NE(std::find(a.hidden.begin(), a.hidden.end(), PageId::MuteGroups), a.hidden.end());
}

}  // namespace
