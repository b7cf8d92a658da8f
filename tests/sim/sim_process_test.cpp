// mixer-sim as a program of its own, talked to by a client that shares no
// code with it: a raw POSIX socket.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "link/firmware_framing.h"
#include "link/state_reply.h"
#include "link/wire_format.h"
#include "loopback.h"

using mixer::testing::FreeLoopbackPort;

namespace {

class RawClient {
public:
    explicit RawClient(const char* address) {
        fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = 0;
        ::inet_pton(AF_INET, address, &local.sin_addr);
        bound_ = fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
    }
    ~RawClient() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool Bound() const { return bound_; }

    bool SendTo(const std::string& text, const char* address, uint16_t port) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        ::inet_pton(AF_INET, address, &to.sin_addr);
        return ::sendto(fd_, text.data(), text.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) ==
               static_cast<ssize_t>(text.size());
    }

    // Appends datagrams until the text ends in "#" or nothing comes for a while.
    std::string ReceiveMessage(int quietMs = 2000) {
        std::string text;
        char buffer[2048];
        pollfd p{fd_, POLLIN, 0};
        while (::poll(&p, 1, quietMs) > 0) {
            const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            text.append(buffer, static_cast<std::size_t>(got));
            if (text.back() == '#') break;
        }
        return text;
    }

private:
    int fd_ = -1;
    bool bound_ = false;
};

class SimProcessTest : public ::testing::Test {
protected:
    void Start(const QStringList& extra = {}) {
        port = FreeLoopbackPort();
        sim.setProgram(MIXER_SIM_PATH);
        sim.setArguments(QStringList{"--address", "127.0.0.3", "--port", QString::number(port)} + extra);
        sim.start();
        ASSERT_TRUE(sim.waitForStarted(5000));
        output.clear();
        ASSERT_TRUE(WaitForOutput("listening")) << output.toStdString();
    }
    bool WaitForOutput(const char* text) {
        return mixer::testing::WaitUntil([&] {
            output += sim.readAllStandardOutput();
            return output.contains(text);
        });
    }
    // Ends the program with a signal and waits for a clean exit.
    void EndWith(int signal) {
        ::kill(static_cast<pid_t>(sim.processId()), signal);
        ASSERT_TRUE(sim.waitForFinished(5000));
        EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(sim.exitCode(), 0);
        output += sim.readAllStandardOutput();
        EXPECT_TRUE(output.contains("stopped")) << output.toStdString();
    }

    QProcess sim;
    QByteArray output;
    quint16 port = 0;
};

}  // namespace

TEST_F(SimProcessTest, AnswersAForeignClientWithOneWholeReplyAndEndsOnSigterm) {
    Start();
    RawClient client("127.0.0.1");
    ASSERT_TRUE(client.Bound());
    ASSERT_TRUE(client.SendTo("%Z,01,F143#", "127.0.0.3", port));
    const std::string reply = client.ReceiveMessage();
    ASSERT_TRUE(mixer::CheckFrame(reply)) << reply.substr(0, 80);
    EXPECT_EQ(reply.substr(0, 6), "%Z,01,");
    EXPECT_EQ(mixer::SplitParts(reply).size(), 30u);  // letter, unit, 27 groups, checksum
    EXPECT_EQ(mixer::SplitParts(reply)[28], "12");
    EndWith(SIGTERM);
}

TEST_F(SimProcessTest, VerboseShowsTrafficAndSigintEndsIt) {
    Start({"--verbose", "--version", "34"});
    RawClient client("127.0.0.1");
    ASSERT_TRUE(client.SendTo("%R,01,00,30A0#", "127.0.0.3", port));
    EXPECT_TRUE(mixer::CheckFrame(client.ReceiveMessage()));
    ASSERT_TRUE(client.SendTo("%Z,01,F143#", "127.0.0.3", port));
    EXPECT_EQ(mixer::SplitParts(client.ReceiveMessage())[28], "34");
    EndWith(SIGINT);
    EXPECT_TRUE(output.contains("<- 127.0.0.1:")) << output.toStdString();
    EXPECT_TRUE(output.contains("%R,01,00,30A0#"));
    EXPECT_TRUE(output.contains("-> 127.0.0.1:"));
}

TEST_F(SimProcessTest, PrintsTheVerdictItReportsForAnImage) {
    struct Case {
        QStringList options;
        bool corrupt;
        int status;
        const char* verdict;
    };
    const Case cases[] = {
        {{}, false, 0, "checksum C3B3, accepted"},
        {{}, true, 1, "checksum C3B3, reported failed (checksum mismatch)"},
        {{"--refuse-firmware"}, false, 1, "checksum C3B3, reported failed (--refuse-firmware)"},
    };
    const std::vector<uint8_t> image = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verdict);
        Start(c.options);
        RawClient client("127.0.0.1");
        ASSERT_TRUE(client.SendTo(mixer::BuildTransferHeader(mixer::kTargetDsp, image.size()), "127.0.0.3", port));
        EXPECT_EQ(client.ReceiveMessage().substr(0, 3), "%S,");
        auto blocks = mixer::FirmwareBlocks(image);
        if (c.corrupt) blocks[0][0] ^= 0xFF;
        for (const std::string& piece : mixer::CutIntoPieces(mixer::BuildTransferBlock(mixer::kTargetDsp, 0, blocks[0])))
            ASSERT_TRUE(client.SendTo(piece, "127.0.0.3", port));
        EXPECT_EQ(client.ReceiveMessage().substr(0, 3), "%Y,");
        int status = -1;
        ASSERT_TRUE(mixer::ReadVerificationStatus(client.ReceiveMessage(), status));
        EXPECT_EQ(status, c.status);
        ASSERT_TRUE(WaitForOutput("image for target"));
        EndWith(SIGTERM);
        EXPECT_TRUE(output.contains(c.verdict)) << output.toStdString();
    }
}

TEST_F(SimProcessTest, PanelEditsFromAFileAndStdinShowInTheStateAndBadLinesAreReported) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("panel.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%A,01,03,00,46,\nturn the knob\n");
    file.close();
    Start({"--verbose", "--panel", file.fileName(), "--panel", "-"});
    sim.write("%A,01,04,01,2A#\n");
    ASSERT_TRUE(WaitForOutput("panel stdin:1")) << output.toStdString();

    RawClient client("127.0.0.1");
    ASSERT_TRUE(client.SendTo("%Z,01,F143#", "127.0.0.3", port));
    mixer::MixerState state{};
    std::string version;
    ASSERT_TRUE(mixer::ParseStateReply(client.ReceiveMessage(), state, version));
    EXPECT_EQ(state.strips[2].level, 0x46);
    EXPECT_EQ(state.strips[3].mute, 1);
    EXPECT_EQ(state.strips[3].level, 0x2A);
    sim.closeWriteChannel();  // the mixer carries on without its panel
    ASSERT_TRUE(client.SendTo("%Z,01,F143#", "127.0.0.3", port));
    EXPECT_TRUE(mixer::CheckFrame(client.ReceiveMessage()));
    EndWith(SIGTERM);
    EXPECT_TRUE(sim.readAllStandardError().contains("panel.txt:2: a command starts with %"));
}

TEST_F(SimProcessTest, PrintsTheSeedOfItsFaultsAndLosesWhatTheySay) {
    Start({"--loss-out", "1", "--seed", "42"});
    ASSERT_TRUE(WaitForOutput("seed 42")) << output.toStdString();
    RawClient client("127.0.0.1");
    ASSERT_TRUE(client.SendTo("%R,01,00,30A0#", "127.0.0.3", port));
    EXPECT_EQ(client.ReceiveMessage(200), "");
    EndWith(SIGTERM);
}

TEST(SimProgram, HelpListsTheOptionsAndBadOptionsFail) {
    QProcess help;
    help.start(MIXER_SIM_PATH, {"--help"});
    ASSERT_TRUE(help.waitForFinished(5000));
    EXPECT_EQ(help.exitCode(), 0);
    const QByteArray text = help.readAllStandardOutput();
    for (const char* option : {"--address", "--port", "--version", "--meter-rate", "--verbose", "--answer-from",
                               "--stop-meters-after", "--never-answer", "--loss", "--loss-in", "--loss-out",
                               "--duplicate", "--reorder", "--seed", "--panel"})
        EXPECT_TRUE(text.contains(option)) << option;

    QProcess bad;
    bad.start(MIXER_SIM_PATH, {"--meter-rate", "0"});
    ASSERT_TRUE(bad.waitForFinished(5000));
    EXPECT_NE(bad.exitCode(), 0);
    EXPECT_TRUE(bad.readAllStandardError().contains("--meter-rate"));
}

TEST(SimProgram, APortInUseIsReported) {
    const quint16 port = FreeLoopbackPort();
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress("127.0.0.3"), port, QAbstractSocket::DontShareAddress));
    QProcess sim;
    sim.start(MIXER_SIM_PATH, {"--address", "127.0.0.3", "--port", QString::number(port)});
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 1);
    EXPECT_TRUE(sim.readAllStandardError().contains("cannot listen"));
}
