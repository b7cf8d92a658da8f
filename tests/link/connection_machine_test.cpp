#include "link/connection_machine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "link/commands.h"
#include "link/meter_report.h"
#include "link/state_reply.h"

using namespace mixer;
using namespace std::chrono_literals;

namespace {

const std::string kMetersOff = "%Q,01,00,25E0#";
const std::string kMetersOn = "%Q,01,01,B5E1#";
const std::string kRequest = "%Z,01,F143#";

// Records what the machine asks of the socket side.
struct FakePort : LinkPort {
    bool OpenReceiver() override {
        ++opens;
        return true;
    }
    void CloseReceiver() override { ++closes; }
    bool SendText(const std::string& text) override {
        sent.push_back(text);
        return true;
    }
    int Count(const std::string& text) const { return static_cast<int>(std::count(sent.begin(), sent.end(), text)); }

    int opens = 0;
    int closes = 0;
    std::vector<std::string> sent;
};

class ConnectionMachineTest : public ::testing::Test {
protected:
    // Moves time on in 50 ms ticks, as the window's timer would.
    void Run(std::chrono::milliseconds span) {
        for (auto t = 0ms; t < span; t += 50ms) {
            clock.Advance(50ms);
            machine.Tick();
        }
    }
    std::string Reply() const { return BuildStateReply(mixerSide, "12"); }
    std::string Report() const { return BuildMeterReport(mixerSide); }
    void ConnectAndAnswer() {
        machine.Connect();
        ASSERT_EQ(machine.Accept(Reply()), IncomingKind::StateReply);
        port.sent.clear();
    }

    MixerState state{};
    MixerState mixerSide{};
    LinkState link;
    FakePort port;
    RecordingNotifier notifier;
    ManualClock clock;
    ConnectionMachine machine{link, state, port, notifier, clock};
};

}  // namespace

TEST_F(ConnectionMachineTest, ConnectSwitchesMetersOffThenAsksForTheState) {
    machine.Connect();
    EXPECT_EQ(port.opens, 1);
    EXPECT_EQ(port.sent, (std::vector<std::string>{kMetersOff, kRequest}));
    EXPECT_TRUE(link.connecting);
    EXPECT_FALSE(link.connected);
    EXPECT_EQ(machine.Indicators(), LinkIndicators{});
}

TEST_F(ConnectionMachineTest, WithoutAnswerThreeRequestsTenSecondsApartThenGivesUp) {
    machine.Connect();
    Run(9950ms);
    EXPECT_EQ(port.Count(kRequest), 1);
    Run(50ms);
    EXPECT_EQ(port.Count(kRequest), 2);
    Run(10s);
    EXPECT_EQ(port.Count(kRequest), 3);
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(port.closes, 0);

    Run(10s);  // 30 s after Connect
    EXPECT_EQ(port.Count(kRequest), 3);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text, "连接失败.");
    EXPECT_FALSE(link.connecting);
    EXPECT_EQ(port.closes, 1);
    EXPECT_FALSE(machine.Indicators().captionDisconnect);
    EXPECT_FALSE(machine.Indicators().connectPressed);

    Run(60s);
    EXPECT_EQ(port.Count(kRequest), 3);
    EXPECT_EQ(notifier.messages.size(), 1u);
}

TEST_F(ConnectionMachineTest, AReplyAfterTheSecondRequestCompletesWithoutAThird) {
    machine.Connect();
    Run(12s);
    ASSERT_EQ(port.Count(kRequest), 2);
    mixerSide.strips[4].level = 41;
    EXPECT_EQ(machine.Accept(Reply()), IncomingKind::StateReply);

    EXPECT_TRUE(link.connected);
    EXPECT_FALSE(link.connecting);
    EXPECT_EQ(state.strips[4].level, 41);
    EXPECT_EQ(machine.FirmwareVersion(), "12");
    EXPECT_EQ(port.sent.back(), kMetersOn);
    const LinkIndicators& ind = machine.Indicators();
    EXPECT_TRUE(ind.captionDisconnect && ind.connectPressed && ind.connectionLit && ind.statusOnline);

    Run(40s);
    EXPECT_EQ(port.Count(kRequest), 2);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(ConnectionMachineTest, SilenceShowsOfflineEveryTwentySecondsAndStaysConnected) {
    ConnectAndAnswer();
    Run(19950ms);
    EXPECT_TRUE(machine.Indicators().statusOnline);
    Run(50ms);
    EXPECT_FALSE(machine.Indicators().statusOnline);
    EXPECT_FALSE(machine.Indicators().connectionLit);
    EXPECT_TRUE(machine.Indicators().captionDisconnect);
    EXPECT_TRUE(link.connected);
    EXPECT_EQ(link.lastHeardTime, clock.Now());
    Run(20s);
    EXPECT_EQ(link.lastHeardTime, clock.Now());
    EXPECT_TRUE(port.sent.empty());
}

TEST_F(ConnectionMachineTest, MeterReportsKeepTheLinkOnlineAndBringItBackAfterSilence) {
    ConnectAndAnswer();
    Run(15s);
    ASSERT_EQ(machine.Accept(Report()), IncomingKind::MeterReport);
    EXPECT_TRUE(machine.Indicators().homeActive);
    Run(15s);
    EXPECT_TRUE(machine.Indicators().statusOnline);  // heard 15 s ago only

    Run(5s);
    ASSERT_FALSE(machine.Indicators().statusOnline);
    ASSERT_EQ(machine.Accept(Report()), IncomingKind::MeterReport);
    EXPECT_TRUE(machine.Indicators().statusOnline);
    EXPECT_TRUE(machine.Indicators().connectionLit);
}

TEST_F(ConnectionMachineTest, AStateReplyAlsoEndsTheSilentState) {
    ConnectAndAnswer();
    Run(20s);
    ASSERT_FALSE(machine.Indicators().connectionLit);
    machine.Accept(Reply());
    EXPECT_TRUE(machine.Indicators().connectionLit);
    EXPECT_TRUE(machine.Indicators().statusOnline);
}

TEST_F(ConnectionMachineTest, AReplyWhileOnlineEndsTheSilenceAndSwitchesLostMetersOnAgain) {
    ConnectAndAnswer();
    Run(20s);
    ASSERT_FALSE(machine.Indicators().statusOnline);
    // No report since the connection: its meter switch may have been lost.
    machine.HeardState("13");
    EXPECT_TRUE(machine.Indicators().statusOnline);
    EXPECT_TRUE(machine.Indicators().connectionLit);
    EXPECT_EQ(machine.FirmwareVersion(), "13");
    EXPECT_EQ(port.sent, std::vector<std::string>{kMetersOn});
    // Meters flowing: the next reply sends nothing.
    machine.Accept(Report());
    port.sent.clear();
    machine.HeardState("");
    EXPECT_TRUE(port.sent.empty());
    EXPECT_EQ(machine.FirmwareVersion(), "13");
}

TEST_F(ConnectionMachineTest, ReportsBeforeTheReplyLightNothing) {
    machine.Connect();
    mixerSide.strips[0].meter = 200;
    EXPECT_EQ(machine.Accept(Report()), IncomingKind::MeterReport);
    EXPECT_EQ(state.strips[0].meter, 200);
    EXPECT_TRUE(machine.Indicators().homeActive);
    EXPECT_FALSE(machine.Indicators().statusOnline);
    EXPECT_FALSE(machine.Indicators().connectionLit);
    EXPECT_TRUE(link.connecting);
}

TEST_F(ConnectionMachineTest, DisconnectSwitchesMetersOffClosesAndShowsOffline) {
    ConnectAndAnswer();
    machine.Disconnect();
    EXPECT_EQ(port.sent, std::vector<std::string>{kMetersOff});
    EXPECT_EQ(port.closes, 1);
    EXPECT_FALSE(link.connected);
    LinkIndicators expected;
    expected.homeActive = machine.Indicators().homeActive;
    EXPECT_EQ(machine.Indicators(), expected);
}

TEST_F(ConnectionMachineTest, DisconnectWhileConnectingEndsTheAttemptQuietly) {
    machine.Connect();
    Run(5s);
    machine.Disconnect();
    Run(60s);
    EXPECT_EQ(port.Count(kRequest), 1);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(ConnectionMachineTest, ShutdownSwitchesMetersOffAndClosesWithoutFurtherRequests) {
    machine.Connect();
    port.sent.clear();
    machine.Shutdown();
    EXPECT_EQ(port.sent, std::vector<std::string>{kMetersOff});
    EXPECT_EQ(port.closes, 1);
    EXPECT_FALSE(link.connected);
    Run(40s);
    EXPECT_EQ(port.sent.size(), 1u);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(ConnectionMachineTest, MarkHeardPostponesTheSilenceWatch) {
    ConnectAndAnswer();
    Run(15s);
    machine.MarkHeard();
    Run(15s);
    EXPECT_TRUE(machine.Indicators().statusOnline);
}

TEST_F(ConnectionMachineTest, BrokenMessagesChangeNothing) {
    ConnectAndAnswer();
    const MixerState before = state;
    std::string corrupt = Reply();
    corrupt[10] = corrupt[10] == '0' ? '1' : '0';
    for (const std::string& m : {corrupt, std::string("%Z,01,F144#"), std::string("%X,01,1234#"), std::string("")})
        EXPECT_EQ(machine.Accept(m), IncomingKind::Ignored);
    EXPECT_EQ(std::memcmp(&before, &state, sizeof state), 0);
    EXPECT_TRUE(port.sent.empty());
}
