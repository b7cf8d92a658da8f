#include "link/send_queue.h"

#include <gtest/gtest.h>

#include <chrono>

#include "loopback.h"

using namespace mixer;
using Clock = std::chrono::steady_clock;

namespace {

struct Sent {
    QByteArray data;
    Clock::time_point at;
};

Datagram Make(const char* text) { return {QByteArray(text), QHostAddress("127.0.0.2"), 5000}; }

}  // namespace

TEST(SendQueue, KeepsOrderAndTenMillisecondsBetweenDatagramsWithoutBlocking) {
    std::vector<Sent> sent;
    SendQueue queue([&](const Datagram& d) {
        sent.push_back({d.data, Clock::now()});
        return true;
    });
    std::vector<std::size_t> sentWhenDrained;
    QObject::connect(&queue, &SendQueue::drained, [&] { sentWhenDrained.push_back(sent.size()); });

    for (const char* text : {"1", "2", "3", "4", "5"}) ASSERT_TRUE(queue.Enqueue(Make(text)));
    // The first goes out at once, the rest wait their turn without holding
    // up the caller.
    EXPECT_EQ(sent.size(), 1u);

    ASSERT_TRUE(mixer::testing::WaitUntil([&] { return sent.size() == 5; }));
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i].data, QByteArray::number(static_cast<int>(i + 1)));
        if (i > 0) {
            EXPECT_GE(sent[i].at - sent[i - 1].at, SendQueue::kGap);
        }
    }
    EXPECT_TRUE(queue.IsEmpty());
    ASSERT_FALSE(sentWhenDrained.empty());
    EXPECT_EQ(sentWhenDrained.back(), 5u);

    // One more right after the last still keeps the gap.
    queue.Enqueue(Make("6"));
    EXPECT_EQ(sent.size(), 5u);
    ASSERT_TRUE(mixer::testing::WaitUntil([&] { return sent.size() == 6; }));
    EXPECT_GE(sent[5].at - sent[4].at, SendQueue::kGap);
}

TEST(SendQueue, RefusesBeyondItsCapacityAndDropsOnClear) {
    int sends = 0;
    SendQueue queue([&](const Datagram&) { return ++sends, true; });
    for (std::size_t i = 0; i <= SendQueue::kCapacity; ++i) ASSERT_TRUE(queue.Enqueue(Make("x")));
    EXPECT_FALSE(queue.Enqueue(Make("y")));  // one went out at once, kCapacity wait
    queue.Clear();
    EXPECT_TRUE(queue.IsEmpty());
    QTest::qWait(50);
    EXPECT_EQ(sends, 1);
}
