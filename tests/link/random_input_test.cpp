// Every parser of what arrives from the network must survive anything: no
// crash, no read past the end (run under a sanitizer or valgrind to see it),
// and nothing stored outside its range.
#include <gtest/gtest.h>

#include <random>

#include "link/command_apply.h"
#include "link/incoming.h"
#include "link/mixer_state.h"
#include "link/state_reply.h"
#include "link/random_state.h"
#include "link/wire_format.h"

using namespace mixer;

namespace {

bool InRanges(const MixerState& s) {
    MixerState clamped = s;
    ClampToRanges(clamped);
    return mixer::testing::SameState(clamped, s);
}

std::string RandomBytes(std::mt19937& rng, std::size_t n, bool protocolAlphabet) {
    static const char kAlphabet[] = "%#,0123456789ABCDEFabcZQGR";
    std::string t(n, '\0');
    for (char& c : t)
        c = protocolAlphabet ? kAlphabet[rng() % (sizeof kAlphabet - 1)] : static_cast<char>(rng() & 0xFF);
    return t;
}

// Turns random text into a message that passes the checksum, so that the
// parsers behind the frame check are reached.
std::string Framed(char letter, const std::string& body) {
    std::string text = std::string("%") + letter + "," + body + ",";
    char crc[5];
    std::snprintf(crc, sizeof crc, "%04X", Crc16Modbus(text));
    return text + crc + "#";
}

}  // namespace

TEST(RandomInput, SplitterAndDispatchSurviveAnyDatagrams) {
    std::mt19937 rng(11);
    MixerState s = mixer::testing::RandomState(rng);
    std::string version;
    std::string residue;
    for (int i = 0; i < 20000; ++i) {
        std::vector<std::string> out;
        SplitFrames(residue, RandomBytes(rng, rng() % 129, i % 2 == 0), out);
        ASSERT_LE(residue.size(), kMaxMessageLength);
        for (const std::string& m : out) {
            OnMessage(m, s, version);
            ApplyCommand(m, s);
        }
    }
    EXPECT_LE(version.size(), kMaxVersionLength);
}

TEST(RandomInput, ParsersBehindAValidFrameStoreOnlyInRangeValues) {
    std::mt19937 rng(5);
    MixerState s = mixer::testing::RandomState(rng);
    std::string version;
    for (int i = 0; i < 5000; ++i) {
        const std::string body = RandomBytes(rng, rng() % 400, true);
        for (char letter : std::string("ZQABCDEFGHIJKLMNOP")) {
            const std::string m = Framed(letter, body);
            OnMessage(m, s, version);
            ApplyCommand(m, s);
        }
        ASSERT_TRUE(InRanges(s)) << body;
    }
}

TEST(RandomInput, DatagramFloodDeliversEveryEmbeddedMessage) {
    std::mt19937 rng(9);
    std::string residue;
    int delivered = 0;
    for (int i = 0; i < 2000; ++i) {
        // Noise without framing characters, then one whole message.
        std::string noise = RandomBytes(rng, rng() % 40, true);
        for (char& c : noise)
            if (c == '%' || c == '#' || c == '\0') c = 'x';
        std::vector<std::string> out;
        delivered += SplitFrames(residue, noise + "%Z,01,F143#", out);
    }
    EXPECT_EQ(delivered, 2000);
}
