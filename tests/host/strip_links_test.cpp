#include "host/strip_links.h"

#include <gtest/gtest.h>

using namespace mixer;

namespace {

StripLinks Group(std::vector<int> members, std::initializer_list<LinkFunction> on) {
    StripLinks links;
    links.linked = true;
    links.count = static_cast<int>(members.size());
    for (std::size_t k = 0; k < members.size(); ++k) links.channels[k] = members[k];
    for (LinkFunction f : on) links.functions[f] = 1;
    return links;
}

}  // namespace

TEST(LinkedTargets, EachParameterFollowsItsOwnFunction) {
    const StripLinks vol = Group({0, 1, 5}, {kLinkVol});
    EXPECT_EQ(LinkedTargets(vol, 0, StripParam::Fader), (std::vector<int>{1, 5}));
    EXPECT_EQ(LinkedTargets(vol, 5, StripParam::Mute), (std::vector<int>{0, 1}));
    EXPECT_TRUE(LinkedTargets(vol, 0, StripParam::Solo).empty());
    EXPECT_TRUE(LinkedTargets(vol, 0, StripParam::Pan).empty());

    const StripLinks others = Group({0, 1}, {kLinkSolo, kLinkPan, kLinkMatrix, kLinkEq, kLinkGate, kLinkLimit});
    EXPECT_EQ(LinkedTargets(others, 1, StripParam::Solo), (std::vector<int>{0}));
    EXPECT_EQ(LinkedTargets(others, 1, StripParam::Pan), (std::vector<int>{0}));
    EXPECT_TRUE(LinkedTargets(others, 1, StripParam::Fader).empty());
    EXPECT_TRUE(LinkedTargets(others, 1, StripParam::Mute).empty());
}

TEST(LinkedTargets, NothingWithoutAnEnabledGroup) {
    StripLinks links = Group({0, 1}, {kLinkVol});
    links.linked = false;
    EXPECT_TRUE(LinkedTargets(links, 0, StripParam::Fader).empty());
    links.linked = true;
    links.count = 0;
    EXPECT_TRUE(LinkedTargets(links, 0, StripParam::Fader).empty());
}

TEST(LinkedTargets, BrokenMemberListsAreNotTrusted) {
    StripLinks links = Group({3, 18, -1, 3, 17, 4}, {kLinkVol});
    EXPECT_EQ(LinkedTargets(links, 4, StripParam::Fader), (std::vector<int>{3, 17}));
    links.count = 1000;  // read no further than the list
    links.channels.fill(2);
    EXPECT_EQ(LinkedTargets(links, 4, StripParam::Fader), (std::vector<int>{2}));
    links.count = -3;
    EXPECT_TRUE(LinkedTargets(links, 4, StripParam::Fader).empty());
}
