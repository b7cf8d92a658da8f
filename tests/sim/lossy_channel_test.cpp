#include "sim/lossy_channel.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <set>

using namespace mixer;

namespace {

Datagram Numbered(int n) { return {std::to_string(n), 0x7F000001, 5000}; }

std::string Joined(const std::vector<Datagram>& datagrams) {
    std::string text;
    for (const Datagram& d : datagrams) text += d.bytes;
    return text;
}

// Plays back a fate per datagram: "L" lost, "D" twice, "R" held back, in any
// combination, "" nothing.
Chance Scripted(const std::vector<std::string>& fates) {
    auto draws = std::make_shared<std::deque<double>>();
    for (const std::string& fate : fates)
        for (char happens : {'L', 'D', 'R'}) draws->push_back(fate.find(happens) != std::string::npos ? 0.0 : 0.9);
    return [draws] {
        const double draw = draws->front();
        draws->pop_front();
        return draw;
    };
}

}  // namespace

TEST(LossyChannel, DeliversAsEachDatagramsFateSays) {
    struct Case {
        std::vector<std::string> fates;
        std::string delivered;
    };
    const Case cases[] = {
        {{"", "", ""}, "123"},         {{"L", "", ""}, "23"},       {{"D", "", ""}, "1123"},
        {{"R", "", ""}, "213"},        {{"DR", "", ""}, "2113"},    {{"R", "L", ""}, "13"},
        {{"LR", "", ""}, "23"},        {{"R", "R", ""}, "213"},     {{"R", "", "R", ""}, "2143"},
        {{"", "", "R"}, "123"},  // the last one held, until given up on
    };
    for (const Case& c : cases) {
        LossyChannel channel({0.5, 0.5, 0.5}, Scripted(c.fates));
        std::string delivered;
        for (int n = 1; n <= static_cast<int>(c.fates.size()); ++n) delivered += Joined(channel.Pass(Numbered(n)));
        EXPECT_EQ(delivered + Joined(channel.Release()), c.delivered) << ::testing::PrintToString(c.fates);
        EXPECT_FALSE(channel.Holding());
    }
}

TEST(LossyChannel, SeededDrawsKeepToTheirProbabilityAndReplay) {
    struct Case {
        NetworkFaults faults;
        int least, most;  // of 2000 datagrams delivered, four standard deviations either side
    };
    const Case cases[] = {
        {{0, 0, 0}, 2000, 2000},     {{1, 0, 0}, 0, 0},          {{0.25, 0, 0}, 1420, 1580},
        {{0.5, 0, 0}, 910, 1090},    {{0, 1, 0}, 4000, 4000},    {{0, 0.25, 0}, 2420, 2580},
        {{0, 0, 1}, 2000, 2000},     {{0, 0, 0.5}, 2000, 2000},
    };
    for (const Case& c : cases) {
        const std::string label = ::testing::PrintToString(std::vector{c.faults.loss, c.faults.duplicate, c.faults.reorder});
        LossyChannel channel(c.faults, SeededChance(42, Direction::kIncoming));
        LossyChannel replay(c.faults, SeededChance(42, Direction::kIncoming));
        std::string delivered, replayed;
        int count = 0;
        for (int n = 0; n < 2000; ++n) {
            const std::vector<Datagram> now = channel.Pass(Numbered(n));
            count += static_cast<int>(now.size());
            delivered += Joined(now) + ' ';
            replayed += Joined(replay.Pass(Numbered(n))) + ' ';
        }
        count += static_cast<int>(channel.Release().size());
        EXPECT_GE(count, c.least) << label;
        EXPECT_LE(count, c.most) << label;
        EXPECT_EQ(delivered, replayed) << label;
    }
    // The directions draw apart: one's traffic does not shift the other's losses.
    const Chance in = SeededChance(42, Direction::kIncoming), out = SeededChance(42, Direction::kOutgoing);
    EXPECT_NE(in(), out());
}

TEST(LossyChannel, HoldingBackNeverLosesADatagramNorLetsItFallFarBehind) {
    LossyChannel channel({0, 0.3, 0.5}, SeededChance(7, Direction::kOutgoing));
    std::vector<Datagram> delivered;
    constexpr int kSent = 1000;
    for (int n = 0; n < kSent; ++n)
        for (Datagram& d : channel.Pass(Numbered(n))) delivered.push_back(std::move(d));
    for (Datagram& d : channel.Release()) delivered.push_back(std::move(d));

    std::set<int> seen;
    int complete = 0;  // 0 to complete - 1 have all arrived
    for (const Datagram& d : delivered) {
        const int n = std::stoi(d.bytes);
        // Held back past the next one only: by the time n arrives, all before n - 1 have.
        ASSERT_GE(complete, n - 1) << n;
        seen.insert(n);
        while (seen.contains(complete)) ++complete;
    }
    EXPECT_EQ(complete, kSent);
    EXPECT_LE(delivered.size(), 2u * kSent);
    EXPECT_GT(delivered.size(), static_cast<std::size_t>(kSent));
}
