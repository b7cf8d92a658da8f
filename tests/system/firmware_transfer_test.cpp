// The transfer's steps against a scripted mixer on a clock of its own, so
// that the protocol's 8-second waits cost no time.
#include <gtest/gtest.h>

#include "system/firmware_transfer.h"
#include "system/scripted_mixer.h"
#include "system/version_reply.h"

using namespace mixer;
using mixer::testing::ScriptedMixer;

namespace {

std::vector<uint8_t> Image(std::size_t length, uint8_t seed = 7) {
    std::vector<uint8_t> image(length);
    for (std::size_t i = 0; i < length; ++i) image[i] = static_cast<uint8_t>(i * 31 + seed);
    return image;
}

struct Session {
    ScriptedMixer mixer;
    TransferTiming timing;
    FirmwareTransfer transfer{mixer, timing};

    bool Send(const std::vector<uint8_t>& image, int target = kTargetMainBoard) {
        return transfer.SendImage(image, target, [this](int p, int r) { mixer.Progress(p, r); });
    }
};

TEST(FirmwareTransfer, ImagesOfEveryAwkwardLengthArriveWhole) {
    for (std::size_t length : {2048u, 1500u, 100u, 1023u, 2047u}) {
        Session run;
        const auto image = Image(length);
        ASSERT_TRUE(run.Send(image)) << length;
        ASSERT_EQ(run.mixer.images.size(), 1u) << length;
        EXPECT_EQ(run.mixer.images[0].bytes, image) << length;
        EXPECT_TRUE(run.mixer.images[0].accepted) << length;
        // The checksum's own block for 2048, the spilled low byte for 1023 and 2047.
        const int blocks = static_cast<int>((length + 2 + 1023) / 1024);
        EXPECT_EQ(run.mixer.Count('T'), blocks) << length;
        EXPECT_EQ(run.mixer.Count('S'), 1) << length;
        const int announced = AnnouncedBlockCount(length);
        EXPECT_EQ(run.mixer.progress.front(), std::make_pair(0, announced)) << length;
        EXPECT_EQ(run.mixer.progress.back(), std::make_pair(announced, announced)) << length;
    }
}

TEST(FirmwareTransfer, ALostBlockAcknowledgementDelaysButDoesNotStopTheTransfer) {
    Session run;
    run.mixer.lostAcks = {0};
    ASSERT_TRUE(run.Send(Image(3000)));
    EXPECT_EQ(run.mixer.images.size(), 1u);
    EXPECT_EQ(run.mixer.Count('T'), 3);
    // The first block waited out the whole reply time, about 8 s.
    EXPECT_GE(run.mixer.nowMs, 8000);
    EXPECT_LT(run.mixer.nowMs, 9000);
}

TEST(FirmwareTransfer, ARefusedImageOrAnUnansweredHeaderFails) {
    Session refused;
    refused.mixer.refuseImages = true;
    EXPECT_FALSE(refused.Send(Image(1500)));
    EXPECT_FALSE(refused.transfer.Stopped());

    Session silent;
    silent.mixer.answerHeaders = false;
    EXPECT_FALSE(silent.Send(Image(1500)));
    EXPECT_EQ(silent.mixer.Count('T'), 0);
    EXPECT_GE(silent.mixer.nowMs, 8000);
}

TEST(FirmwareTransfer, AReportThatFollowsTheLastAcknowledgementAtOnceCounts) {
    Session run;
    run.mixer.latencyMs = 0;
    EXPECT_TRUE(run.Send(Image(100)));
}

TEST(FirmwareTransfer, AReportThatComesLateIsWaitedFor) {
    Session run;
    run.mixer.reportDelayMs = 3000;
    EXPECT_TRUE(run.Send(Image(100)));
    EXPECT_GE(run.mixer.nowMs, 3000);
}

TEST(FirmwareTransfer, OldRepliesAreDrainedBeforeTheHeader) {
    Session run;
    run.mixer.Arrives("%S,01,00,stale#");
    run.mixer.Arrives("%U,01,01,stale#");
    ASSERT_TRUE(run.Send(Image(100)));
    EXPECT_GE(run.mixer.nowMs, 2 * run.timing.drainPauseMs);
}

TEST(FirmwareTransfer, NothingIsSentForAnEmptyOrOversizedImage) {
    Session run;
    EXPECT_FALSE(run.Send({}));
    EXPECT_FALSE(run.Send(Image(kFirmwareMaxLength + 1)));
    EXPECT_TRUE(run.mixer.messages.empty());
}

TEST(FirmwareTransfer, AStopEndsTheTransferBetweenBlocks) {
    Session run;
    run.mixer.stopAtMs = 200;
    EXPECT_FALSE(run.Send(Image(10 * 1024)));
    EXPECT_TRUE(run.transfer.Stopped());
    EXPECT_LT(run.mixer.Count('T'), 5);
}

TEST(QueryVersion, ReadsTheVersionFromTheStateReply) {
    Session run;
    std::string version = "00";
    ASSERT_TRUE(run.transfer.QueryVersion(version));
    EXPECT_EQ(version, "12");
    EXPECT_EQ(run.mixer.messages, std::vector<std::string>{"%Z,01,F143#"});

    Session silent;
    silent.mixer.answerVersion = false;
    EXPECT_FALSE(silent.transfer.QueryVersion(version));
    // 200 ms, then 50 more tries 100 ms apart.
    EXPECT_EQ(silent.mixer.nowMs, 200 + 50 * 100);
}

TEST(QueryVersion, TakesTheLastTwoDigitsKeepsAnEmptyOneAndRefusesBrokenReplies) {
    std::string version = "37";
    EXPECT_TRUE(ReadReplyVersion(BuildStateReply(MixerState{}, "0102"), version));
    EXPECT_EQ(version, "02");
    EXPECT_TRUE(ReadReplyVersion(BuildStateReply(MixerState{}, ""), version));
    EXPECT_EQ(version, "02");
    EXPECT_TRUE(ReadReplyVersion("stray%Q,01,00,25E0#" + BuildStateReply(MixerState{}, "9"), version));
    EXPECT_EQ(version, "9");

    std::string broken = BuildStateReply(MixerState{}, "12");
    broken[broken.size() - 2] = broken[broken.size() - 2] == '0' ? '1' : '0';
    EXPECT_FALSE(ReadReplyVersion(broken, version));
    EXPECT_FALSE(ReadReplyVersion(BuildStateReply(MixerState{}, "1x"), version));
    EXPECT_FALSE(ReadReplyVersion("%Z,01,F143#", version));
    EXPECT_EQ(version, "9");
}

}  // namespace
