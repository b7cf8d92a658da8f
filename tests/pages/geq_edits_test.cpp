#include <gtest/gtest.h>

#include "console/sent_command.h"
#include "pages/geq/geq_edits.h"

using namespace mixer;
using mixer::testing::ReadCommands;

TEST(GeqEdits, MainWritesAndSendsItsPairToo) {
    MixerState s{};
    const Commands c = WriteGeqBand(s, 0, 7, 210);
    EXPECT_EQ(s.buses[0].geqBands[7].gain2, 210);
    EXPECT_EQ(s.buses[1].geqBands[7].gain2, 210);
    const auto sent = ReadCommands(c);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].letter, 'H');
    EXPECT_EQ(sent[0].code, 1);
    EXPECT_EQ(sent[1].code, 2);
    // geqOn, then 31 halved gains.
    ASSERT_EQ(sent[1].values.size(), 32u);
    EXPECT_EQ(sent[1].values[8], 105);

    // The second MAIN record, named on the command line, keeps the pair too.
    EXPECT_EQ(WriteGeqBand(s, 1, 2, 40).size(), 2u);
    EXPECT_EQ(s.buses[0].geqBands[2].gain2, 40);
}

TEST(GeqEdits, OtherOutputsChangeAlone) {
    MixerState s{};
    const Commands c = WriteGeqBand(s, 4, 30, 999);
    EXPECT_EQ(s.buses[4].geqBands[30].gain2, 300);
    EXPECT_EQ(s.buses[1].geqBands[30].gain2, 0);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(ReadCommands(c)[0].code, 5);
    EXPECT_TRUE(WriteGeqBand(s, 8, 0, 100).empty());
    EXPECT_TRUE(WriteGeqBand(s, 2, 31, 100).empty());
    EXPECT_TRUE(WriteGeqBand(s, 2, -1, 100).empty());
}

TEST(GeqEdits, ResetAndRecallKeepThePairEqual) {
    MixerState s{};
    ResetGeq(s, 0);
    for (int b = 0; b < kGeqBandCount; ++b) {
        EXPECT_EQ(s.buses[0].geqBands[b].gain2, 150);
        EXPECT_EQ(s.buses[1].geqBands[b].gain2, 150);
        EXPECT_EQ(s.buses[3].geqBands[b].gain2, 0);
    }
    s.buses[0].geqBands[3].gain2 = 40;
    EXPECT_EQ(GeqRecalled(s, 0).size(), 2u);
    EXPECT_EQ(s.buses[1].geqBands[3].gain2, 40);
    s.buses[1].geqBands[4].gain2 = 60;
    GeqRecalled(s, 1);
    EXPECT_EQ(s.buses[0].geqBands[4].gain2, 60);
    EXPECT_EQ(GeqRecalled(s, 6).size(), 1u);
    EXPECT_EQ(GeqDisplayChannel(2), 20);
    EXPECT_EQ(GeqDisplayKind(30), 35);
}
