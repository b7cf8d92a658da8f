#include "link/firmware_framing.h"

#include <gtest/gtest.h>

#include <numeric>

#include "link/wire_format.h"

using namespace mixer;

namespace {

std::vector<uint8_t> Image(std::size_t length) {
    std::vector<uint8_t> image(length);
    for (std::size_t i = 0; i < length; ++i) image[i] = static_cast<uint8_t>(i * 7 + 3);
    return image;
}

uint8_t High(const std::vector<uint8_t>& image) { return Crc16Modbus(image.data(), image.size()) >> 8; }
uint8_t Low(const std::vector<uint8_t>& image) { return Crc16Modbus(image.data(), image.size()) & 0xFF; }

bool AllZeroFrom(const std::vector<uint8_t>& block, std::size_t from) {
    return std::all_of(block.begin() + static_cast<std::ptrdiff_t>(from), block.end(), [](uint8_t b) { return b == 0; });
}

}  // namespace

TEST(FirmwareFraming, HeaderAnnouncesTheDataAlone) {
    EXPECT_EQ(BuildTransferHeader(1, 2048), FormatMessage('S', {"01", "1", "02", "00800"}));
    EXPECT_EQ(BuildTransferHeader(0, 1500), FormatMessage('S', {"01", "0", "02", "005DC"}));
    TransferHeader h;
    ASSERT_TRUE(ParseTransferHeader(BuildTransferHeader(0, 1500), h));
    EXPECT_EQ(h.target, 0);
    EXPECT_EQ(h.blocks, 2);
    EXPECT_EQ(h.length, 1500u);
}

TEST(FirmwareFraming, AWholeNumberOfBlocksGetsAThirdForTheChecksum) {
    const auto image = Image(2048);
    const auto blocks = FirmwareBlocks(image);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_TRUE(std::equal(blocks[1].begin(), blocks[1].end(), image.begin() + 1024));
    EXPECT_EQ(blocks[2][0], High(image));
    EXPECT_EQ(blocks[2][1], Low(image));
    EXPECT_TRUE(AllZeroFrom(blocks[2], 2));
}

TEST(FirmwareFraming, TheChecksumFollowsTheLastDataByte) {
    const auto image = Image(1500);
    const auto blocks = FirmwareBlocks(image);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[1][475], image[1499]);
    EXPECT_EQ(blocks[1][476], High(image));
    EXPECT_EQ(blocks[1][477], Low(image));
    EXPECT_TRUE(AllZeroFrom(blocks[1], 478));

    const auto small = Image(100);
    const auto one = FirmwareBlocks(small);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0][100], High(small));
    EXPECT_EQ(one[0][101], Low(small));
}

TEST(FirmwareFraming, AChecksumThatDoesNotFitSpillsIntoOneMoreBlock) {
    const auto image = Image(2047);
    const auto blocks = FirmwareBlocks(image);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[1][1023], High(image));
    EXPECT_EQ(blocks[2][0], Low(image));
    EXPECT_TRUE(AllZeroFrom(blocks[2], 1));
}

TEST(FirmwareFraming, BlockMessagesTravelIn128BytePiecesAndReadBack) {
    const auto blocks = FirmwareBlocks(Image(1500));
    const std::string message = BuildTransferBlock(1, 1, blocks[1]);
    ASSERT_EQ(message.size(), 2065u);
    EXPECT_EQ(message.substr(0, 11), "%T,01,1,01,");

    const auto pieces = CutIntoPieces(message);
    ASSERT_EQ(pieces.size(), 17u);
    for (const std::string& p : pieces) EXPECT_EQ(p.size(), kFirmwarePieceSize);
    EXPECT_EQ(pieces[16][16], '#');
    EXPECT_EQ(pieces[16].find_first_not_of('\0', 17), std::string::npos);

    std::string residue;
    std::vector<std::string> out;
    for (const std::string& p : pieces) SplitFrames(residue, p, out);
    ASSERT_EQ(out.size(), 1u);
    TransferBlock block;
    ASSERT_TRUE(ParseTransferBlock(out[0], block));
    EXPECT_EQ(block.target, 1);
    EXPECT_EQ(block.index, 1);
    EXPECT_EQ(block.bytes, blocks[1]);
}

TEST(FirmwareFraming, MalformedHeadersAndBlocksAreRefused) {
    TransferHeader h;
    EXPECT_FALSE(ParseTransferHeader(FormatMessage('S', {"01", "2", "01", "00010"}), h));   // no such target
    EXPECT_FALSE(ParseTransferHeader(FormatMessage('S', {"01", "1", "03", "00800"}), h));   // count does not match
    EXPECT_FALSE(ParseTransferHeader(FormatMessage('S', {"01", "1", "401", "100000"}), h)); // beyond five digits
    EXPECT_FALSE(ParseTransferHeader(FormatMessage('S', {"01", "1", "02"}), h));
    EXPECT_FALSE(ParseTransferHeader(FormatMessage('T', {"01", "1", "02", "00800"}), h));
    std::string broken = BuildTransferHeader(1, 2048);
    broken[8] = '2';
    EXPECT_FALSE(ParseTransferHeader(broken, h));

    TransferBlock b;
    const std::vector<uint8_t> bytes(1024, 0xAB);
    EXPECT_FALSE(ParseTransferBlock(FormatMessage('T', {"01", "1", "00", std::string(2046, 'A')}), b));
    EXPECT_FALSE(ParseTransferBlock(FormatMessage('T', {"01", "1", "00", std::string(2047, 'A') + "G"}), b));
    EXPECT_FALSE(ParseTransferBlock(FormatMessage('T', {"01", "7", "00", std::string(2048, 'A')}), b));
    EXPECT_TRUE(ParseTransferBlock(BuildTransferBlock(0, 300, bytes), b));
    EXPECT_EQ(b.index, 300);
}

TEST(FirmwareFraming, VerificationStatusIsReadFromTheReport) {
    int status = -1;
    ASSERT_TRUE(ReadVerificationStatus(BuildVerificationReport(true), status));
    EXPECT_EQ(status, 0);
    ASSERT_TRUE(ReadVerificationStatus("xx" + BuildVerificationReport(false), status));
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(ReadVerificationStatus("%Y,01,00,1234#", status));
    EXPECT_FALSE(ReadVerificationStatus("%U,01,", status));
    EXPECT_FALSE(ReadVerificationStatus("%U,01,A0,", status));
}
