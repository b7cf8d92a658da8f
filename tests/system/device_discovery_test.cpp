// The search on loopback: it binds 127.0.0.1 and so scans 127.0.0.0/24.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

#include <ctime>

#include "loopback.h"
#include "system/device_discovery.h"
#include "system/scan_fixture.h"

using namespace mixer;
using mixer::testing::LoopbackPeer;
using mixer::testing::WaitUntil;

namespace {

constexpr int kScanWaitMs = 6000;

// Processor time this thread has used so far, in milliseconds.
double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

TEST(DeviceDiscovery, ScansTheNetworkIn2Point5SecondsWithoutHoldingUpTheEventLoop) {
    const quint16 port = mixer::testing::FreeScanPort();
    mixer::testing::TwoMixers mixers(port);
    ASSERT_TRUE(mixers.started);
    LoopbackPeer host200("127.0.0.200", port);
    LoopbackPeer broadcast("127.0.0.255", port);
    ASSERT_TRUE(host200.bound && broadcast.bound);

    DeviceDiscovery discovery;
    discovery.SetLocal("127.0.0.1", port);
    QSignalSpy found(&discovery, &DeviceDiscovery::deviceFound);
    QSignalSpy progress(&discovery, &DeviceDiscovery::progressChanged);
    bool finished = false;
    QElapsedTimer scan;
    qint64 scanMs = 0;
    QObject::connect(&discovery, &DeviceDiscovery::scanFinished, [&] {
        finished = true;
        scanMs = scan.elapsed();
    });

    // A timer that should fire every 5 ms. Between two of its ticks the
    // loop may work at most 50 ms of processor time; the gap itself may grow
    // longer only when the machine is busy elsewhere (a shared machine stalls
    // a process for some 100 ms now and then), never by seconds as a scan
    // that sleeps between its probes would.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    double longestWork = 0;
    double cpu = ThreadCpuMs();
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const double now = ThreadCpuMs();
        longestWork = std::max(longestWork, now - cpu);
        longestGap = std::max(longestGap, sinceTick.restart());
        cpu = now;
    });

    scan.start();
    ASSERT_EQ(discovery.Start(), DeviceDiscovery::StartResult::Started);
    sinceTick.start();
    watch.start(5);
    EXPECT_EQ(discovery.Origin(), "127.0.0.1");
    EXPECT_TRUE(discovery.IsScanning());
    // The loop of a window, not a test's polling wait.
    QEventLoop loop;
    QObject::connect(&discovery, &DeviceDiscovery::scanFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kScanWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_TRUE(finished);
    watch.stop();
    WaitUntil([&] { return found.size() == 2; });

    EXPECT_GE(scanMs, 2400);
    EXPECT_LE(scanMs, 4500);
    EXPECT_LE(longestWork, 50.0);
    EXPECT_LT(longestGap, 500);
    EXPECT_EQ(discovery.Found(), (std::vector<std::string>{"127.0.0.5", "127.0.0.9"}));
    // Every other host got the probe twice; .255 and the computer's own none.
    EXPECT_EQ(host200.messages, (std::vector<std::string>{"%R,01,00,30A0#", "%R,01,00,30A0#"}));
    EXPECT_TRUE(broadcast.messages.empty());
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.first().at(0).toInt(), 2);
    EXPECT_EQ(progress.last().at(0).toInt(), 254);
    // The socket keeps listening after the scan, until it is stopped.
    EXPECT_TRUE(discovery.IsListening());
    discovery.Stop();
    EXPECT_FALSE(discovery.IsListening());
}

TEST(DeviceDiscovery, JoinsRepliesOverDatagramsAndListsASenderOnce) {
    const quint16 port = mixer::testing::FreeScanPort();
    DeviceDiscovery discovery;
    discovery.SetLocal("127.0.0.1", port);
    QSignalSpy found(&discovery, &DeviceDiscovery::deviceFound);
    ASSERT_EQ(discovery.Start(), DeviceDiscovery::StartResult::Started);

    LoopbackPeer mixer("127.0.0.200", port);
    ASSERT_TRUE(mixer.bound);
    mixer.Send("%R,01,00,", "127.0.0.1", port);
    mixer.Send("30A0#", "127.0.0.1", port);
    mixer.Send("%R,01,01,A0A1#", "127.0.0.1", port);
    mixer.Send("%Q,01,00,25E0#", "127.0.0.1", port);
    ASSERT_TRUE(WaitUntil([&] { return found.size() == 1; }));
    QTest::qWait(50);
    EXPECT_EQ(found.size(), 1);
    EXPECT_EQ(found.first().at(0).toString(), "127.0.0.200");

    // A new search forgets what the last one found.
    ASSERT_EQ(discovery.Start(), DeviceDiscovery::StartResult::Started);
    EXPECT_TRUE(discovery.Found().empty());
}

TEST(DeviceDiscovery, StartsNothingWithoutAnAddressToScanFrom) {
    DeviceDiscovery discovery;
    discovery.SetLocal("0.0.0.0", mixer::testing::FreeScanPort());
    discovery.SetInterfaceSource([] { return std::vector<InterfaceInfo>{{true, true, {"127.0.0.1"}}}; });
    QSignalSpy progress(&discovery, &DeviceDiscovery::progressChanged);
    EXPECT_EQ(discovery.Start(), DeviceDiscovery::StartResult::NoOrigin);
    EXPECT_FALSE(discovery.IsListening());
    EXPECT_FALSE(discovery.IsScanning());
    EXPECT_TRUE(progress.isEmpty());
}

TEST(DeviceDiscovery, ReportsAPortAlreadyTaken) {
    const quint16 port = mixer::testing::FreeScanPort();
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress("127.0.0.1"), port, QAbstractSocket::DontShareAddress));
    DeviceDiscovery discovery;
    discovery.SetLocal("127.0.0.1", port);
    EXPECT_EQ(discovery.Start(), DeviceDiscovery::StartResult::SocketError);
    EXPECT_FALSE(discovery.IsListening());
    EXPECT_FALSE(discovery.IsScanning());
}

}  // namespace
