// The address space and what messages ask of it: every address subscribers
// hear of reads back as itself, messages outside the space or with arguments
// it does not take ask nothing, values are clamped into the state's units,
// and an edit follows the strip's control-group links.
#include "osc/osc_dispatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <set>

#include "link/reset_defaults.h"
#include "link/wire_format.h"
#include "osc/osc_subscribers.h"

using namespace mixer;

namespace {

OscArg Num(char type, double v) { return OscArg{type, v, {}}; }
OscArg Text(const char* text) { return OscArg{'s', 0, text}; }

}  // namespace

TEST(OscAddress, EveryFeedbackAddressReadsBackAsItselfAndNothingElseParses) {
    std::set<std::string> paths;
    for (const OscAddress& a : FeedbackAddresses()) {
        const std::string path = OscPath(a);
        EXPECT_EQ(ParseOscPath(path), a) << path;
        paths.insert(path);
    }
    // 18 channels with fader, raw fader, mute, solo, pan, name and six AUX
    // sends in both units; the 16 inputs' two effect sends in both; MAIN and
    // AUX 1..6 with fader, raw fader and mute; phantom; mute groups.
    EXPECT_EQ(paths.size(), FeedbackAddresses().size());
    EXPECT_EQ(paths.size(), 18u * 18 + 16 * 4 + 7 * 3 + 16 + 4);

    for (const char* path :
         {"", "/", "ch/1/fader", "/ch/0/fader", "/ch/19/fader", "/ch/01/fader", "/ch/+1/fader", "/ch/1/fader/",
          "/ch//fader", "/ch/1", "/CH/1/fader", "/ch/1/mute/raw", "/ch/1/fader/raw/raw", "/ch/17/send/fx1",
          "/ch/1/send/aux7", "/ch/1/send/fx3", "/ch/1/send/aux", "/aux/7/fader", "/aux/0/mute", "/main", "/main/solo",
          "/phantom/17", "/mutegroup/5", "/scene/delete", "/subscribe/raw"}) {
        EXPECT_FALSE(ParseOscPath(path)) << path;
    }
}

TEST(OscRequest, ValuesAreClampedIntoTheStateAndWrongArgumentsAskNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* path;
        std::vector<OscArg> args;
        std::optional<int> value;  // the value taken, when the message is taken
        bool taken = true;
        std::optional<int> fadeMs;
    };
    const std::vector<Case> cases = {
        {"/ch/1/fader", {Num('f', -10)}, 50},
        {"/ch/1/fader", {Num('f', 99)}, 70},
        {"/ch/1/fader", {Num('d', -1e300)}, 0},
        {"/ch/1/fader", {Num('i', 0)}, 60},
        {"/ch/1/fader/raw", {Num('f', 35.6)}, 36},
        {"/ch/1/fader/raw", {Num('h', 1e15)}, 70},
        {"/aux/6/fader", {Num('f', -3.4)}, 57},
        {"/ch/2/pan", {Num('f', -1)}, 0},
        {"/ch/2/pan", {Num('f', 0.5)}, 150},
        {"/ch/2/pan", {Num('d', 7)}, 200},
        {"/ch/3/mute", {Num('T', 1)}, 1},
        {"/ch/3/mute", {Num('F', 0)}, 0},
        {"/ch/3/solo", {Num('f', 0.4)}, 0},
        {"/ch/3/send/fx2/raw", {Num('i', -5)}, 0},
        {"/scene/recall", {Num('i', 32)}, 32},
        {"/scene/recall", {Num('i', 3), Num('f', 2.5)}, 3, true, 2500},
        {"/scene/recall", {Num('i', 3), Num('d', 99)}, 3, true, 30000},
        {"/scene/recall", {Num('i', 3), Num('i', -4)}, 3, true, 0},
        {"/ch/1/fader", {}, std::nullopt},
        {"/ch/18/name", {}, std::nullopt},
        {"/scene/save", {}, std::nullopt},
        {"/undo", {}, std::nullopt},
        {"/redo", {}, std::nullopt},
        {"/subscribe", {}, std::nullopt},
        {"/ch/1/fader", {Text("-10")}, std::nullopt, false},
        {"/ch/1/fader", {Num('f', nan)}, std::nullopt, false},
        {"/ch/1/fader", {Num('f', inf)}, std::nullopt, false},
        {"/ch/1/fader", {Num('f', 1), Num('f', 2)}, std::nullopt, false},
        {"/ch/1/mute", {Num('N', 0)}, std::nullopt, false},
        {"/ch/1/name", {Text("Kick")}, std::nullopt, false},
        {"/scene/recall", {}, std::nullopt, false},
        {"/scene/recall", {Num('i', 0)}, std::nullopt, false},
        {"/scene/recall", {Num('f', 33)}, std::nullopt, false},
        {"/scene/recall", {Num('i', 3), Text("5")}, std::nullopt, false},
        {"/scene/recall", {Num('i', 3), Num('f', 1), Num('f', 1)}, std::nullopt, false},
        {"/scene/save", {Num('i', 1)}, std::nullopt, false},
        {"/undo", {Num('i', 1)}, std::nullopt, false},
        {"/meters", {Num('i', 1)}, std::nullopt, false},
        {"/nowhere", {}, std::nullopt, false},
    };
    for (const Case& c : cases) {
        const auto request = ReadOscRequest(c.path, c.args);
        ASSERT_EQ(request.has_value(), c.taken) << c.path;
        if (request) {
            EXPECT_EQ(request->value, c.value) << c.path;
            EXPECT_EQ(request->fadeMs, c.fadeMs) << c.path;
        }
    }
}

TEST(OscRequest, EditsFollowTheLinksAndReadBackInOscUnits) {
    MixerState s{};
    ResetDefaults(s);
    SetName(s.strips[17].name, "Rev");
    StripLinks links;
    links.linked = true;
    links.channels[0] = 0;
    links.channels[1] = 1;
    links.count = 2;
    links.functions[kLinkVol] = links.functions[kLinkMatrix] = 1;
    auto apply = [&](const char* path, OscArg arg) {
        const Commands commands = ApplyOscEdit(s, *ReadOscRequest(path, {arg}), links);
        for (const std::string& c : commands) EXPECT_TRUE(CheckFrame(c)) << c;
        return commands.size();
    };

    EXPECT_EQ(apply("/ch/1/fader", Num('f', -10)), 2u);
    EXPECT_EQ(s.strips[1].level, 50);
    EXPECT_EQ(apply("/ch/1/send/aux3", Num('f', 0)), 2u);
    EXPECT_EQ(s.strips[1].auxSend[2], 60);
    EXPECT_EQ(apply("/ch/1/pan", Num('f', -0.5)), 1u);  // pan is not tied
    EXPECT_EQ(apply("/main/fader/raw", Num('i', 64)), 2u);
    EXPECT_EQ(s.buses[1].level, 64);
    EXPECT_EQ(apply("/phantom/16", Num('T', 1)), 1u);
    EXPECT_EQ(apply("/phantom/16", Num('T', 1)), 0u);  // already on
    const MixerState before = s;
    EXPECT_EQ(apply("/mutegroup/1", Num('i', 1)), 0u);  // the window's, not a state edit
    EXPECT_EQ(std::memcmp(&s, &before, sizeof s), 0);

    auto value = [&](const char* path, int activeMuteGroup = 0) {
        return OscValueOf(s, *ParseOscPath(path), activeMuteGroup);
    };
    EXPECT_EQ(value("/ch/2/fader"), OscValue(-10.0f));
    EXPECT_EQ(value("/ch/2/fader/raw"), OscValue(50));
    EXPECT_EQ(value("/ch/1/pan"), OscValue(-0.5f));
    EXPECT_EQ(value("/ch/2/send/aux3"), OscValue(0.0f));
    EXPECT_EQ(value("/main/fader"), OscValue(4.0f));
    EXPECT_EQ(value("/phantom/16"), OscValue(1));
    EXPECT_EQ(value("/ch/18/name"), OscValue(std::string("Rev")));
    EXPECT_EQ(value("/mutegroup/3", 3), OscValue(1));
    EXPECT_EQ(value("/mutegroup/2", 3), OscValue(0));
}

TEST(OscSubscribers, AtMostSixteenEachDroppedTenSecondsAfterItsLastRenewal) {
    using std::chrono::milliseconds;
    OscSubscribers table;
    for (uint16_t port = 1; port <= 16; ++port) EXPECT_TRUE(table.Renew({0x7F000001, port}, milliseconds(0)));
    EXPECT_FALSE(table.Renew({0x7F000002, 1}, milliseconds(0)));
    EXPECT_TRUE(table.Renew({0x7F000001, 3}, milliseconds(5000)));
    table.Expire(milliseconds(9999));
    EXPECT_EQ(table.Peers().size(), 16u);
    table.Expire(milliseconds(10000));
    EXPECT_EQ(table.Peers(), (std::vector<OscPeer>{{0x7F000001, 3}}));
    EXPECT_TRUE(table.Renew({0x7F000002, 1}, milliseconds(10000)));
}
