#include "skin/label_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace mixer;

TEST(LabelFormat, DecimalOnlyWhenTheValueHasOne) {
    LabelNumberFormat f;
    f.divisor = 10;
    f.suffix = "dB";
    EXPECT_EQ(FormatLabelValue(f, 35), "3.5dB");
    EXPECT_EQ(FormatLabelValue(f, 30), "3dB");
    EXPECT_EQ(FormatLabelValue(f, -35), "-3.5dB");
    EXPECT_EQ(FormatLabelValue(f, 0), "0dB");
}

TEST(LabelFormat, OffsetIsSubtractedAfterDividing) {
    LabelNumberFormat f;
    f.offset = 60;
    f.prefix = "TH ";
    EXPECT_EQ(FormatLabelValue(f, 48), "TH -12");
    f.divisor = 10;
    f.offset = 0.5;
    // 30 / 10 is whole, so the shifted 2.5 is shown truncated.
    EXPECT_EQ(FormatLabelValue(f, 30), "TH 2");
    EXPECT_EQ(FormatLabelValue(f, 35), "TH 3.0");
}

TEST(LabelFormat, OffModesShowThePrefixAndOff) {
    LabelNumberFormat f;
    f.prefix = "HPF ";
    f.suffix = "Hz";
    EXPECT_EQ(FormatLabelValue(f, 1), "HPF 1Hz");  // mode 0 never shows OFF
    f.offMode = 1;
    EXPECT_EQ(FormatLabelValue(f, 1), "HPF OFF");  // default OFF value 1 is 1
    EXPECT_EQ(FormatLabelValue(f, 10), "HPF 10Hz");
    f.offValue1 = 0;
    EXPECT_EQ(FormatLabelValue(f, 0), "HPF OFF");
    f.offMode = 2;
    EXPECT_EQ(FormatLabelValue(f, 0), "HPF 0Hz");
    EXPECT_EQ(FormatLabelValue(f, 10), "HPF OFF");  // default OFF value 2 is 10
}

TEST(LabelFormat, ZeroDivisorAndNonFiniteValuesStayPrintable) {
    LabelNumberFormat f;
    f.divisor = 0;
    EXPECT_EQ(FormatLabelValue(f, 7), "7");
    f.divisor = 1;
    EXPECT_EQ(FormatLabelValue(f, std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(FormatLabelValue(f, 1e300), "2147483647");
    EXPECT_EQ(FormatLabelValue(f, -std::numeric_limits<double>::infinity()), "-2147483648");
}
