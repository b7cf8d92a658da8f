#include "sim/simulated_mixer.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <cstring>
#include <random>

#include "link/commands.h"
#include "link/firmware_framing.h"
#include "link/meter_report.h"
#include "link/state_reply.h"
#include "link/wire_format.h"
#include "loopback.h"

using namespace mixer;
using mixer::testing::LoopbackPeer;
using mixer::testing::WaitUntil;

namespace {

class SimulatedMixerTest : public ::testing::Test {
protected:
    void SetUp() override {
        port = mixer::testing::FreeLoopbackPort();
        options.address = "127.0.0.2";
        options.port = port;
        options.meterRateHz = 100;
    }

    // Starts the mixer with the options as they stand.
    void Start() {
        mixer = std::make_unique<SimulatedMixer>(options);
        QString error;
        ASSERT_TRUE(mixer->Start(error)) << error.toStdString();
    }

    void Send(const std::string& datagram) { client.Send(datagram, "127.0.0.2", port); }

    // A client on another port than the mixer's: replies must find it anyway.
    LoopbackPeer client{"127.0.0.1", 0};
    quint16 port = 0;
    SimOptions options;
    std::unique_ptr<SimulatedMixer> mixer;
};

}  // namespace

TEST_F(SimulatedMixerTest, AnswersTheFullStateRequestInSmallDatagramsToTheRequester) {
    Start();
    Send("%Z,01,F143#");
    ASSERT_TRUE(WaitUntil([&] { return client.Count('Z') == 1; }));
    for (int size : client.datagramSizes) EXPECT_LE(size, 128);
    EXPECT_GT(client.datagramSizes.size(), 10u);

    const std::string& reply = client.messages.back();
    EXPECT_EQ(SplitParts(reply).size(), 30u);  // letter, unit, 27 groups, checksum
    MixerState parsed{};
    std::string version;
    ASSERT_TRUE(ParseStateReply(reply, parsed, version));
    EXPECT_EQ(version, "12");
    EXPECT_EQ(parsed.strips[0].level, 60);
    EXPECT_EQ(parsed.strips[0].peqBands[3].freq, 5000);
    EXPECT_EQ(parsed.strips[kReverbReturn].reverbParams[kRevTime], 3);
}

TEST_F(SimulatedMixerTest, EditsShowInTheNextReply) {
    Start();
    MixerState edited = mixer->State();
    edited.strips[4].level = 22;
    edited.strips[4].mute = 1;
    edited.strips[9].peqBands[1].freq = 1234;
    edited.strips[9].peqBands[1].gain2 = 40;
    edited.buses[6].geqBands[12].gain2 = 300;
    edited.buses[3].busMode = 3;
    edited.strips[kDelayReturn].delayParams[kFeedback] = 77;
    for (const std::string& c : {BuildA(edited, 5), BuildG(edited, 10, 2), BuildH(edited, 7), BuildP(edited, 4),
                                 BuildN(edited)})
        Send(c);
    Send("%Z,01,F143#");
    ASSERT_TRUE(WaitUntil([&] { return client.Count('Z') == 1; }));

    MixerState parsed{};
    std::string version;
    ASSERT_TRUE(ParseStateReply(client.messages.back(), parsed, version));
    EXPECT_EQ(parsed.strips[4].level, 22);
    EXPECT_EQ(parsed.strips[4].mute, 1);
    EXPECT_EQ(parsed.strips[9].peqBands[1].freq, 1234);
    EXPECT_EQ(parsed.strips[9].peqBands[1].gain2, 40);
    EXPECT_EQ(parsed.buses[6].geqBands[12].gain2, 300);
    EXPECT_EQ(parsed.buses[3].busMode, 3);
    EXPECT_EQ(parsed.strips[kDelayReturn].delayParams[kFeedback], 77);
}

TEST_F(SimulatedMixerTest, StreamsMetersBetweenOnAndOffThatFollowTheMutes) {
    Start();
    Send(BuildQ(true));
    ASSERT_TRUE(WaitUntil([&] { return client.Count('Q') >= 5; }));
    MixerState seen{};
    ASSERT_TRUE(ParseMeterReport(client.messages.back(), seen));
    EXPECT_GT(seen.strips[0].meter, 0);

    MixerState edited = mixer->State();
    edited.strips[0].mute = 1;
    Send(BuildA(edited, 1));
    const int before = client.Count('Q');
    ASSERT_TRUE(WaitUntil([&] { return client.Count('Q') >= before + 3; }));
    ASSERT_TRUE(ParseMeterReport(client.messages.back(), seen));
    EXPECT_EQ(seen.strips[0].meter, 0);

    Send(BuildQ(false));
    ASSERT_TRUE(WaitUntil([&] { return !mixer->MetersStreaming(); }));
    const int stopped = client.Count('Q');
    QTest::qWait(100);
    EXPECT_EQ(client.Count('Q'), stopped);
}

TEST_F(SimulatedMixerTest, AnswersAValidProbeOnly) {
    Start();
    Send("%R,01,00,30A1#");
    Send("%R,01,00,30A0#");
    ASSERT_TRUE(WaitUntil([&] { return client.Count('R') == 1; }));
    QTest::qWait(50);
    EXPECT_EQ(client.Count('R'), 1);
    EXPECT_TRUE(CheckFrame(client.messages.back()));
}

TEST_F(SimulatedMixerTest, ReceivesAFirmwareImageAndReportsItsChecksum) {
    Start();
    QSignalSpy images(mixer.get(), &SimulatedMixer::imageReceived);
    std::vector<uint8_t> image(2500);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i ^ (i >> 3));

    Send(BuildTransferHeader(kTargetMainBoard, image.size()));
    ASSERT_TRUE(WaitUntil([&] { return client.Count('S') == 1; }));
    const auto blocks = FirmwareBlocks(image);
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        for (const std::string& piece : CutIntoPieces(BuildTransferBlock(kTargetMainBoard, static_cast<int>(b), blocks[b])))
            Send(piece);
        ASSERT_TRUE(WaitUntil([&] { return client.Count('Y') == static_cast<int>(b) + 1; }));
    }
    ASSERT_TRUE(WaitUntil([&] { return client.Count('U') == 1; }));
    int status = -1;
    ASSERT_TRUE(ReadVerificationStatus(client.messages.back(), status));
    EXPECT_EQ(status, 0);
    ASSERT_TRUE(mixer->LastImage().has_value());
    EXPECT_EQ(mixer->LastImage()->bytes, image);
    ASSERT_EQ(images.count(), 1);
    EXPECT_EQ(images[0][1].toInt(), 2500);
    EXPECT_EQ(images[0][2].value<quint16>(), Crc16Modbus(image.data(), image.size()));
}

TEST_F(SimulatedMixerTest, AnswersTheStateRequestOnlyFromTheChosenRequestOn) {
    options.answerFromRequest = 3;
    Start();
    Send("%Z,01,F143#");
    Send("%Z,01,F143#");
    ASSERT_TRUE(WaitUntil([&] { return mixer->StateRequests() == 2; }));
    QTest::qWait(50);
    EXPECT_EQ(client.Count('Z'), 0);
    Send("%Z,01,F143#");
    EXPECT_TRUE(WaitUntil([&] { return client.Count('Z') == 1; }));
}

TEST_F(SimulatedMixerTest, StopsItsMeterStreamByItselfWhenTold) {
    options.stopMetersAfter = 0.1;
    Start();
    Send(BuildQ(true));
    ASSERT_TRUE(WaitUntil([&] { return client.Count('Q') > 0; }));
    ASSERT_TRUE(WaitUntil([&] { return !mixer->MetersStreaming(); }));
    const int count = client.Count('Q');
    QTest::qWait(100);
    EXPECT_EQ(client.Count('Q'), count);
}

TEST_F(SimulatedMixerTest, ANeverAnsweringMixerStillTakesEdits) {
    options.neverAnswer = true;
    Start();
    QSignalSpy received(mixer.get(), &SimulatedMixer::received);
    MixerState edited = mixer->State();
    edited.strips[1].level = 11;
    for (const std::string& m : {std::string("%Z,01,F143#"), BuildQ(true), std::string("%R,01,00,30A0#"),
                                 BuildTransferHeader(0, 10), BuildA(edited, 2)})
        Send(m);
    ASSERT_TRUE(WaitUntil([&] { return received.count() == 5; }));
    QTest::qWait(100);
    EXPECT_TRUE(client.messages.empty());
    EXPECT_EQ(mixer->State().strips[1].level, 11);
}

TEST_F(SimulatedMixerTest, SurvivesGarbageAndFloodsAndAnswersAfterwards) {
    Start();
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> byte(0, 255), size(0, 300);
    for (int n = 0; n < 3000; ++n) {
        std::string junk(size(rng), '\0');
        for (char& c : junk) c = static_cast<char>(byte(rng));
        Send(junk);
        // Let the mixer read, or the kernel drops what its buffer cannot hold.
        if (n % 100 == 99) QTest::qWait(2);
    }
    Send(std::string(120, '%'));
    Send("%Z,01,F143");  // never finished
    Send("%A,01,03,00,2A,FFFF#%T,01,1,00,GG,0000#");
    Send("#%Z,01,F143#");
    ASSERT_TRUE(WaitUntil([&] { return client.Count('Z') >= 1; }, 10000));
    EXPECT_EQ(mixer->State().strips[2].level, 60);
}

namespace {

// What a channel with the mixer's draws lets through of sent datagrams.
int Passing(double loss, uint64_t seed, Direction direction, int sent) {
    LossyChannel twin({loss, 0, 0}, SeededChance(seed, direction));
    int passed = 0;
    for (int n = 0; n < sent; ++n) passed += static_cast<int>(twin.Pass({}).size());
    return passed;
}

}  // namespace

TEST_F(SimulatedMixerTest, LosesInEachDirectionWhatItsSeedLoses) {
    struct Case {
        double in, out;
    };
    constexpr int kProbes = 40;
    options.seed = 9;
    for (const Case& c : {Case{0, 0}, Case{1, 0}, Case{0, 1}, Case{0.5, 0}, Case{0, 0.5}, Case{0.3, 0.3}}) {
        SCOPED_TRACE(::testing::Message() << "in " << c.in << ", out " << c.out);
        options.incoming.loss = c.in;
        options.outgoing.loss = c.out;
        Start();
        client.messages.clear();
        QSignalSpy received(mixer.get(), &SimulatedMixer::received);
        for (int n = 0; n < kProbes; ++n) Send("%R,01,00,30A0#");
        const int arriving = Passing(c.in, options.seed, Direction::kIncoming, kProbes);
        const int answered = Passing(c.out, options.seed, Direction::kOutgoing, arriving);
        EXPECT_TRUE(WaitUntil([&] { return received.count() == arriving && client.Count('R') == answered; }));
        QTest::qWait(50);
        EXPECT_EQ(received.count(), arriving);
        EXPECT_EQ(client.Count('R'), answered);
        mixer.reset();
    }
}

TEST_F(SimulatedMixerTest, DuplicatedAndHeldBackDatagramsAllArrive) {
    struct Case {
        NetworkFaults in, out;
        int received, answered;  // of nine probes
    };
    const Case cases[] = {
        {{0, 1, 0}, {}, 18, 18},
        {{}, {0, 1, 0}, 9, 18},
        // Every datagram held back: pairs swap, and the odd last one of each
        // direction goes on its timer.
        {{0, 0, 1}, {0, 0, 1}, 9, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.received * 100 + c.answered);
        options.incoming = c.in;
        options.outgoing = c.out;
        Start();
        client.messages.clear();
        QSignalSpy received(mixer.get(), &SimulatedMixer::received);
        for (int n = 0; n < 9; ++n) Send("%R,01,00,30A0#");
        EXPECT_TRUE(WaitUntil([&] { return received.count() == c.received && client.Count('R') == c.answered; }));
        QTest::qWait(2 * kHoldMs);
        EXPECT_EQ(received.count(), c.received);
        EXPECT_EQ(client.Count('R'), c.answered);
        mixer.reset();
    }
}

TEST_F(SimulatedMixerTest, PanelEditsChangeTheStateAndNothingIsSent) {
    Start();
    std::string error;
    EXPECT_EQ(mixer->ApplyPanel("%A,01,05,01,2A,", error), PanelOutcome::kApplied);
    EXPECT_EQ(mixer->ApplyPanel("%A,01,05,00,99,0000#", error), PanelOutcome::kRefused);
    EXPECT_EQ(mixer->ApplyPanel("%Z,01,F143#", error), PanelOutcome::kRefused);
    QTest::qWait(50);
    EXPECT_TRUE(client.messages.empty());
    EXPECT_EQ(mixer->State().strips[4].mute, 1);
    EXPECT_EQ(mixer->State().strips[4].level, 0x2A);
    Send("%Z,01,F143#");
    ASSERT_TRUE(WaitUntil([&] { return client.Count('Z') == 1; }));
    MixerState parsed{};
    std::string version;
    ASSERT_TRUE(ParseStateReply(client.messages.back(), parsed, version));
    EXPECT_EQ(parsed.strips[4].level, 0x2A);
}
