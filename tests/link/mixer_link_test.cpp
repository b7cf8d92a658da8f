// The link against the simulated mixer over loopback: the link binds
// 127.0.0.1, the mixer listens on 127.0.0.2, both on the same free port. Time
// for the time-outs moves only when a test advances the clock.

#include "link/mixer_link.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <random>

#include "link/commands.h"
#include "link/meter_report.h"
#include "loopback.h"
#include "model/mixer_model.h"
#include "sim/simulated_mixer.h"

using namespace mixer;
using namespace std::chrono_literals;
using mixer::testing::LoopbackPeer;
using mixer::testing::WaitUntil;

namespace {

const std::string kMetersOff = "%Q,01,00,25E0#";
const std::string kRequest = "%Z,01,F143#";

class MixerLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        port = mixer::testing::FreeLoopbackPort();
        link.SetLocalAddress("127.0.0.1");
        link.SetDeviceAddress("127.0.0.2");
        link.SetPort(port);
        options.port = port;
        options.meterRateHz = 100;
    }

    void StartMixer() {
        mixer = std::make_unique<SimulatedMixer>(options);
        QString error;
        ASSERT_TRUE(mixer->Start(error)) << error.toStdString();
        QObject::connect(mixer.get(), &SimulatedMixer::received,
                         [this](const QString& m) { mixerHeard.push_back(m.toStdString()); });
    }

    int MixerHeard(const std::string& message) const {
        return static_cast<int>(std::count(mixerHeard.begin(), mixerHeard.end(), message));
    }

    // Advances the clock in steps of the link's tick.
    void Advance(std::chrono::milliseconds span) {
        for (auto t = 0ms; t < span; t += MixerLink::kTickPeriod) {
            clock.Advance(MixerLink::kTickPeriod);
            link.OnTick();
        }
    }

    void ConnectToMixer() {
        StartMixer();
        QSignalSpy replies(&link, &MixerLink::stateReplyApplied);
        QSignalSpy reports(&link, &MixerLink::meterReportApplied);
        link.Connect();
        ASSERT_TRUE(replies.wait(mixer::testing::kWaitMs));
        ASSERT_TRUE(WaitUntil([&] { return reports.count() > 0; }));
    }

    quint16 port = 0;
    MixerModel model;
    MixerState& state = model.Mirror();
    RecordingNotifier notifier;
    ManualClock clock;
    MixerLink link{model, notifier, clock};
    SimOptions options;
    std::unique_ptr<SimulatedMixer> mixer;
    std::vector<std::string> mixerHeard;
};

}  // namespace

TEST_F(MixerLinkTest, ConnectCompletesAndTheMeterStreamStarts) {
    StartMixer();
    QSignalSpy captions(&link, &MixerLink::connectCaptionChanged);
    QSignalSpy pressed(&link, &MixerLink::connectPressedChanged);
    QSignalSpy lit(&link, &MixerLink::connectionLitChanged);
    QSignalSpy status(&link, &MixerLink::statusTextChanged);
    QSignalSpy home(&link, &MixerLink::homeActiveChanged);
    QSignalSpy replies(&link, &MixerLink::stateReplyApplied);
    QSignalSpy reports(&link, &MixerLink::meterReportApplied);
    EXPECT_EQ(link.ConnectCaption(), QString::fromUtf8("连接"));
    EXPECT_EQ(link.StatusText(), QString::fromUtf8("离线"));

    link.Connect();
    ASSERT_TRUE(replies.wait(mixer::testing::kWaitMs));
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(link.FirmwareVersion(), "12");
    EXPECT_EQ(state.strips[0].level, 60);  // the mixer's reset state came across
    EXPECT_EQ(state.buses[2].geqBands[0].gain2, 150);
    ASSERT_EQ(captions.count(), 1);
    EXPECT_EQ(captions[0][0].toString(), QString::fromUtf8("断开"));
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status[0][0].toString(), QString::fromUtf8("在线"));
    EXPECT_EQ(pressed.count(), 1);
    EXPECT_EQ(lit.count(), 1);
    EXPECT_TRUE(link.ConnectPressed());
    EXPECT_TRUE(link.ConnectionLit());

    ASSERT_TRUE(WaitUntil([&] { return reports.count() >= 3; }));
    EXPECT_TRUE(link.HomeActive());
    EXPECT_EQ(home.count(), 1);
    EXPECT_TRUE(mixer->MetersStreaming());
    EXPECT_GT(state.strips[0].meter, 0);
    EXPECT_EQ(MixerHeard(kMetersOff), 1);
    EXPECT_EQ(MixerHeard(kRequest), 1);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(MixerLinkTest, StreamingMetersAreReadInBatchesWithOrWithoutATick) {
    ConnectToMixer();
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> applied;
    QObject::connect(&link, &MixerLink::meterReportApplied, [&] { applied.push_back(clock.nsecsElapsed()); });
    // With the link's own tick, and then with none at all.
    for (bool ticking : {true, false}) {
        link.SetOwnTick(ticking);
        applied.clear();
        QTest::qWait(600);
        // Reports read in one batch are applied microseconds apart; read one
        // by one, they would be a report's interval (10 ms) apart.
        int batches = applied.empty() ? 0 : 1;
        for (std::size_t i = 1; i < applied.size(); ++i) batches += applied[i] - applied[i - 1] > 2'000'000;
        EXPECT_GE(applied.size(), 20u) << ticking;
        EXPECT_LE(batches * 2, static_cast<int>(applied.size())) << ticking;
    }
}

TEST_F(MixerLinkTest, AMixerThatAnswersOnlyTheSecondRequestStillConnectsWithoutAThird) {
    options.answerFromRequest = 2;
    StartMixer();
    QSignalSpy replies(&link, &MixerLink::stateReplyApplied);
    link.Connect();
    ASSERT_TRUE(WaitUntil([&] { return mixer->StateRequests() == 1; }));
    Advance(9950ms);
    EXPECT_EQ(mixer->StateRequests(), 1);
    Advance(50ms);
    ASSERT_TRUE(replies.wait(mixer::testing::kWaitMs));
    EXPECT_TRUE(link.IsConnected());

    Advance(25s);
    QTest::qWait(50);
    EXPECT_EQ(mixer->StateRequests(), 2);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(MixerLinkTest, WithoutAMixerThreeRequestsThenCannotConnectAfterThirtySeconds) {
    options.neverAnswer = true;  // a mixer that counts the requests but says nothing
    StartMixer();
    link.SetLanguage(kLanguageEnglish);
    QSignalSpy stopped(&link, &MixerLink::receiverStopped);
    link.Connect();
    ASSERT_TRUE(WaitUntil([&] { return mixer->StateRequests() == 1; }));
    Advance(10s);
    ASSERT_TRUE(WaitUntil([&] { return mixer->StateRequests() == 2; }));
    Advance(10s);
    ASSERT_TRUE(WaitUntil([&] { return mixer->StateRequests() == 3; }));
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_TRUE(link.IsReceiving());

    Advance(10s);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text, "CANNOT CONNECT.");
    ASSERT_TRUE(WaitUntil([&] { return stopped.count() == 1; }));
    EXPECT_FALSE(link.IsReceiving());
    EXPECT_EQ(link.ConnectCaption(), "CONNECT");
    EXPECT_FALSE(link.ConnectPressed());
    QTest::qWait(50);
    EXPECT_EQ(mixer->StateRequests(), 3);
}

TEST_F(MixerLinkTest, AMixerThatStopsItsMetersShowsOfflineAfterTwentySecondsAndOnlineWhenItTalksAgain) {
    options.stopMetersAfter = 0.1;
    ConnectToMixer();
    ASSERT_TRUE(WaitUntil([&] { return !mixer->MetersStreaming(); }));
    QTest::qWait(50);  // the last reports are in

    Advance(19900ms);
    EXPECT_EQ(link.StatusText(), QString::fromUtf8("在线"));
    QSignalSpy lit(&link, &MixerLink::connectionLitChanged);
    Advance(100ms);
    EXPECT_EQ(link.StatusText(), QString::fromUtf8("离线"));
    EXPECT_FALSE(link.ConnectionLit());
    EXPECT_EQ(lit.count(), 1);
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(link.ConnectCaption(), QString::fromUtf8("断开"));

    // Sending goes on in the silent state; asked again, the mixer streams again.
    QSignalSpy reports(&link, &MixerLink::meterReportApplied);
    ASSERT_TRUE(link.SendMessageText(BuildQ(true)));
    ASSERT_TRUE(reports.wait(mixer::testing::kWaitMs));
    EXPECT_EQ(link.StatusText(), QString::fromUtf8("在线"));
    EXPECT_TRUE(link.ConnectionLit());
}

TEST_F(MixerLinkTest, AnEditSentByTheLinkShowsInTheNextFullStateReply) {
    ConnectToMixer();
    state.strips[2].level = 33;
    state.strips[2].mute = 1;
    state.strips[5].peqBands[2].freq = 4321;
    state.buses[4].lim[kDynThreshold] = 17;
    for (Target target : {Target{'A', 3}, Target{'G', 6, 3}, Target{'D', 5}}) link.QueueTarget(state, target, false);
    ASSERT_TRUE(WaitUntil([&] { return mixer->State().buses[4].lim[kDynThreshold] == 17; }));

    state.strips[2].level = 0;
    state.strips[2].mute = 0;
    state.strips[5].peqBands[2].freq = 20;
    state.buses[4].lim[kDynThreshold] = 0;
    QSignalSpy replies(&link, &MixerLink::stateReplyApplied);
    link.Connect();
    ASSERT_TRUE(replies.wait(mixer::testing::kWaitMs));
    EXPECT_EQ(state.strips[2].level, 33);
    EXPECT_EQ(state.strips[2].mute, 1);
    EXPECT_EQ(state.strips[5].peqBands[2].freq, 4321);
    EXPECT_EQ(state.buses[4].lim[kDynThreshold], 17);
}

TEST_F(MixerLinkTest, ClosingSwitchesTheMetersOffAndEndsAfterTheReceiverHasStopped) {
    ConnectToMixer();
    QSignalSpy stopped(&link, &MixerLink::receiverStopped);
    // A send just before makes the meters-off message wait for its turn.
    ASSERT_TRUE(link.SendMessageText(BuildA(state, 1)));
    link.Shutdown();
    EXPECT_TRUE(link.IsReceiving());
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(stopped.count(), 0);

    ASSERT_TRUE(stopped.wait(mixer::testing::kWaitMs));
    EXPECT_FALSE(link.IsReceiving());
    ASSERT_TRUE(WaitUntil([&] { return MixerHeard(kMetersOff) == 2; }));
    EXPECT_FALSE(mixer->MetersStreaming());
    EXPECT_FALSE(link.SendMessageText(kRequest));
}

TEST_F(MixerLinkTest, DisconnectShowsOfflineAndAnotherConnectWorks) {
    ConnectToMixer();
    QSignalSpy stopped(&link, &MixerLink::receiverStopped);
    link.Disconnect();
    EXPECT_EQ(link.ConnectCaption(), QString::fromUtf8("连接"));
    EXPECT_EQ(link.StatusText(), QString::fromUtf8("离线"));
    EXPECT_FALSE(link.ConnectPressed());
    EXPECT_FALSE(link.ConnectionLit());
    ASSERT_TRUE(WaitUntil([&] { return stopped.count() == 1; }));
    ASSERT_TRUE(WaitUntil([&] { return !mixer->MetersStreaming(); }));

    QSignalSpy replies(&link, &MixerLink::stateReplyApplied);
    link.Connect();
    ASSERT_TRUE(replies.wait(mixer::testing::kWaitMs));
    EXPECT_TRUE(link.IsConnected());
}

TEST_F(MixerLinkTest, APortInUseIsReportedAndTheAttemptTimesOut) {
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress("127.0.0.1"), port, QAbstractSocket::DontShareAddress));
    link.SetLanguage(kLanguageEnglish);
    link.Connect();
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text, "Winsock error!");
    EXPECT_EQ(notifier.messages[0].caption, "Warming");
    EXPECT_FALSE(link.IsReceiving());
    Advance(30s);
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(notifier.messages[1].text, "CANNOT CONNECT.");
}

TEST_F(MixerLinkTest, EditsStayQuietUnlessConnectedAndNothingGoesToABadAddress) {
    StartMixer();
    model.SetSink(&link);
    const auto edit = [&](int level) { model.Edit([&](MixerState& s) { return WriteStripLevel(s, 0, level); }); };
    edit(10);
    EXPECT_FALSE(link.SendMessageText(kRequest));
    QSignalSpy replies(&link, &MixerLink::stateReplyApplied);
    link.Connect();
    ASSERT_TRUE(replies.wait(mixer::testing::kWaitMs));
    ASSERT_TRUE(WaitUntil([&] { return MixerHeard(BuildQ(true)) == 1; }));

    for (const char* address : {"127.0.0", "127.0.0.2.1", "127.0.0.256", "", "localhost", "127.0.0.02"}) {
        link.SetDeviceAddress(address);
        edit(20);
        EXPECT_FALSE(link.SendMessageText(kRequest)) << address;
    }
    link.SetDeviceAddress("127.0.0.2");
    const int heard = static_cast<int>(mixerHeard.size());
    QTest::qWait(50);
    EXPECT_EQ(static_cast<int>(mixerHeard.size()), heard);
    edit(30);
    ASSERT_TRUE(WaitUntil([&] { return mixer->State().strips[0].level == 30; }));
}

TEST_F(MixerLinkTest, GarbageAndFloodsAreDroppedAndTheLinkKeepsListening) {
    ConnectToMixer();
    LoopbackPeer attacker("127.0.0.3", port);
    ASSERT_TRUE(attacker.bound);
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> byte(0, 255), size(0, 400);
    for (int n = 0; n < 3000; ++n) {
        std::string junk(size(rng), '\0');
        for (char& c : junk) c = static_cast<char>(byte(rng));
        attacker.Send(junk, "127.0.0.1", port);
        if (n % 100 == 99) QTest::qWait(2);
    }
    attacker.Send(std::string(500, '%'), "127.0.0.1", port);
    attacker.Send("%Q,01,FFFF#", "127.0.0.1", port);
    attacker.Send("%Z,01,12,34,0000#", "127.0.0.1", port);
    for (int n = 0; n < 40; ++n) attacker.Send(std::string(128, 'A'), "127.0.0.1", port);  // never finished

    // The mixer's reports still get through and are applied.
    QSignalSpy reports(&link, &MixerLink::meterReportApplied);
    ASSERT_TRUE(WaitUntil([&] { return reports.count() >= 3; }, 10000));
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(link.StatusText(), QString::fromUtf8("在线"));
    EXPECT_LE(link.State().residue.size(), kMaxMessageLength);
}

TEST_F(MixerLinkTest, TheLanguageChangesTheShownTextsAtOnce) {
    QSignalSpy captions(&link, &MixerLink::connectCaptionChanged);
    QSignalSpy status(&link, &MixerLink::statusTextChanged);
    link.SetLanguage(kLanguageEnglish);
    EXPECT_EQ(link.ConnectCaption(), "CONNECT");
    EXPECT_EQ(link.StatusText(), "OFFLINE");
    EXPECT_EQ(captions.count(), 1);
    EXPECT_EQ(status.count(), 1);
    link.SetLanguage(3);
    EXPECT_EQ(link.StatusText(), "OFFLINE");
    EXPECT_EQ(captions.count(), 1);

    ConnectToMixer();
    EXPECT_EQ(link.ConnectCaption(), "DISCONNECT");
    EXPECT_EQ(link.StatusText(), "ONLINE");
    link.SetLanguage(kLanguageChinese);
    EXPECT_EQ(link.ConnectCaption(), QString::fromUtf8("断开"));
    EXPECT_EQ(link.StatusText(), QString::fromUtf8("在线"));
}
