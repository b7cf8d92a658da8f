#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>

#include "system/discovery_replies.h"
#include "system/scan_plan.h"
#include "system/span_time.h"

using namespace mixer;

namespace {

constexpr const char* kFrom = "127.0.0.5";

TEST(DiscoveryReplies, ListsAReplyThatComesInTwoDatagramsOnceItIsWhole) {
    DiscoveryReplies replies;
    EXPECT_FALSE(replies.Accept("%R,01,00,", kFrom));
    EXPECT_TRUE(replies.Senders().empty());
    EXPECT_EQ(replies.Residue(), "%R,01,00,");
    EXPECT_TRUE(replies.Accept("30A0#", kFrom));
    EXPECT_EQ(replies.Senders(), std::vector<std::string>{kFrom});
    EXPECT_EQ(replies.Residue(), "");
}

TEST(DiscoveryReplies, DropsStrayTextAndKeepsAStartedReply) {
    DiscoveryReplies strayLetters;
    EXPECT_TRUE(strayLetters.Accept("abc%R,01,00,30A0#%R,0", kFrom));
    EXPECT_EQ(strayLetters.Senders().size(), 1u);
    EXPECT_EQ(strayLetters.Residue(), "%R,0");

    DiscoveryReplies strayEnd;
    EXPECT_TRUE(strayEnd.Accept("#wxyz%R,01,00,30A0#", kFrom));
    EXPECT_EQ(strayEnd.Residue(), "");

    // A broken beginning: the reply starts at the second "%".
    DiscoveryReplies brokenStart;
    EXPECT_TRUE(brokenStart.Accept("%x%R,01,00,30A0#", kFrom));
}

TEST(DiscoveryReplies, OnlyCheckedRepliesOfLetterRList) {
    DiscoveryReplies replies;
    EXPECT_FALSE(replies.Accept("%Q,01,00,25E0#", kFrom));     // valid, but not a reply to the probe
    EXPECT_FALSE(replies.Accept("%R,01,00,30A1#", kFrom));     // wrong checksum
    EXPECT_FALSE(replies.Accept("%R,01,00,30a0#", kFrom));     // checksum in lower case
    EXPECT_TRUE(replies.Senders().empty());
    // The mixer's own answer and a probe of another editor both list their sender.
    EXPECT_TRUE(replies.Accept("%R,01,01,A0A1#", "127.0.0.9"));
    EXPECT_TRUE(replies.Accept("%R,01,00,30A0#", "127.0.0.7"));
    EXPECT_EQ(replies.Senders(), (std::vector<std::string>{"127.0.0.9", "127.0.0.7"}));
}

TEST(DiscoveryReplies, ListsEachSenderOnce) {
    DiscoveryReplies replies;
    EXPECT_TRUE(replies.Accept("%R,01,00,30A0#", kFrom));
    EXPECT_FALSE(replies.Accept("%R,01,00,30A0#", kFrom));
    EXPECT_FALSE(replies.Accept("%R,01,00,30A0#%R,01,00,30A0#", kFrom));
    EXPECT_EQ(replies.Senders().size(), 1u);
    replies.Clear();
    EXPECT_TRUE(replies.Senders().empty());
    EXPECT_TRUE(replies.Accept("%R,01,00,30A0#", kFrom));

    // A flood of answers from ever new addresses stops at the limit.
    for (std::size_t i = 0; i < 2 * DiscoveryReplies::kMaxSenders; ++i)
        replies.Accept("%R,01,00,30A0#", "127.1." + std::to_string(i / 256) + "." + std::to_string(i % 256));
    EXPECT_EQ(replies.Senders().size(), DiscoveryReplies::kMaxSenders);
}

TEST(DiscoveryReplies, IgnoresDatagramsOfOneOrTwoCharacters) {
    DiscoveryReplies replies;
    EXPECT_FALSE(replies.Accept("%R", kFrom));
    EXPECT_FALSE(replies.Accept("#", kFrom));
    EXPECT_EQ(replies.Residue(), "");
    EXPECT_FALSE(replies.Accept(",01,00,30A0#", kFrom));
    EXPECT_TRUE(replies.Senders().empty());

    // With a reply under way they count, as part of it.
    EXPECT_FALSE(replies.Accept("%R,01,00,30", kFrom));
    EXPECT_TRUE(replies.Accept("A0#", kFrom));
}

TEST(DiscoveryReplies, ReadsADatagramUpToItsFirstNulAndAtMost128Bytes) {
    DiscoveryReplies replies;
    EXPECT_FALSE(replies.Accept(std::string_view("%R,01\0,00,30A0#", 15), kFrom));
    EXPECT_EQ(replies.Residue(), "%R,01");

    DiscoveryReplies late;
    const std::string padded = std::string(128, 'x') + "%R,01,00,30A0#";
    EXPECT_FALSE(late.Accept(padded, kFrom));
}

TEST(ScanOrigin, IsTheBindAddressWhenOneIsGiven) {
    const std::vector<InterfaceInfo> interfaces = {{true, false, {"203.0.113.7"}}};
    EXPECT_EQ(ScanOrigin("127.0.0.1", interfaces), "127.0.0.1");
    EXPECT_EQ(ScanOrigin("0.0.0.0", interfaces), "203.0.113.7");
    EXPECT_EQ(ScanOrigin("", interfaces), "203.0.113.7");
    EXPECT_EQ(ScanOrigin("not.an.address", interfaces), std::nullopt);
}

TEST(ScanOrigin, IsTheFirstIpv4AddressOfTheFirstInterfaceUpAndNotLoopback) {
    const std::vector<InterfaceInfo> interfaces = {
        {true, true, {"127.0.0.1"}},            // loopback
        {false, false, {"192.0.2.10"}},         // down
        {true, false, {}},                      // up, without an IPv4 address
        {true, false, {"198.51.100.7", "198.51.100.8"}},
        {true, false, {"203.0.113.1"}},
    };
    EXPECT_EQ(ScanOrigin("0.0.0.0", interfaces), "198.51.100.7");
    EXPECT_EQ(ScanOrigin("0.0.0.0", {interfaces[0], interfaces[1], interfaces[2]}), std::nullopt);
    EXPECT_EQ(ScanOrigin("0.0.0.0", {}), std::nullopt);
}

TEST(ScanProbes, ProbesHosts2To254TwiceExceptTheComputersOwn) {
    const std::vector<Probe> probes = ScanProbes("198.51.100.77");
    ASSERT_EQ(probes.size(), 2u * 252);
    EXPECT_EQ(probes.front().address, "198.51.100.2");
    EXPECT_EQ(probes[1].address, "198.51.100.2");
    EXPECT_EQ(probes[2].address, "198.51.100.3");
    EXPECT_EQ(probes.back().address, "198.51.100.254");
    EXPECT_EQ(probes.back().host, 254);
    std::set<int> hosts;
    for (const Probe& probe : probes) {
        hosts.insert(probe.host);
        EXPECT_EQ(probe.address, "198.51.100." + std::to_string(probe.host));
    }
    for (int never : {0, 1, 77, 255}) EXPECT_FALSE(hosts.contains(never)) << never;

    // From host 1 nothing in the range is the computer's own.
    EXPECT_EQ(ScanProbes("127.0.0.1").size(), 2u * 253);
    EXPECT_TRUE(ScanProbes("").empty());
}

TEST(ProbesDue, OneProbeEvery5MsFromTheFirst) {
    EXPECT_EQ(ProbesDue(0, 506), 1u);
    EXPECT_EQ(ProbesDue(4, 506), 1u);
    EXPECT_EQ(ProbesDue(5, 506), 2u);
    EXPECT_EQ(ProbesDue(2520, 506), 505u);
    EXPECT_EQ(ProbesDue(2525, 506), 506u);
    EXPECT_EQ(ProbesDue(60000, 506), 506u);
    EXPECT_EQ(ProbesDue(-3, 506), 1u);
    EXPECT_EQ(ProbesDue(100, 0), 0u);
}

TEST(SpanTime, ReadsTheTextAsAtoiDoes) {
    EXPECT_EQ(ParseSpanTime("250"), 250);
    EXPECT_EQ(ParseSpanTime("abc"), 0);
    EXPECT_EQ(ParseSpanTime(""), 0);
    EXPECT_EQ(ParseSpanTime("  42ms"), 42);
    EXPECT_EQ(ParseSpanTime("\t+7"), 7);
    EXPECT_EQ(ParseSpanTime("-5"), -5);
    EXPECT_EQ(ParseSpanTime("12 34"), 12);
    EXPECT_EQ(ParseSpanTime("- 5"), 0);
}

TEST(SpanTime, HoldsNumbersBeyondIntAtTheRangesEnd) {
    EXPECT_EQ(ParseSpanTime("2147483647"), INT_MAX);
    EXPECT_EQ(ParseSpanTime("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseSpanTime("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseSpanTime("-99999999999999999999"), INT_MIN);
}

}  // namespace
