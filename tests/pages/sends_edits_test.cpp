#include <gtest/gtest.h>

#include "console/sent_command.h"
#include "pages/sends/sends_edits.h"

using namespace mixer;
using mixer::testing::ReadCommands;

TEST(SendsEdits, AuxRowsTravelInIAndEffectRowsInJ) {
    MixerState s{};
    auto sent = ReadCommands(WriteSendLevel(s, 4, 3, 55));
    EXPECT_EQ(s.strips[4].auxSend[2], 55);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].letter, 'I');
    EXPECT_EQ(sent[0].code, 5);
    EXPECT_EQ(sent[0].values, (std::vector<int>{0, 0, 0, 55, 0, 0, 0}));

    sent = ReadCommands(WriteSendLevel(s, 17, 8, 99));
    EXPECT_EQ(s.strips[17].fxSend[1], 70);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].letter, 'J');
    EXPECT_EQ(sent[0].code, 18);
    EXPECT_EQ(sent[0].values, (std::vector<int>{0, 70}));

    WriteSendLevel(s, 0, 0, -4);
    EXPECT_EQ(s.strips[0].mainSend, 0);
    EXPECT_TRUE(WriteSendLevel(s, 18, 1, 10).empty());
    EXPECT_TRUE(WriteSendLevel(s, 0, 9, 10).empty());
    EXPECT_TRUE(WriteSendLevel(s, -1, 1, 10).empty());
}

TEST(SendsEdits, EffectReturnsShowOnlyTheAuxRowsAndTakeNoEffectSend) {
    for (int row = 1; row <= 6; ++row) EXPECT_TRUE(SendRowShown(16, row));
    EXPECT_FALSE(SendRowShown(16, kSendRowDelay));
    EXPECT_FALSE(SendRowShown(17, kSendRowReverb));
    EXPECT_TRUE(SendRowShown(15, kSendRowReverb));
    EXPECT_FALSE(SendRowShown(3, 0));
    EXPECT_EQ(SendDisplayKind(1), 42);
    EXPECT_EQ(SendDisplayKind(8), 49);

    MixerState s{};
    s.strips[2].fxSend[0] = 50;
    s.strips[2].auxSend[0] = 40;
    CopySendRow(s, 2, 16, kSendRowDelay);
    EXPECT_EQ(s.strips[16].fxSend[0], 0);
    CopySendRow(s, 2, 16, 1);
    EXPECT_EQ(s.strips[16].auxSend[0], 40);
    CopySendRow(s, 2, 5, kSendRowDelay);
    EXPECT_EQ(s.strips[5].fxSend[0], 50);
}

TEST(SendsEdits, UnmutingRestoresTheKnobsCurrentPlace) {
    MixerState s{};
    SendMutes mutes;
    mutes.MoveKnob(s, 3, 2, 50);
    auto sent = ReadCommands(mutes.Toggle(s, 3, 2, 50));
    EXPECT_TRUE(mutes.Muted(s, 3, 2));
    EXPECT_EQ(s.strips[3].auxSend[1], 0);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].values[2], 0);
    EXPECT_EQ(mutes.KnobLevel(s, 3, 2), 50);

    // Moving the knob of a muted row keeps the row silent.
    EXPECT_TRUE(mutes.MoveKnob(s, 3, 2, 30).empty());
    EXPECT_EQ(s.strips[3].auxSend[1], 0);
    EXPECT_EQ(mutes.KnobLevel(s, 3, 2), 30);

    // Other channels keep their own rows.
    EXPECT_FALSE(mutes.Muted(s, 4, 2));

    sent = ReadCommands(mutes.Toggle(s, 3, 2, mutes.KnobLevel(s, 3, 2)));
    EXPECT_FALSE(mutes.Muted(s, 3, 2));
    EXPECT_EQ(s.strips[3].auxSend[1], 30);
    EXPECT_EQ(sent[0].values[2], 30);
    EXPECT_FALSE(mutes.Muted(s, 18, 2));
    EXPECT_TRUE(mutes.Toggle(s, 18, 2, 10).empty());

    // A level stored from elsewhere while muted makes the row live: it is
    // no longer muted, and MUTE silences it again.
    mutes.Toggle(s, 3, 2, 30);
    WriteSendLevel(s, 3, 2, 50);
    EXPECT_FALSE(mutes.Muted(s, 3, 2));
    EXPECT_EQ(mutes.KnobLevel(s, 3, 2), 50);
    mutes.Toggle(s, 3, 2, 50);
    EXPECT_TRUE(mutes.Muted(s, 3, 2));
    EXPECT_EQ(s.strips[3].auxSend[1], 0);
}
