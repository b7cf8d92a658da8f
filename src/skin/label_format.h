#pragma once
// How a label shows a number: divided, shifted, with a prefix and suffix, a
// decimal only when the value has one, and "OFF" for a chosen value.

#include <string>

namespace mixer {

struct LabelNumberFormat {
    double divisor = 1.0;  // 0 counts as 1
    double offset = 0.0;   // subtracted after dividing
    std::string prefix;
    std::string suffix;
    int offMode = 0;  // 0 never; 1 OFF at offValue1; 2 OFF at offValue2
    double offValue1 = 1.0;
    double offValue2 = 10.0;
};

// "3.5dB" for 35 with divisor 10 and suffix "dB"; "3dB" for 30.
std::string FormatLabelValue(const LabelNumberFormat& format, double value);

}  // namespace mixer
