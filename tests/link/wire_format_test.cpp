#include "link/wire_format.h"

#include <gtest/gtest.h>

#include <random>

using namespace mixer;

namespace {

std::vector<std::string> Split(std::string& residue, std::string_view datagram) {
    std::vector<std::string> out;
    SplitFrames(residue, datagram, out);
    return out;
}

}  // namespace

TEST(Crc16Modbus, KnownValues) {
    EXPECT_EQ(Crc16Modbus("", 0), 0xFFFF);
    // The standard check value of CRC-16/MODBUS.
    EXPECT_EQ(Crc16Modbus("123456789"), 0x4B37);
    EXPECT_EQ(Crc16Modbus("%R,01,00,"), 0x30A0);
}

TEST(FormatMessage, FixedMessagesOfTheProtocol) {
    EXPECT_EQ(FormatMessage('Z', {"01"}), "%Z,01,F143#");
    EXPECT_EQ(FormatMessage('Q', {"01", "01"}), "%Q,01,01,B5E1#");
    EXPECT_EQ(FormatMessage('Q', {"01", "00"}), "%Q,01,00,25E0#");
    EXPECT_EQ(FormatMessage('R', {"01", "00"}), "%R,01,00,30A0#");
}

TEST(FieldFormat, ValuesOutsideTheWidthAreClampedNotWidened) {
    EXPECT_EQ(Hex2(0x2A), "2A");
    EXPECT_EQ(Hex2(256), "FF");
    EXPECT_EQ(Hex2(-1), "00");
    EXPECT_EQ(Hex4(1000), "03E8");
    EXPECT_EQ(Hex4(70000), "FFFF");
    EXPECT_EQ(Dec2(3), "03");
    EXPECT_EQ(Dec2(100), "99");
    EXPECT_EQ(Dec2(-5), "00");
}

TEST(CheckFrame, AcceptsOnlyExactUpperCaseChecksums) {
    EXPECT_TRUE(CheckFrame("%R,01,00,30A0#"));
    EXPECT_TRUE(CheckFrame("%Z,01,F143#"));
    EXPECT_FALSE(CheckFrame("%R,01,00,30a0#"));  // lower case
    EXPECT_FALSE(CheckFrame("%R,01,00,30A1#"));
    EXPECT_FALSE(CheckFrame("%R,01,00,30A0"));
    EXPECT_FALSE(CheckFrame("%Z,F143#"));        // shorter than 9
    EXPECT_FALSE(CheckFrame(""));
}

TEST(FindPattern, ArgumentRules) {
    EXPECT_EQ(FindPattern("abc%def#", "%", 0), 3);
    EXPECT_EQ(FindPattern("abc%def#", "#", 4), 7);
    EXPECT_EQ(FindPattern("abc", "", 2), 2);
    EXPECT_EQ(FindPattern("abc", "c", -1), -1);
    EXPECT_EQ(FindPattern("abc", "bcd", 0), -1);
    EXPECT_EQ(FindPattern("abc", "bc", 2), -1);  // start + length beyond the text
    EXPECT_EQ(FindPattern(std::string_view(), "a", 0), -1);
    EXPECT_EQ(FindPattern("abc", std::string_view(), 0), -1);
    EXPECT_EQ(FindPattern("%S,01,A0#", "%S", 0), 0);
    EXPECT_EQ(FindPattern("xx%Y,01#", "%?", 0), 2);
}

TEST(FindPattern, AgreesWithABruteForceSearch) {
    std::mt19937 rng(7);
    auto randomText = [&](std::size_t n, const char* alphabet) {
        std::string t;
        for (std::size_t i = 0; i < n; ++i) t += alphabet[rng() % 3];
        return t;
    };
    for (int trial = 0; trial < 3000; ++trial) {
        const std::string text = randomText(rng() % 30, "ab?");
        const std::string pattern = randomText(1 + rng() % 5, "ab?");
        const int start = static_cast<int>(rng() % 8);
        int expected = -1;
        if (static_cast<std::size_t>(start) + pattern.size() <= text.size()) {
            for (std::size_t i = start; i + pattern.size() <= text.size() && expected < 0; ++i) {
                bool match = true;
                for (std::size_t k = 0; k < pattern.size(); ++k)
                    match = match && (pattern[k] == '?' || pattern[k] == text[i + k]);
                if (match) expected = static_cast<int>(i);
            }
        }
        ASSERT_EQ(FindPattern(text, pattern, start), expected) << text << " / " << pattern << " @" << start;
    }
}

TEST(SplitFrames, MessageCutOverTwoDatagramsIsDeliveredOnceAfterTheSecond) {
    std::string residue;
    const std::string msg = "%Q,01,01,B5E1#";
    EXPECT_TRUE(Split(residue, msg.substr(0, 7)).empty());
    const auto out = Split(residue, msg.substr(7));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], msg);
    EXPECT_TRUE(residue.empty());
}

TEST(SplitFrames, StrayTextIsDroppedAndAnUnfinishedTailWaits) {
    std::string residue;
    auto out = Split(residue, "ab#%Z,01,F143#cd%Q");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], "%Z,01,F143#");
    EXPECT_EQ(residue, "cd%Q");
    out = Split(residue, ",01,01,B5E1#");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], "%Q,01,01,B5E1#");
}

TEST(SplitFrames, DropsLowerCaseChecksumsAndGoesOn) {
    std::string residue;
    const auto out = Split(residue, "%Q,01,01,b5e1#%Z,01,F143#");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], "%Z,01,F143#");
}

TEST(SplitFrames, BrokenBeginningsBeforeAMessageAreDropped) {
    std::string residue;
    const auto out = Split(residue, "%A,0%B%Z,01,F143#");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], "%Z,01,F143#");
}

TEST(SplitFrames, ShortFragmentsAreKeptUntilCompleted) {
    std::string residue;
    EXPECT_TRUE(Split(residue, "%Z").empty());
    const auto out = Split(residue, ",01,F143#");
    ASSERT_EQ(out.size(), 1u);
}

TEST(SplitFrames, ReadsADatagramOnlyUpToNulAnd128Bytes) {
    std::string residue;
    EXPECT_TRUE(Split(residue, std::string_view("%Z,01,F1\0#", 10)).empty());
    EXPECT_EQ(residue, "%Z,01,F1");

    residue.clear();
    const std::string longDatagram = std::string(125, 'x') + "%Z,01,F143#";
    EXPECT_TRUE(Split(residue, longDatagram).empty());
    EXPECT_EQ(residue, std::string(125, 'x') + "%Z,");
}

TEST(SplitFrames, ResidueStaysBoundedWhenNoMessageEverEnds) {
    std::string residue;
    const std::string junk(128, '%');
    for (int i = 0; i < 100; ++i) Split(residue, junk);
    EXPECT_LE(residue.size(), kMaxMessageLength);
}

TEST(SplitFrames, DeliversAtMost128MessagesPerCall) {
    std::string residue;
    std::string many;
    for (int i = 0; i < 200; ++i) many += "%Z,01,F143#";
    std::vector<std::string> out;
    // Fed as residue so that one call sees all 200.
    residue = many;
    EXPECT_EQ(SplitFrames(residue, "", out), 128);
    EXPECT_EQ(out.size(), 128u);
}

TEST(SplitParts, PartsAndLimit) {
    const auto parts = SplitParts("%A,01,13,01,28,ABCD#");
    ASSERT_EQ(parts.size(), 6u);
    EXPECT_EQ(parts[0], "A");
    EXPECT_EQ(parts[1], "01");
    EXPECT_EQ(parts[5], "ABCD");
    std::string wide = "%X";
    for (int i = 0; i < 100; ++i) wide += ",1";
    EXPECT_EQ(SplitParts(wide + "#").size(), kMaxParts);
}

TEST(PackedReader, OddLengthLowerCaseAndBadDigits) {
    PackedReader odd("abc");  // read as "0abc"
    int v = 0;
    ASSERT_TRUE(odd.Read(2, v));
    EXPECT_EQ(v, 0x0A);
    ASSERT_TRUE(odd.Read(2, v));
    EXPECT_EQ(v, 0xBC);
    EXPECT_FALSE(odd.Read(1, v));

    PackedReader four("03E8");
    ASSERT_TRUE(four.Read(4, v));
    EXPECT_EQ(v, 1000);

    PackedReader bad("1G");
    EXPECT_FALSE(bad.Read(2, v));
    EXPECT_EQ(bad.Remaining(), 2u);
}
