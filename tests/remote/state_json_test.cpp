#include <gtest/gtest.h>

#include "remote/remote_edits.h"
#include "remote/state_json.h"

namespace mixer::remote {
namespace {

Names SomeNames() {
    Names names;
    for (int i = 0; i < kStripCount; ++i) names.strips[i] = "CH " + std::to_string(i + 1);
    for (int o = 0; o < kOutputCount; ++o) names.outputs[o] = o == 0 ? "MAIN" : "AUX " + std::to_string(o);
    return names;
}

ClientMessage Set(Control control, int index, int value, int aux = 0) {
    ClientMessage m;
    m.kind = MessageKind::Set;
    m.control = control;
    m.index = index;
    m.value = value;
    m.aux = aux;
    return m;
}

TEST(RemoteJson, AMonitorSeesNamesItsSendsAndItsMasterOnly) {
    MixerState s{};
    s.strips[4].level = 51;
    s.strips[4].auxSend[1] = 33;
    s.buses[3].level = 44;
    s.buses[0].level = 60;
    const std::string monitor = EncodeWelcome(s, SomeNames(), Role{2}, 2);
    EXPECT_NE(monitor.find(R"({"i":4,"n":"CH 5","x":33})"), std::string::npos) << monitor;
    EXPECT_NE(monitor.find(R"("outs":[{"o":2,"n":"AUX 2","l":44,"m":0,"p":0}])"), std::string::npos) << monitor;
    EXPECT_EQ(monitor.find("\"l\":51"), std::string::npos);
    EXPECT_EQ(monitor.find("MAIN"), std::string::npos);
    const std::string engineer = EncodeWelcome(s, SomeNames(), Role{0}, 1);
    EXPECT_NE(engineer.find(R"({"i":4,"n":"CH 5","l":51,"m":0,"s":0,"p":0,"a":[0,33,0,0,0,0]})"), std::string::npos);
    EXPECT_NE(engineer.find(R"({"o":0,"n":"MAIN","l":60)"), std::string::npos);
}

TEST(RemoteJson, ChangesCarryOnlyTheChangedRecordsTheRoleSees) {
    MixerState s{};
    ChangeSet changes;
    changes.strips[2] = kPartLevel;
    changes.buses[1] = kPartMute;  // MAIN's second record stands for MAIN
    const std::string engineer = EncodeChanges(s, SomeNames(), changes, Role{0});
    EXPECT_NE(engineer.find(R"("strips":[{"i":2,)"), std::string::npos) << engineer;
    EXPECT_NE(engineer.find(R"("outs":[{"o":0,)"), std::string::npos) << engineer;
    EXPECT_EQ(EncodeChanges(s, SomeNames(), changes, Role{1}), "");
    changes.strips[2] = kPartMeter | kPartPeq;
    changes.buses[1] = 0;
    EXPECT_EQ(EncodeChanges(s, SomeNames(), changes, Role{0}), "");
}

TEST(RemoteJson, NamesAreEscapedAndMetersScaledToAHundred) {
    EXPECT_EQ(JsonString("a\"b\\c\n通道"), "\"a\\\"b\\\\c\\u000a通道\"");
    MixerState s{};
    s.strips[0].meter = 255;
    s.buses[BusOfOutput(2)].meter = 255;
    const std::string monitor = EncodeMeters(s, Role{2});
    EXPECT_TRUE(monitor.starts_with(R"({"t":"m","s":[100,0,)")) << monitor;
    EXPECT_TRUE(monitor.ends_with(R"("o":[100]})")) << monitor;
}

TEST(RemoteEdits, APageEditsThroughTheStripsFunctionsLinksIncludedAndHearsOnlyWhatItDidNotSet) {
    StripLinks links;
    links.linked = true;
    links.channels = {3, 7};
    links.count = 2;
    links.functions[kLinkVol] = 1;
    links.functions[kLinkMatrix] = 1;
    struct Case {
        ClientMessage message;
        int commands;
        std::function<bool(const MixerState&)> written;
        ChangeSet echo;  // what the sender still hears
    };
    ChangeSet linkedLevel;
    linkedLevel.strips[7] = kPartLevel;
    ChangeSet linkedSend;
    linkedSend.strips[7] = kPartSends;
    const Case cases[] = {
        {Set(Control::StripLevel, 3, 50), 2, [](const MixerState& s) { return s.strips[3].level == 50 && s.strips[7].level == 50; }, linkedLevel},
        {Set(Control::Send, 3, 20, 4), 2, [](const MixerState& s) { return s.strips[3].auxSend[3] == 20 && s.strips[7].auxSend[3] == 20; }, linkedSend},
        {Set(Control::StripPan, 3, 20), 1, [](const MixerState& s) { return s.strips[3].pan == 20 && s.strips[7].pan == 0; }, {}},
        {Set(Control::OutMute, 0, 1), 2, [](const MixerState& s) { return s.buses[0].mute == 1 && s.buses[1].mute == 1; }, {}},
        {Set(Control::OutLevel, 4, 9), 1, [](const MixerState& s) { return s.buses[5].level == 9; }, {}},
    };
    for (const Case& c : cases) {
        MixerState before{};
        MixerState s{};
        EXPECT_EQ(ApplySet(s, c.message, links).size(), static_cast<std::size_t>(c.commands)) << static_cast<int>(c.message.control);
        EXPECT_TRUE(c.written(s)) << static_cast<int>(c.message.control);
        const ChangeSet heard = WithoutEcho(DiffStates(before, s), c.message, s);
        EXPECT_EQ(heard, c.echo) << static_cast<int>(c.message.control);
    }
}

}  // namespace
}  // namespace mixer::remote
