// The editor's link as the console sees it, against the demo mixer over
// loopback: connecting through the console interface, the indicators it
// reports, and sending only while connected.

#include "app/editor_link.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "host/app_context.h"
#include "link/commands.h"
#include "link/mixer_link.h"
#include "link/notifier.h"
#include "loopback.h"
#include "sim/simulated_mixer.h"

using namespace mixer;
using mixer::testing::WaitUntil;

namespace {

class EditorLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        options.port = mixer::testing::FreeLoopbackPort();
        options.demo = true;
        built = BuildEditorLink(context, options, notifier);
    }

    AppContext context;
    EditorOptions options;
    RecordingNotifier notifier;
    EditorLink built;
};

}  // namespace

TEST_F(EditorLinkTest, DemoPointsAtTheSimulatedMixerOnLoopbackAndConnects) {
    ASSERT_TRUE(built.demoMixer);
    EXPECT_EQ(options.deviceAddress, std::string(kDemoMixerAddress));
    EXPECT_EQ(options.bindAddress, std::string(kDemoBindAddress));
    EXPECT_TRUE(options.connect);

    ConsoleLink& link = *built.link;
    context.deviceAddress = QString::fromStdString(*options.deviceAddress);
    EXPECT_FALSE(link.Send(BuildA(context.model.Mirror(), 1)));  // not connected yet: nothing goes out

    QSignalSpy replies(&link, &ConsoleLink::stateReplyApplied);
    QSignalSpy meters(&link, &ConsoleLink::meterReportApplied);
    link.Connect();
    ASSERT_TRUE(WaitUntil([&] { return replies.count() > 0 && meters.count() > 0; }));
    EXPECT_TRUE(link.IsConnected());
    EXPECT_TRUE(link.ConnectionLit());
    EXPECT_TRUE(link.StatusOnline());
    EXPECT_EQ(context.firmwareVersion, "12");

    context.model.Mirror().strips[4].level = 33;
    ASSERT_TRUE(link.Send(BuildA(context.model.Mirror(), 5)));
    ASSERT_TRUE(WaitUntil([&] { return built.demoMixer->State().strips[4].level == 33; }));
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(EditorLinkTest, ShutdownTurnsTheMetersOffAndStopsTheReceiver) {
    ConsoleLink& link = *built.link;
    context.deviceAddress = QString::fromStdString(*options.deviceAddress);
    QSignalSpy replies(&link, &ConsoleLink::stateReplyApplied);
    link.Connect();
    ASSERT_TRUE(WaitUntil([&] { return replies.count() > 0; }));
    EXPECT_TRUE(link.IsReceiving());
    link.Shutdown();
    EXPECT_FALSE(link.IsConnected());
    ASSERT_TRUE(WaitUntil([&] { return !link.IsReceiving(); }));
    EXPECT_TRUE(WaitUntil([&] { return !built.demoMixer->MetersStreaming(); }));
}
