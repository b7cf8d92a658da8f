// The server on a loopback socket with a client that speaks liblo, and a
// window that only records what it was asked: answers, edits through the
// model, feedback within 50 ms, meters at most 20 a second, and nothing
// changed by what it cannot use, however much of it comes.
#include "osc/osc_server.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "host/app_context.h"
#include "host/gbk_text.h"
#include "loopback.h"
#include "osc/osc_test_client.h"

using namespace mixer;
using mixer::testing::OscTestClient;
using mixer::testing::WaitUntil;

namespace {

class RecordingHost : public OscHost {
public:
    explicit RecordingHost(AppContext& context) : context_(context) {}
    bool TakesEdits() const override { return takesEdits; }
    StripLinks InputLinks(int) override { return links; }
    void PressMuteGroup(int k) override { context_.activeMuteGroup = context_.activeMuteGroup == k ? 0 : k; }
    void RecallScene(int, std::optional<int>) override {}
    void SaveScene() override {}
    void Undo() override {}
    void Redo() override {}

    bool takesEdits = true;
    StripLinks links;

private:
    AppContext& context_;
};

class OscServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.enabled = true;
        settings.port = mixer::testing::FreeLoopbackPort();
        ASSERT_TRUE(server.Apply(settings)) << server.LastError().toStdString();
        ASSERT_TRUE(client.bound);
    }

    // Sends and waits until the server has read it.
    template <typename... Args>
    void Send(const char* path, const char* types, Args... args) {
        client.Send(port(), path, types, args...);
        QTest::qWait(5);
    }
    quint16 port() const { return static_cast<quint16>(settings.port); }
    bool HeardOn(const std::string& path, std::size_t count = 1) {
        return WaitUntil([&] { return client.On(path).size() >= count; });
    }

    AppContext context;
    RecordingHost host{context};
    OscServer server{context, host};
    OscSettings settings;
    OscTestClient client;
};

TEST_F(OscServerTest, QueriesAreAnsweredAndValuesGoThroughTheModelToTheLinkedChannels) {
    SetGbkName(context.model.Mirror().strips[2].name, QStringLiteral("鼓"));
    host.links.linked = true;
    host.links.count = 2;
    host.links.channels = {2, 3};
    host.links.functions[kLinkVol] = 1;
    QSignalSpy changed(&context.model, &MixerModel::changed);

    Send("/ch/3/fader", "f", -10.0f);
    Send("/ch/3/fader/raw", "");
    Send("/ch/3/name", "");
    Send("/ch/3/pan", "d", 0.25);
    ASSERT_TRUE(HeardOn("/ch/3/name"));
    ASSERT_TRUE(HeardOn("/ch/3/fader/raw"));
    EXPECT_EQ(context.state.strips[3].level, 50);
    EXPECT_EQ(context.state.strips[2].pan, 125);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(client.On("/ch/3/fader/raw")[0].types, "i");
    EXPECT_EQ(client.On("/ch/3/fader/raw")[0].numbers, std::vector<double>{50});
    EXPECT_EQ(client.On("/ch/3/name")[0].text, "鼓");
    EXPECT_EQ(server.IgnoredCount(), 0);

    // No edit while the window takes none; questions are still answered.
    host.takesEdits = false;
    Send("/ch/3/fader", "f", 5.0f);
    Send("/ch/3/fader", "");
    ASSERT_TRUE(HeardOn("/ch/3/fader"));
    EXPECT_EQ(client.On("/ch/3/fader")[0].numbers, std::vector<double>{-10});
    EXPECT_EQ(server.IgnoredCount(), 1);
}

TEST_F(OscServerTest, SubscribersHearEveryChangeWithin50MsUntilTheyStopRenewing) {
    ManualClock clock;
    server.SetClock(clock);
    OscTestClient renewing(QStringLiteral("127.0.0.2"));
    renewing.Send(port(), "/subscribe", "");
    Send("/subscribe", "");
    QElapsedTimer took;
    took.start();
    // A change from elsewhere, as the window or the mixer makes one.
    context.model.Edit([](MixerState& s) { return WriteStripMute(s, 6, 1); });
    ASSERT_TRUE(HeardOn("/ch/7/mute"));
    EXPECT_LT(took.elapsed(), 50);
    EXPECT_EQ(client.On("/ch/7/mute")[0].numbers, std::vector<double>{1});
    EXPECT_TRUE(client.On("/ch/7/fader").empty());  // only what changed

    // The engaged mute group is the window's, not the state's, and is told too.
    Send("/mutegroup/2", "T");
    ASSERT_TRUE(HeardOn("/mutegroup/2"));
    EXPECT_EQ(context.activeMuteGroup, 2);

    // One client renews more often than the server looks; the other lapses.
    clock.Advance(OscSubscribers::kLifetime);
    for (int n = 0; n < (OscServer::kHousekeepingMs + 300) / 100; ++n) {
        renewing.Send(port(), "/subscribe", "");
        QTest::qWait(100);
    }
    const std::size_t heard = client.heard.size();
    context.model.Edit([](MixerState& s) { return WriteStripMute(s, 6, 0); });
    ASSERT_TRUE(WaitUntil([&] { return renewing.On("/ch/7/mute").size() == 2; }));
    EXPECT_EQ(client.heard.size(), heard);
}

TEST_F(OscServerTest, MetersComeAtMostTwentyTimesASecondAndOnlyWhenTheyMove) {
    Send("/meters", "");
    QTimer report;
    int level = 0;
    QObject::connect(&report, &QTimer::timeout, [&] {
        context.model.EditMeters([&](MixerState& s) {
            s.strips[0].meter = ++level % 200 + 1;
            return true;
        });
    });
    report.start(5);
    QTest::qWait(1000);
    report.stop();
    const auto meters = client.On("/meters");
    EXPECT_GE(meters.size(), 10u);
    EXPECT_LE(meters.size(), 21u);
    ASSERT_FALSE(meters.empty());
    EXPECT_EQ(meters.back().numbers.size(), std::size_t(kMeterValueCount));
    QTest::qWait(3 * OscServer::kMeterIntervalMs);
    const std::size_t settled = client.On("/meters").size();
    QTest::qWait(3 * OscServer::kMeterIntervalMs);
    EXPECT_EQ(client.On("/meters").size(), settled);
}

TEST_F(OscServerTest, GarbageWrongArgumentsAndFloodsChangeNothingAndTheWindowKeepsItsTurn) {
    const MixerState before = context.state;
    Send("/ch/1/fader", "s", "-10");
    Send("/ch/1/fader", "ff", 1.0f, 2.0f);
    Send("/ch/1/fader", "f", std::nanf(""));
    Send("/ch/1/mute", "N");
    Send("/ch/0/fader", "f", 1.0f);
    Send("/ch/1/name", "s", "Kick");
    client.SendRaw(port(), QByteArray("#bundle\0\0\0\0\0\0\0\0\1\0\0\0\0", 20));
    client.SendRaw(port(), QByteArray("/ch/1/fader\0,f\0\0", 16));  // the float is missing
    QTest::qWait(20);
    EXPECT_EQ(server.IgnoredCount(), 8);

    // Random datagrams and valid edits as fast as the socket takes them,
    // while a timer of the window's wants to run every 5 ms.
    std::mt19937 random(7);
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    sinceTick.start();
    ticker.start(5);
    for (int n = 0; n < 20000; ++n) {
        QByteArray junk(static_cast<int>(random() % 64), '\0');
        for (char& c : junk) c = static_cast<char>(random());
        if (n % 2) junk.replace(0, 4, "/ch/");
        client.SendRaw(port(), junk);
        if (n % 1000 == 0) {
            client.Send(port(), "/ch/2/fader/raw", "i", n % 71);
            QCoreApplication::processEvents();
        }
    }
    // The flood may have filled the socket: ask until the server has caught up.
    ASSERT_TRUE(WaitUntil([&] {
        client.Send(port(), "/ignored", "");
        return !client.On("/ignored").empty();
    }));
    ticker.stop();
    EXPECT_LT(longestGap, 200);
    // More than a batch at once, and nothing after it: the rest is read too.
    for (int n = 0; n < 3 * OscServer::kReadBatch; ++n) client.Send(port(), "/ch/2/fader/raw", "i", n % 71);
    client.Send(port(), "/ch/2/fader/raw", "i", 33);
    ASSERT_TRUE(WaitUntil([&] { return context.state.strips[1].level == 33; }));
    MixerState expected = before;
    expected.strips[1].level = 33;
    EXPECT_EQ(std::memcmp(&context.state, &expected, sizeof expected), 0);
    EXPECT_GT(client.On("/ignored")[0].numbers[0], 8);
}

TEST_F(OscServerTest, OnlyListedSendersAreAnsweredAndATakenPortIsReported) {
    OscSettings listed = settings;
    listed.allowed = {"127.0.0.2"};
    ASSERT_TRUE(server.Apply(listed));
    OscTestClient allowed(QStringLiteral("127.0.0.2"));
    Send("/ch/1/mute", "i", 1);
    allowed.Send(port(), "/ch/2/mute", "i", 1);
    ASSERT_TRUE(WaitUntil([&] { return context.state.strips[1].mute == 1; }));
    EXPECT_EQ(context.state.strips[0].mute, 0);
    EXPECT_EQ(server.IgnoredCount(), 1);

    AppContext other;
    RecordingHost otherHost(other);
    OscServer second(other, otherHost);
    EXPECT_FALSE(second.Apply(settings));
    EXPECT_FALSE(second.IsListening());
    EXPECT_FALSE(second.Settings().enabled);
    EXPECT_FALSE(second.LastError().isEmpty());
}

}  // namespace
