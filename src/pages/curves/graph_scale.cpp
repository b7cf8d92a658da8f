#include "pages/curves/graph_scale.h"

#include <cctype>
#include <cmath>

namespace mixer {

const std::array<const char*, kThirdOctaveBands>& ThirdOctaveLabels() {
    static constexpr std::array<const char*, kThirdOctaveBands> kLabels = {
        "20",  "25",  "31.5", "40",  "50",  "63", "80",  "100", "125",  "160", "200",
        "250", "315", "400",  "500", "630", "800", "1k", "1k25", "1k6", "2k",  "2k5",
        "3k15", "4k", "5k",   "6k3", "8k",  "10k", "12k5", "16k", "20k"};
    return kLabels;
}

const std::vector<int>& LabelledBandPositions() {
    static const std::vector<int> kPositions = [] {
        std::vector<int> positions;
        for (int band = 0; band < kThirdOctaveBands; ++band) {
            std::string name = ThirdOctaveLabels()[band];
            for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            for (double hz : FrequencyGridLines()) {
                if (FrequencyLabel(hz) == name) positions.push_back(band + 1);
            }
        }
        return positions;
    }();
    return kPositions;
}

const std::array<double, 28>& FrequencyGridLines() {
    static constexpr std::array<double, 28> kLines = {
        20,   30,   40,   50,   60,   70,   80,   90,   100,  200,  300,  400,   500,   600,
        700,  800,  900,  1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 20000};
    return kLines;
}

std::string FrequencyLabel(double hz) {
    const long f = std::lround(hz);
    if (f >= 1000) {
        switch (f) {
        case 1000: case 2000: case 5000: case 10000: case 20000:
            return std::to_string(f / 1000) + "K";
        default:
            return {};
        }
    }
    switch (f) {
    case 20: case 50: case 100: case 200: case 500:
        return std::to_string(f);
    default:
        return {};
    }
}

double LevelLineValue(double ymin, double ymax, int i) {
    return ymin + i * (ymax - ymin) / (kLevelLines - 1);
}

std::string LevelLabel(double ymin, double ymax, int i) {
    const std::string text = std::to_string(static_cast<int>(std::lround(LevelLineValue(ymin, ymax, i))));
    return i == kLevelLines - 1 ? text + "dB" : text;
}

std::vector<double> StepLines(double min, double max, double step) {
    std::vector<double> lines;
    if (!(step > 0.0) || !(max >= min)) return lines;
    const int n = static_cast<int>(std::floor((max - min) / step + 1e-9));
    for (int i = 0; i <= n && i <= 1000; ++i) lines.push_back(min + i * step);
    return lines;
}

}  // namespace mixer
