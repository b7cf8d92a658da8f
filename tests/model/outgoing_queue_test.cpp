// The outgoing queue: a target waits once, leaves with the newest value,
// never when it would repeat what the mixer was last sent, never faster
// than the wire's pacing, and nothing is ever dropped.

#include "model/outgoing_queue.h"

#include <gtest/gtest.h>

#include "link/channel_edits.h"
#include "link/commands.h"

using namespace mixer;
using namespace std::chrono_literals;

namespace {

class OutgoingQueueTest : public ::testing::Test {
protected:
    // Everything that leaves within `span`, stepping the clock 1 ms at a time.
    std::vector<std::pair<long, std::string>> Run(std::chrono::milliseconds span) {
        std::vector<std::pair<long, std::string>> sent;
        for (auto t = 0ms; t <= span; t += 1ms) {
            if (auto text = queue.TakeDue(state)) sent.emplace_back(clock.Now().count(), *text);
            clock.Advance(1ms);
        }
        return sent;
    }

    ManualClock clock;
    MixerState state{};
    OutgoingQueue queue{clock};
};

TEST_F(OutgoingQueueTest, AStormOfEditsHoldsEachTargetOnceAndTheNewestValueLeaves) {
    for (int round = 0; round < 1000; ++round) {
        for (int strip = 0; strip < kInputCount; ++strip) {
            WriteStripLevel(state, strip, (round + strip) % 71);
            queue.Push({'A', strip + 1});
        }
        queue.Push({'H', 1});
        queue.Push({'H', 2});
    }
    EXPECT_EQ(queue.Size(), 18u);
    const auto sent = Run(1s);
    ASSERT_EQ(sent.size(), 18u);
    EXPECT_EQ(sent.front().second, BuildA(state, 1));
    EXPECT_TRUE(queue.Empty());
    for (std::size_t k = 1; k < sent.size(); ++k) EXPECT_GE(sent[k].first - sent[k - 1].first, 10) << k;
}

TEST_F(OutgoingQueueTest, ATargetThatWouldRepeatWhatTheMixerHoldsStaysQuiet) {
    queue.SetBaseline(state);
    queue.Push({'A', 1});   // unchanged since the baseline
    EXPECT_TRUE(Run(50ms).empty());

    WriteStripLevel(state, 0, 30);
    queue.Push({'A', 1});
    WriteStripLevel(state, 0, 0);   // back before it left
    EXPECT_TRUE(Run(50ms).empty());

    WriteStripLevel(state, 0, 30);
    queue.Push({'A', 1});
    EXPECT_EQ(Run(50ms).size(), 1u);
    queue.Push({'A', 1});
    EXPECT_TRUE(Run(50ms).empty());

    // Unknown again (a new connection): everything goes out.
    queue.ForgetBaseline();
    queue.Push({'A', 1});
    EXPECT_EQ(Run(50ms).size(), 1u);
}

TEST_F(OutgoingQueueTest, PacedTargetsWaitAHundredMillisecondsFromWhenEachLeftWhileOthersPass) {
    for (int band = 1; band <= 4; ++band) queue.Push({'G', 6, band}, true);
    queue.PushText(BuildZ());
    const auto first = Run(35ms);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(TargetOf(first[0].second)->band, 1);
    EXPECT_EQ(first[1].second, BuildZ());   // in the paced lane's pause
    // An edit of a waiting band is what arrives.
    state.strips[5].peqBands[2].freq = 4321;
    const auto rest = Run(400ms);
    ASSERT_EQ(rest.size(), 3u);
    EXPECT_EQ(rest[1].second, BuildG(state, 6, 3));
    long last = first[0].first;
    for (const auto& [at, text] : rest) {
        EXPECT_GE(at - last, 100) << text;
        last = at;
    }
}

TEST_F(OutgoingQueueTest, TextsKeepTheirPlaceAmongTheEditsQueuedBeforeThem) {
    WriteStripLevel(state, 0, 30);
    queue.Push({'A', 1});
    queue.PushText(BuildZ());
    WriteStripLevel(state, 1, 30);
    queue.Push({'A', 2});
    const auto sent = Run(100ms);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].second, BuildA(state, 1));
    EXPECT_EQ(sent[1].second, BuildZ());
    EXPECT_EQ(sent[2].second, BuildA(state, 2));
    // A text sent as it is counts as what the mixer holds.
    queue.PushText(BuildA(state, 3));
    queue.Push({'A', 3});
    EXPECT_EQ(Run(50ms).size(), 1u);
}

TEST_F(OutgoingQueueTest, ClearDropsWhatWaitsAndTheTargetsCanWaitAgain) {
    queue.Push({'A', 1});
    queue.Push({'G', 1, 1}, true);
    queue.Clear();
    EXPECT_TRUE(queue.Empty());
    EXPECT_FALSE(queue.NextIn());
    queue.Push({'A', 1});
    EXPECT_EQ(queue.Size(), 1u);
}

}  // namespace
