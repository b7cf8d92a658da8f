#include "sim/firmware_receiver.h"

#include <gtest/gtest.h>

#include "link/wire_format.h"

using namespace mixer;

namespace {

std::vector<uint8_t> Image(std::size_t length, uint8_t seed = 1) {
    std::vector<uint8_t> image(length);
    for (std::size_t i = 0; i < length; ++i) image[i] = static_cast<uint8_t>(i * 13 + seed);
    return image;
}

bool Contains(const std::vector<std::string>& replies, std::string_view text) {
    for (const std::string& r : replies)
        if (r.find(text) != std::string::npos) return true;
    return false;
}

// Sends an image the way the editor does, each block in 128-byte pieces
// through the stream splitter, and collects every reply.
struct Transfer {
    FirmwareReceiver receiver;
    std::string residue;
    std::vector<std::string> replies;
    bool completed = false;

    void Deliver(const std::string& message) {
        std::vector<std::string> out;
        for (const std::string& piece : CutIntoPieces(message)) SplitFrames(residue, piece, out);
        for (const std::string& m : out) {
            FirmwareAnswer a = receiver.OnMessage(m);
            completed = completed || a.imageComplete;
            replies.insert(replies.end(), a.replies.begin(), a.replies.end());
        }
    }
    void Send(int target, const std::vector<uint8_t>& image) {
        Deliver(BuildTransferHeader(target, image.size()));
        const auto blocks = FirmwareBlocks(image);
        for (std::size_t i = 0; i < blocks.size(); ++i) Deliver(BuildTransferBlock(target, static_cast<int>(i), blocks[i]));
    }
    int Status() const {
        int status = -1;
        for (const std::string& r : replies) ReadVerificationStatus(r, status);
        return status;
    }
};

}  // namespace

TEST(FirmwareReceiver, AcceptsImagesOfEveryAwkwardLength) {
    for (std::size_t length : {0u, 1u, 100u, 1022u, 1023u, 1024u, 1500u, 2047u, 2048u, 5000u}) {
        Transfer t;
        const auto image = Image(length);
        t.Send(1, image);
        ASSERT_TRUE(t.completed) << length;
        EXPECT_TRUE(Contains(t.replies, "%S")) << length;
        EXPECT_EQ(t.Status(), 0) << length;
        const auto& got = t.receiver.LastImage();
        ASSERT_TRUE(got.has_value());
        EXPECT_EQ(got->bytes, image) << length;
        EXPECT_EQ(got->checksum, Crc16Modbus(image.data(), image.size()));
        EXPECT_EQ(got->target, 1);
        EXPECT_FALSE(t.receiver.InTransfer());
    }
}

TEST(FirmwareReceiver, AnswersEveryBlockWithY) {
    Transfer t;
    t.Send(0, Image(3000));
    int acks = 0;
    for (const std::string& r : t.replies) acks += r.find("%Y") != std::string::npos;
    EXPECT_EQ(acks, 3);  // 3000 bytes and the checksum fill three blocks
    for (const std::string& r : t.replies) EXPECT_TRUE(CheckFrame(r)) << r;
}

TEST(FirmwareReceiver, AWrongChecksumIsReportedAsStatus01) {
    Transfer t;
    const auto image = Image(1500);
    auto blocks = FirmwareBlocks(image);
    blocks[1][476] ^= 0x01;  // the checksum's high byte
    t.Deliver(BuildTransferHeader(1, image.size()));
    for (std::size_t i = 0; i < blocks.size(); ++i) t.Deliver(BuildTransferBlock(1, static_cast<int>(i), blocks[i]));
    ASSERT_TRUE(t.completed);
    EXPECT_EQ(t.Status(), 1);
    EXPECT_FALSE(t.receiver.LastImage()->accepted);
}

TEST(FirmwareReceiver, BlocksOutsideATransferOrItsRangeAreIgnored) {
    Transfer t;
    const std::vector<uint8_t> block(1024, 0x55);
    t.Deliver(BuildTransferBlock(1, 0, block));  // no header yet
    EXPECT_TRUE(t.replies.empty());

    t.Deliver(BuildTransferHeader(1, 100));
    t.replies.clear();
    t.Deliver(BuildTransferBlock(1, 1, block));  // one block only is announced
    t.Deliver(BuildTransferBlock(0, 0, block));  // other target
    EXPECT_TRUE(t.replies.empty());
    EXPECT_TRUE(t.receiver.InTransfer());
    EXPECT_FALSE(t.completed);
}

TEST(FirmwareReceiver, BlocksInAnyOrderAndRepeatedBlocksStillMakeTheImage) {
    Transfer t;
    const auto image = Image(4000, 9);
    const auto blocks = FirmwareBlocks(image);
    t.Deliver(BuildTransferHeader(0, image.size()));
    t.Deliver(BuildTransferBlock(0, 3, blocks[3]));
    t.Deliver(BuildTransferBlock(0, 0, blocks[0]));
    t.Deliver(BuildTransferBlock(0, 0, blocks[0]));
    t.Deliver(BuildTransferBlock(0, 2, blocks[2]));
    EXPECT_FALSE(t.completed);
    t.Deliver(BuildTransferBlock(0, 1, blocks[1]));
    ASSERT_TRUE(t.completed);
    EXPECT_EQ(t.Status(), 0);
    EXPECT_EQ(t.receiver.LastImage()->bytes, image);
}

TEST(FirmwareReceiver, ANewHeaderStartsOver) {
    Transfer t;
    const auto first = Image(3000, 1);
    const auto blocks = FirmwareBlocks(first);
    t.Deliver(BuildTransferHeader(1, first.size()));
    t.Deliver(BuildTransferBlock(1, 0, blocks[0]));
    const auto second = Image(200, 2);
    t.Send(1, second);
    ASSERT_TRUE(t.completed);
    EXPECT_EQ(t.receiver.LastImage()->bytes, second);
    EXPECT_EQ(t.Status(), 0);
}
