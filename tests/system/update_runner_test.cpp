// Firmware updates on the wire: the update socket on 127.0.0.1 talks to the
// simulated mixer on 127.0.0.2, which checks every image's checksum and keeps
// it; the update page and the images come from a web server on 127.0.0.1.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <gtest/gtest.h>

#include "link/wire_format.h"
#include "loopback.h"
#include "sim/simulated_mixer.h"
#include "system/fast_timing.h"
#include "system/local_http_server.h"
#include "system/update_runner.h"

using namespace mixer;
using mixer::testing::WaitUntil;

namespace {

QByteArray Image(int length, int seed) {
    QByteArray image(length, '\0');
    for (int i = 0; i < length; ++i) image[i] = static_cast<char>(i * 7 + seed + i / 251);
    return image;
}

quint16 Checksum(const QByteArray& bytes) { return Crc16Modbus(bytes.constData(), static_cast<std::size_t>(bytes.size())); }

struct Arrival {
    int target;
    int length;
    quint16 checksum;
    bool accepted;
};

class UpdateOnTheWire : public ::testing::Test {
protected:
    void StartMixer(SimOptions options = {}) {
        options.address = "127.0.0.2";
        options.port = port;
        mixer = std::make_unique<SimulatedMixer>(options);
        QString error;
        ASSERT_TRUE(mixer->Start(error)) << error.toStdString();
        QObject::connect(mixer.get(), &SimulatedMixer::imageReceived,
                         [this](int target, int length, quint16 checksum, bool accepted) {
                             arrivals.push_back({target, length, checksum, accepted});
                         });
        QObject::connect(mixer.get(), &SimulatedMixer::received,
                         [this](const QString& message, const QString&) { received << message; });
    }

    void WriteFile(const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    UpdateJob Job(bool remote = false) {
        UpdateJob job;
        job.remote = remote;
        job.deviceAddress = "127.0.0.2";
        job.bindAddress = "127.0.0.1";
        job.port = port;
        job.dataDir = dir.path();
        job.pageUrl = web.Url("/update.txt");
        job.localVersion = "12";
        job.timing = mixer::testing::FastTiming();
        return job;
    }

    // Runs the job to its end; the outcome, or -1 when it did not end in time.
    int Run(const UpdateJob& job) {
        QSignalSpy finished(&runner, &UpdateRunner::finished);
        if (!runner.Start(job) || !WaitUntil([&] { return !finished.isEmpty(); }, 10000)) return -1;
        deviceVersion = finished.front().at(1).toString();
        return finished.front().at(0).toInt();
    }

    int Count(char letter) const {
        int n = 0;
        for (const QString& m : received) n += m.size() > 1 && m[1] == QLatin1Char(letter);
        return n;
    }

    const quint16 port = mixer::testing::FreeLoopbackPort();
    QTemporaryDir dir;
    mixer::testing::LocalHttpServer web;
    std::unique_ptr<SimulatedMixer> mixer;
    UpdateRunner runner;
    std::vector<Arrival> arrivals;
    QStringList received;
    QString deviceVersion;
};

TEST_F(UpdateOnTheWire, EveryBlockCaseArrivesWithItsChecksum) {
    StartMixer();
    const std::vector<std::pair<int, int>> pairs = {{2048, 1500}, {100, 1023}, {2047, 1}};
    for (const auto& [mainLength, dspLength] : pairs) {
        arrivals.clear();
        received.clear();
        const QByteArray main = Image(mainLength, 3);
        const QByteArray dsp = Image(dspLength, 5);
        WriteFile("Quorvane.bin", main);
        WriteFile("LSBF_DSP21489.bin", dsp);
        ASSERT_EQ(Run(Job()), static_cast<int>(UpdateOutcome::Success)) << mainLength;
        ASSERT_EQ(arrivals.size(), 2u) << mainLength;
        EXPECT_EQ(arrivals[0].target, 1);
        EXPECT_EQ(arrivals[0].length, mainLength);
        EXPECT_EQ(arrivals[0].checksum, Checksum(main));
        EXPECT_TRUE(arrivals[0].accepted);
        EXPECT_EQ(arrivals[1].target, 0);
        EXPECT_EQ(arrivals[1].length, dspLength);
        EXPECT_EQ(arrivals[1].checksum, Checksum(dsp));
        EXPECT_TRUE(arrivals[1].accepted);
        EXPECT_EQ(Count('T'), (mainLength + 2 + 1023) / 1024 + (dspLength + 2 + 1023) / 1024) << mainLength;
        EXPECT_EQ(deviceVersion, "12");
    }
    EXPECT_EQ(mixer->LastImage()->bytes, std::vector<uint8_t>(1, static_cast<uint8_t>(Image(1, 5)[0])));
}

TEST_F(UpdateOnTheWire, HeadersAnnounceTheDataAlone) {
    StartMixer();
    WriteFile("Quorvane.bin", Image(2048, 1));
    WriteFile("LSBF_DSP21489.bin", Image(1500, 2));
    ASSERT_EQ(Run(Job()), static_cast<int>(UpdateOutcome::Success));
    QStringList headers;
    for (const QString& m : received)
        if (m.startsWith("%S")) headers << m.left(m.size() - 5);
    EXPECT_EQ(headers, (QStringList{"%S,01,1,02,00800,", "%S,01,0,02,005DC,"}));
}

TEST_F(UpdateOnTheWire, ALostAcknowledgementDelaysTheTransferButItGoesOn) {
    SimOptions options;
    options.dropAckOfBlock = 0;
    StartMixer(options);
    WriteFile("Quorvane.bin", Image(3000, 1));
    WriteFile("LSBF_DSP21489.bin", Image(700, 2));
    EXPECT_EQ(Run(Job()), static_cast<int>(UpdateOutcome::Success));
    ASSERT_EQ(arrivals.size(), 2u);
    EXPECT_TRUE(arrivals[0].accepted && arrivals[1].accepted);
}

TEST_F(UpdateOnTheWire, ARefusedImageFailsAndTheDspImageStaysUnsent) {
    SimOptions options;
    options.refuseFirmware = true;
    StartMixer(options);
    WriteFile("Quorvane.bin", Image(1500, 1));
    WriteFile("LSBF_DSP21489.bin", Image(700, 2));
    EXPECT_EQ(Run(Job()), static_cast<int>(UpdateOutcome::TransferFail));
    EXPECT_EQ(arrivals.size(), 1u);
    EXPECT_EQ(Count('S'), 1);
}

TEST_F(UpdateOnTheWire, AMissingImageFailsWithoutAHeader) {
    StartMixer();
    WriteFile("LSBF_DSP21489.bin", Image(700, 2));
    EXPECT_EQ(Run(Job()), static_cast<int>(UpdateOutcome::TransferFail));
    EXPECT_EQ(Count('Z'), 1);
    EXPECT_EQ(Count('S'), 0);
}

TEST_F(UpdateOnTheWire, ASilentMixerGivesAVersionErrorAndABoundPortASocketError) {
    SimOptions options;
    options.neverAnswer = true;
    StartMixer(options);
    EXPECT_EQ(Run(Job()), static_cast<int>(UpdateOutcome::VersionError));

    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress("127.0.0.1"), port, QAbstractSocket::DontShareAddress));
    EXPECT_EQ(Run(Job()), static_cast<int>(UpdateOutcome::SocketError));
}

TEST_F(UpdateOnTheWire, StopEndsATransferAtOnceAndFreesThePort) {
    SimOptions options;
    options.dropAckOfBlock = 1;
    StartMixer(options);
    WriteFile("Quorvane.bin", Image(5000, 1));
    UpdateJob job = Job();
    job.timing.replyPolls = 4000;  // 8 s for the lost acknowledgement, as in the protocol
    QSignalSpy finished(&runner, &UpdateRunner::finished);
    QSignalSpy progress(&runner, &UpdateRunner::progressChanged);
    ASSERT_TRUE(runner.Start(job));
    ASSERT_TRUE(WaitUntil([&] { return Count('T') >= 2; }, 8000));
    runner.Stop();
    EXPECT_FALSE(runner.IsRunning());
    QTest::qWait(50);
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_FALSE(progress.isEmpty());
    QUdpSocket again;
    EXPECT_TRUE(again.bind(QHostAddress("127.0.0.1"), port, QAbstractSocket::DontShareAddress));
}

// The update page: versions compared as numbers, then both downloads, then both images.
class RemoteUpdateOnTheWire : public UpdateOnTheWire {
protected:
    void Publish(const QString& version) {
        web.bodies["/update.txt"] = ("<p>##$$" + web.Url("/dsp.bin") + "%%%%" + web.Url("/main.bin") + "%%%%" +
                                     version + "$$##</p>")
                                        .toLatin1();
        web.bodies["/dsp.bin"] = dsp;
        web.bodies["/main.bin"] = main;
    }

    QByteArray FileText(const char* name) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    const QByteArray dsp = Image(1500, 9);
    const QByteArray main = Image(20000, 4);
};

TEST_F(RemoteUpdateOnTheWire, ANewerVersionIsDownloadedAndSent) {
    SimOptions options;
    options.version = "09";
    StartMixer(options);
    Publish("12");
    ASSERT_EQ(Run(Job(true)), static_cast<int>(UpdateOutcome::Success));
    EXPECT_EQ(web.requested, (QStringList{"/update.txt", "/dsp.bin", "/main.bin"}));
    EXPECT_EQ(FileText("upate1.bin"), dsp);
    EXPECT_EQ(FileText("upate2.bin"), main);
    ASSERT_EQ(arrivals.size(), 2u);
    EXPECT_EQ(arrivals[0].length, main.size());
    EXPECT_EQ(arrivals[0].checksum, Checksum(main));
    EXPECT_EQ(arrivals[1].length, dsp.size());
    EXPECT_EQ(deviceVersion, "09");
}

TEST_F(RemoteUpdateOnTheWire, TheSameOrAnOlderPublishedVersionLeavesTheMixerAlone) {
    StartMixer();  // version 12
    for (const char* version : {"9", "12"}) {
        Publish(version);
        EXPECT_EQ(Run(Job(true)), static_cast<int>(UpdateOutcome::Newest)) << version;
    }
    EXPECT_EQ(web.requested, (QStringList{"/update.txt", "/update.txt"}));
    EXPECT_EQ(Count('S'), 0);
}

TEST_F(RemoteUpdateOnTheWire, ABrokenPageOrAFailedDownloadSendsNothing) {
    SimOptions options;
    options.version = "10";
    StartMixer(options);
    EXPECT_EQ(Run(Job(true)), static_cast<int>(UpdateOutcome::PageFail));  // no page at all
    for (const QByteArray& page : {QByteArray("##$$ab$$##"), QByteArray("##$$http://a/1 http://b/2 12$$##")}) {
        web.bodies["/update.txt"] = page;
        EXPECT_EQ(Run(Job(true)), static_cast<int>(UpdateOutcome::PageFail)) << page.toStdString();
    }

    Publish("11");
    web.bodies.remove("/main.bin");
    WriteFile("upate2.bin", "an earlier download");
    EXPECT_EQ(Run(Job(true)), static_cast<int>(UpdateOutcome::DownloadFail));
    EXPECT_EQ(FileText("upate2.bin"), "an earlier download");
    EXPECT_EQ(Count('S'), 0);
    EXPECT_TRUE(arrivals.empty());
}

}  // namespace
