#pragma once
// How the parametric EQ page's knobs and graph points map to the values the
// state stores, both ways.

namespace mixer {

inline constexpr int kGainKnobMax = 300;
inline constexpr int kFreqKnobMin = 30;    // 20 Hz
inline constexpr int kFreqKnobMax = 330;   // 19953 Hz
inline constexpr int kQKnobMax = 199;
inline constexpr int kSlopeEntries = 7;    // "-12dB/Oct" .. "-48dB/Oct"

// Knob positions are clamped to their ranges first.
int GainCodeFromKnob(int position);
int KnobFromGainCode(int code);
// Hz = trunc(10^((p + 100) / 100) + 0.5): 30 -> 20 Hz, 330 -> 19953 Hz.
int FreqFromKnob(int position);
// p = 100 log10(Hz) - 100 rounded, kept on the knob: 20000 Hz shows at 330,
// and every position shows where it was set.
int KnobFromFreq(int hz);
int QCodeFromKnob(int position);      // p + 1
int KnobFromQCode(int code);          // code - 1
int SlopeFromIndex(int index);        // index + 2
int IndexFromSlope(int slope);        // slope - 2

// A dragged graph point: gain code = trunc(dB * 10 + 150), frequency
// truncated to whole Hz, both kept in the state's ranges.
int GainCodeFromDb(double db);
int FreqFromGraph(double hz);

}  // namespace mixer
