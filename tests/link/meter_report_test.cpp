#include "link/meter_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "link/incoming.h"
#include "link/wire_format.h"

using namespace mixer;

namespace {

std::string Report(const std::string& unit, const std::string& digits) { return FormatMessage('Q', {unit, digits}); }

std::string Digits() {
    std::string d;
    for (int k = 0; k < kMeterValueCount; ++k) d += Hex2(k * 8);
    return d;
}

}  // namespace

TEST(MeterReport, StoresEveryValueInItsField) {
    MixerState s;
    std::memset(&s, 0, sizeof s);
    std::string version;
    ASSERT_EQ(OnMessage(Report("01", Digits()), s, version), IncomingKind::MeterReport);
    EXPECT_EQ(s.strips[0].meter, 0);
    EXPECT_EQ(s.strips[15].meter, 15 * 8);
    EXPECT_EQ(s.strips[16].meter, 16 * 8);
    EXPECT_EQ(s.strips[16].meter2, 17 * 8);
    EXPECT_EQ(s.strips[17].meter, 18 * 8);
    EXPECT_EQ(s.strips[17].meter2, 19 * 8);
    EXPECT_EQ(s.buses[0].meter, 20 * 8);
    EXPECT_EQ(s.buses[7].meter, 27 * 8);
    EXPECT_EQ(s.buses[0].meter2, 28 * 8);
    EXPECT_EQ(s.buses[1].meter2, 29 * 8);
}

TEST(MeterReport, UnitFieldIsNotInterpretedAndBuilderRoundTrips) {
    MixerState a;
    MixerState b;
    std::memset(&a, 0, sizeof a);
    std::memset(&b, 0, sizeof b);
    ASSERT_TRUE(ParseMeterReport(Report("07", Digits()), a));
    ASSERT_TRUE(ParseMeterReport(BuildMeterReport(a), b));
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
}

TEST(MeterReport, ShortOrBrokenReportsChangeNothing) {
    MixerState s;
    std::memset(&s, 0, sizeof s);
    s.strips[0].meter = 99;
    EXPECT_FALSE(ParseMeterReport(Report("01", Digits().substr(0, 58)), s));
    EXPECT_FALSE(ParseMeterReport(Report("01", "ZZ" + Digits().substr(2)), s));
    EXPECT_FALSE(ParseMeterReport("%Q,01,01,b5e1#", s));
    EXPECT_FALSE(ParseMeterReport(Report("1", Digits()), s));  // digits shifted by one
    EXPECT_EQ(s.strips[0].meter, 99);
}

TEST(MeterBarHeight, EndsAndClamps) {
    EXPECT_DOUBLE_EQ(MeterBarHeight(255), 186.0);  // about 74.8 dB, clamped to 70
    // Silence shows nothing at all, not the 0.87 of the formula's floor.
    EXPECT_DOUBLE_EQ(MeterBarHeight(0), 0.0);
    EXPECT_DOUBLE_EQ(MeterBarHeight(-5), 0.0);
    EXPECT_NEAR(MeterBarHeight(1), 186.0 - 100.0 * std::log10(71.0 - (20.0 * std::log10(0.021568627450980392) + 60.0)), 1e-9);
    EXPECT_DOUBLE_EQ(MeterBarHeight(400), 186.0);
    double previous = -1;
    for (int level = 0; level <= 255; ++level) {
        const double h = MeterBarHeight(level);
        EXPECT_GE(h, previous);
        previous = h;
    }
}
