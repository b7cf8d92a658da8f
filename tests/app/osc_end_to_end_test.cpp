// The OSC server in the whole editor against the simulated mixer: what a
// cue program sends reaches the mixer and the window, what the window does
// reaches a subscriber, and scenes saved and recalled over OSC upload.

#include <QProcess>
#include <chrono>

#include "app/end_to_end_fixture.h"
#include "console/console_osc_host.h"
#include "osc/osc_server.h"
#include "osc/osc_test_client.h"

using namespace mixer;
using mixer::testing::EndToEnd;
using mixer::testing::OscTestClient;
using mixer::testing::WaitUntil;

namespace {

class OscEndToEnd : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        host = std::make_unique<ConsoleOscHost>(*window);
        osc = std::make_unique<OscServer>(context, *host);
        OscSettings settings;
        settings.enabled = true;
        settings.port = mixer::testing::FreeLoopbackPort();
        port = static_cast<quint16>(settings.port);
        ASSERT_TRUE(osc->Apply(settings)) << osc->LastError().toStdString();
    }

    bool Heard(const std::string& path) {
        return WaitUntil([&] { return !client.On(path).empty(); });
    }

    std::unique_ptr<ConsoleOscHost> host;
    std::unique_ptr<OscServer> osc;
    quint16 port = 0;
    OscTestClient client;
};

TEST_F(OscEndToEnd, AFaderSetOverOscReachesTheMixerAndTheStripAndAQueryReturnsIt) {
    client.Send(port, "/ch/5/fader", "f", -10.0f);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[4].level == 50; }));
    EXPECT_EQ(Input(4).Fader()->GetPos(), FaderPositionFromLevel(50));
    client.Send(port, "/ch/5/fader", "");
    ASSERT_TRUE(Heard("/ch/5/fader"));
    EXPECT_EQ(client.On("/ch/5/fader")[0].numbers, std::vector<double>{-10});

    // The README's example, with liblo's own command-line sender.
    QProcess oscsend;
    oscsend.start(QStringLiteral("oscsend"), {QStringLiteral("127.0.0.1"), QString::number(port),
                                               QStringLiteral("/ch/2/mute"), QStringLiteral("i"), QStringLiteral("1")});
    ASSERT_TRUE(oscsend.waitForFinished(5000)) << oscsend.errorString().toStdString();
    EXPECT_EQ(oscsend.exitCode(), 0);
    EXPECT_TRUE(WaitUntil([&] { return Mixer().State().strips[1].mute == 1; }));

    // Each OSC edit is a step of its own: /undo takes the mute back, then the fader.
    client.Send(port, "/undo", "");
    EXPECT_TRUE(WaitUntil([&] { return Mixer().State().strips[1].mute == 0; }));
    client.Send(port, "/undo", "");
    EXPECT_TRUE(WaitUntil([&] { return Mixer().State().strips[4].level != 50; }));
    client.Send(port, "/redo", "");
    EXPECT_TRUE(WaitUntil([&] { return Mixer().State().strips[4].level == 50; }));
}

TEST_F(OscEndToEnd, ASubscriberHearsAClickInTheWindowWithin50MsAndMuteGroupsLightTheWindow) {
    client.Send(port, "/subscribe", "");
    QTest::qWait(20);
    const qint64 clicked = client.clock.elapsed();
    Input(2).MuteButton()->click();
    ASSERT_TRUE(Heard("/ch/3/mute"));
    EXPECT_LT(client.On("/ch/3/mute")[0].atMs - clicked, 50);
    EXPECT_EQ(client.On("/ch/3/mute")[0].numbers, std::vector<double>{1});

    context.groups.mute[0].inputs[5] = 1;
    client.Send(port, "/mutegroup/1", "i", 1);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[5].mute == 1; }));
    EXPECT_TRUE(window->Navigation().muteGroupButtons[0]->GetDown());
    EXPECT_TRUE(Heard("/mutegroup/1"));
    EXPECT_TRUE(Heard("/ch/6/mute"));
}

TEST_F(OscEndToEnd, ASceneSavedAndRecalledOverOscIsUploadedToTheMixer) {
    auto* system = qobject_cast<CSystemDlg*>(window->Pages().system);
    ASSERT_NE(system, nullptr);
    // Paced, if briefly, so that no datagram of the upload overflows the mixer's socket.
    system->Upload()->SetInterval(std::chrono::milliseconds(2));
    client.Send(port, "/ch/1/fader/raw", "i", 33);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[0].level == 33; }));
    client.Send(port, "/scene/save", "");
    ASSERT_TRUE(WaitUntil([&] { return QFile::exists(dir.filePath(QStringLiteral("1.dat"))); }));
    client.Send(port, "/ch/1/fader/raw", "i", 5);
    ASSERT_TRUE(WaitUntil([&] { return Mixer().State().strips[0].level == 5; }));

    QSignalSpy received(&Mixer(), &SimulatedMixer::received);
    QSignalSpy done(system->Upload(), &UploadAll::finished);
    client.Send(port, "/scene/recall", "i", 1);
    ASSERT_TRUE(done.wait(10000));
    EXPECT_TRUE(done.at(0).at(0).toBool());
    EXPECT_TRUE(WaitUntil([&] { return received.count() >= kUploadMessageCount; }));
    EXPECT_TRUE(WaitUntil([&] { return Mixer().State().strips[0].level == 33; }));
}

}  // namespace
