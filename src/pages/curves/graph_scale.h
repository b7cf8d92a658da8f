#pragma once
// The scales the curve graph draws: frequency grid lines and their labels,
// the third-octave band names of the graphic EQ, the level lines.

#include <array>
#include <string>
#include <vector>

namespace mixer {

inline constexpr int kThirdOctaveBands = 31;
inline constexpr int kLevelLines = 11;   // ymin, 10 steps, ymax

// "20", "25", "31.5", ... "20k": the graphic EQ's band centres.
const std::array<const char*, kThirdOctaveBands>& ThirdOctaveLabels();

// The bands (1-based positions) whose centre is a labelled frequency grid
// line: 20, 50, 100, 200, 500 Hz, 1, 2, 5, 10 and 20 kHz.
const std::vector<int>& LabelledBandPositions();

// 20..100 Hz in tens, 200..1000 in hundreds, 2000..10000 in thousands, 20000.
const std::array<double, 28>& FrequencyGridLines();

// The label of a frequency grid line, or an empty text for the lines left
// unlabelled: "20", "50", ... "500", then "1K", "2K", "5K", "10K", "20K".
std::string FrequencyLabel(double hz);

// Level line i (0 = bottom) of a range, and its label ("%d", the top one
// "%ddB").
double LevelLineValue(double ymin, double ymax, int i);
std::string LevelLabel(double ymin, double ymax, int i);

// Lines every `step` from min to max inclusive (the transfer graph's 10 dB
// grid); an empty list for a step that is not positive.
std::vector<double> StepLines(double min, double max, double step);

}  // namespace mixer
