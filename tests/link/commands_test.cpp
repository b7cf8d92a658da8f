#include "link/commands.h"

#include <gtest/gtest.h>

#include <cstring>

#include "link/wire_format.h"

using namespace mixer;

namespace {

class CommandsTest : public ::testing::Test {
protected:
    void SetUp() override { std::memset(&s, 0, sizeof s); }

    // The fields between the unit field and the checksum.
    static std::string Fields(const std::string& message) {
        EXPECT_TRUE(CheckFrame(message)) << message;
        const std::size_t start = 6;  // after "%X,01,"
        return message.substr(start, message.size() - 6 - start);
    }

    MixerState s;
};

}  // namespace

TEST_F(CommandsTest, FixedMessages) {
    EXPECT_EQ(BuildZ(), "%Z,01,F143#");
    EXPECT_EQ(BuildQ(true), "%Q,01,01,B5E1#");
    EXPECT_EQ(BuildQ(false), "%Q,01,00,25E0#");
}

TEST_F(CommandsTest, AAddressesInputsBusesAndBothPathsOfTheReturns) {
    s.buses[2].mute = 1;
    s.buses[2].level = 40;
    const std::string a19 = BuildA(s, 19);
    EXPECT_EQ(a19.substr(0, 15), "%A,01,13,01,28,");
    EXPECT_EQ(a19, FormatMessage('A', {"01", "13", "01", "28"}));

    s.strips[0].level = 70;
    EXPECT_EQ(Fields(BuildA(s, 1)), "01,00,46");
    s.strips[16].level = 10;
    s.strips[16].level2 = 20;
    s.strips[17].mute = 1;
    s.strips[17].mute2 = 0;
    s.strips[17].level = 30;
    s.strips[17].level2 = 40;
    EXPECT_EQ(Fields(BuildA(s, 25)), "19,00,0A");
    EXPECT_EQ(Fields(BuildA(s, 27)), "1B,00,0A");
    EXPECT_EQ(Fields(BuildA(s, 28)), "1C,00,14");
    EXPECT_EQ(Fields(BuildA(s, 29)), "1D,01,1E");
    EXPECT_EQ(Fields(BuildA(s, 30)), "1E,00,28");
}

TEST_F(CommandsTest, OutOfRangeIndicesOfAKLSendOnlyTheIndex) {
    EXPECT_EQ(Fields(BuildA(s, 31)), "1F");
    EXPECT_EQ(Fields(BuildK(s, 25)), "19");
    EXPECT_EQ(Fields(BuildL(s, 20)), "14");
    EXPECT_EQ(Fields(BuildA(s, 0)), "00");
}

TEST_F(CommandsTest, OtherBuildersRefuseInvalidIndices) {
    EXPECT_EQ(BuildB(s, 0), "");
    EXPECT_EQ(BuildC(s, 19), "");
    EXPECT_EQ(BuildD(s, 9), "");
    EXPECT_EQ(BuildE(s, -1), "");
    EXPECT_EQ(BuildG(s, 3, 5), "");
    EXPECT_EQ(BuildG(s, 3, 0), "");
    EXPECT_EQ(BuildH(s, 0), "");
    EXPECT_EQ(BuildI(s, 19), "");
    EXPECT_EQ(BuildO(s, 19), "");
    EXPECT_EQ(BuildP(s, 9), "");
}

TEST_F(CommandsTest, SoloAndPanIndexSpaces) {
    s.buses[2].solo = 1;
    s.strips[0].solo = 1;
    EXPECT_EQ(Fields(BuildK(s, 1)), "01,01");  // AUX 1
    EXPECT_EQ(Fields(BuildK(s, 3)), "03,00");  // AUX 3
    EXPECT_EQ(Fields(BuildK(s, 7)), "07,01");  // CH 1
    EXPECT_EQ(Fields(BuildK(s, 24)), "18,00"); // Reverb return
    s.strips[17].pan = 200;
    s.buses[0].balance = 100;
    EXPECT_EQ(Fields(BuildL(s, 18)), "12,C8");
    EXPECT_EQ(Fields(BuildL(s, 19)), "13,64");
}

TEST_F(CommandsTest, PeqBandHalvesTheGainAndShiftsTheType) {
    StripRecord& ch3 = s.strips[2];
    ch3.peqOn = 1;
    ch3.peqBands[1] = PeqBand{1000, 7, 5, {0, 0}, 0};
    EXPECT_EQ(Fields(BuildG(s, 3, 2)), "03,01,02,01,03E8,03,05");
    ch3.peqBands[1].gain2 = 300;
    ch3.peqBands[1].type = 2;
    EXPECT_EQ(Fields(BuildG(s, 3, 2)), "03,01,02,03,03E8,96,05");
}

TEST_F(CommandsTest, BusModeIsDecimal) {
    s.buses[1].busMode = 3;
    EXPECT_EQ(Fields(BuildP(s, 2)), "02,03");
    s.buses[0].busMode = 12;  // would read "0C" in hex
    EXPECT_EQ(Fields(BuildP(s, 1)), "01,12");
}

TEST_F(CommandsTest, DynamicsFieldOrder) {
    StripRecord& r = s.strips[4];
    r.compOn = 1;
    r.comp[kDynThreshold] = 0x11;
    r.comp[kDynAttack] = 0x22;
    r.comp[kDynRelease] = 0x33;
    r.comp[kDynGain] = 0x44;
    r.comp[kDynRatio] = 0x55;
    EXPECT_EQ(Fields(BuildC(s, 5)), "05,01,55,11,22,33,44");
    r.gateOn = 1;
    r.gate[kGateThreshold] = 1;
    r.gate[kGateUnused] = 9;
    r.gate[kGateAttack] = 2;
    r.gate[kGateRelease] = 3;
    EXPECT_EQ(Fields(BuildB(s, 5)), "05,01,01,02,03");
    BusRecord& b = s.buses[7];
    b.lim[kDynRatio] = 10;
    EXPECT_EQ(Fields(BuildD(s, 8)), "08,00,0A,00,00,00,00");
}

TEST_F(CommandsTest, FiltersSendsAndEffects) {
    StripRecord& r = s.strips[0];
    r.lpfOn = 1;
    r.lpfType = 2;
    r.lpfFreq = 20000;
    r.lpfSlope = 8;
    r.hpfFreq = 20;
    r.hpfSlope = 2;
    EXPECT_EQ(Fields(BuildE(s, 1)), "01,01,02,4E20,08,01");
    EXPECT_EQ(Fields(BuildF(s, 1)), "01,00,00,0014,02,01");
    r.mainSend = 1;
    for (int k = 0; k < 6; ++k) r.auxSend[k] = k + 2;
    r.fxSend[0] = 8;
    r.fxSend[1] = 9;
    EXPECT_EQ(Fields(BuildI(s, 1)), "01,01,02,03,04,05,06,07");
    EXPECT_EQ(Fields(BuildJ(s, 1)), "01,08,09");
    r.polarity = 1;
    EXPECT_EQ(Fields(BuildO(s, 1)), "01,01,00");

    int32_t* rev = s.strips[kReverbReturn].reverbParams;
    rev[0] = 30; rev[1] = 40; rev[2] = 50; rev[3] = 100; rev[kRevTime] = 25; rev[kRevLpf] = 8000;
    EXPECT_EQ(Fields(BuildM(s)), "1E,28,32,64,19,1F40");
    int32_t* del = s.strips[kDelayReturn].delayParams;
    del[kPreDelay1] = 1000; del[kPreDelay2] = 10; del[kFeedback] = 50; del[kDelayLpf] = 20;
    EXPECT_EQ(Fields(BuildN(s)), "03E8,000A,32,0014");
}

TEST_F(CommandsTest, GraphicEqIsTheLongestMessageAndStaysWithin110Characters) {
    s.buses[0].geqOn = 1;
    for (GeqBand& g : s.buses[0].geqBands) g.gain2 = 300;
    const std::string h = BuildH(s, 1);
    EXPECT_EQ(h.size(), 110u);
    EXPECT_EQ(Fields(h).substr(0, 9), "01,01,96,");
}

TEST_F(CommandsTest, OutOfWidthValuesNeverShiftTheMessage) {
    s.strips[0].level = 1000;
    s.strips[0].mute = -4;
    s.strips[0].hpfFreq = 123456;
    s.buses[0].busMode = 250;
    EXPECT_EQ(Fields(BuildA(s, 1)), "01,00,FF");
    EXPECT_EQ(Fields(BuildF(s, 1)), "01,00,00,FFFF,00,01");
    EXPECT_EQ(Fields(BuildP(s, 1)), "01,99");
}
