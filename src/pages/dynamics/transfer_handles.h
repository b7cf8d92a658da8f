#pragma once
// Where the handles of the gate, compressor and limiter graphs sit and what a
// dragged handle means, on the graphs' -60..0 dB input and output axes.
//
// Gate: the threshold handle sits on the unity line at (T, T); the range
// handle sits straight below it at (T, T - range), where the curve drops to
// below the threshold, so the vertical distance between the two is the range.
//
// Compressor and limiter: the threshold handle at (T, T) and the ratio handle
// at (0, T (1 - 1/R)) lie on the curve without make-up gain; the gain handle
// sits at (-60, G - 60) at the left end of the curve lifted by the gain. The
// page draws both curves, so each handle lies on a drawn line, and dragging
// the gain moves only the lifted one.

#include "link/mixer_state.h"
#include "pages/dynamics/dynamics_edits.h"
#include "pages/curves/transfer_curve.h"

namespace mixer {

struct HandlePoint {
    double input;
    double output;
};

inline constexpr int kGatePointThreshold = 0;
inline constexpr int kGatePointRange = 1;
inline constexpr int kCompPointThreshold = 0;
inline constexpr int kCompPointRatio = 1;
inline constexpr int kCompPointGain = 2;

// threshold code 0..60 to dB and back (trunc of the dragged input level).
double ThresholdDb(int code);
int ThresholdCodeFromInput(double inputDb);

HandlePoint GateThresholdHandle(int thresholdCode);
HandlePoint GateRangeHandle(int thresholdCode, int range);
// The range a dragged range handle gives: its distance below the threshold
// handle, 0..60.
int GateRangeFromHandle(int thresholdCode, double outputDb);

// `record` is the compressor's or limiter's five words (DynamicsValue order).
HandlePoint CompThresholdHandle(const int32_t (&record)[5]);
HandlePoint CompRatioHandle(const int32_t (&record)[5]);
HandlePoint CompGainHandle(const int32_t (&record)[5]);
// The ratio code 10..100 from the ratio handle and the threshold handle: the
// input difference over the output difference, 10.0 when the outputs are
// level or the slope is negative, limited to 1.0..10.0.
int RatioCodeFromHandles(HandlePoint ratio, HandlePoint threshold);
// The gain code 0..200 from the gain handle's output level.
int GainCodeFromHandle(double outputDb);

// The knob a compressor graph point stands for, and the code a drag of the
// point to (input, output) gives it.
CompKnob CompPointKnob(int point);
int CompCodeFromHandle(const int32_t (&record)[5], int point, double input, double output);

// The curves to draw: without make-up gain, and with it.
TransferLine CompCurve(const int32_t (&record)[5]);
TransferLine CompCurveWithGain(const int32_t (&record)[5]);
TransferLine GateCurve(const StripRecord& r);

// The meters of a dynamics section: the input level the mixer reports, what
// the sections switched on do to it by their static curves, and the gain
// reduction (before make-up gain) in dB.
struct DynamicsLevels {
    double inputDb;
    double outputDb;
    double reductionDb;
};
// Meter level 0..255 to dB (-60..+10), 0 for silence giving -60.
double MeterLevelDb(int level);
// Bar height 0..186 for a level in dB, as the strips draw a reported level.
double MeterBarFromDb(double db);
// The gate's meter shows the channel's level into and out of the gate, the
// compressor's what the gate passes on and what the compressor makes of it.
struct ChannelDynamicsLevels {
    DynamicsLevels gate;
    DynamicsLevels comp;
};
ChannelDynamicsLevels ChannelLevels(const StripRecord& r, int meterLevel);
DynamicsLevels LimiterLevels(const BusRecord& b, int meterLevel);

}  // namespace mixer
