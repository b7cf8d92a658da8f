#include "pages/dynamics/transfer_handles.h"

#include <algorithm>
#include <cmath>

#include "link/meter_report.h"

namespace mixer {

namespace {

constexpr double kMeterFloorDb = -60.0;
constexpr double kMeterTopDb = 10.0;
constexpr DynamicsLevels kSilence{kMeterFloorDb, kMeterFloorDb, 0.0};
// Level 255 is +10 dB on the strips' meter scale.
constexpr double kLevelToRatio = 0.021568627450980392;

double RatioOf(const int32_t (&record)[5]) { return std::clamp(record[kDynRatio], 10, 100) / 10.0; }
double GainDbOf(const int32_t (&record)[5]) { return std::clamp(record[kDynGain], 0, 200) / 10.0; }

// The output of the compressor's static curve for an input level, gain included.
double Compress(const int32_t (&record)[5], double in) {
    const double t = ThresholdDb(record[kDynThreshold]);
    const double out = in <= t ? in : t + (in - t) / RatioOf(record);
    return out + GainDbOf(record);
}

DynamicsLevels CompStage(const int32_t (&record)[5], bool on, double in) {
    if (!on) return {in, in, 0.0};
    const double out = Compress(record, in);
    return {in, out, in + GainDbOf(record) - out};
}

}  // namespace

double ThresholdDb(int code) { return std::clamp(code, 0, 60) - 60.0; }

int ThresholdCodeFromInput(double inputDb) {
    if (std::isnan(inputDb)) return 0;
    return std::clamp(static_cast<int>(std::trunc(inputDb + 60.0)), 0, 60);
}

HandlePoint GateThresholdHandle(int thresholdCode) {
    const double t = ThresholdDb(thresholdCode);
    return {t, t};
}

HandlePoint GateRangeHandle(int thresholdCode, int range) {
    const double t = ThresholdDb(thresholdCode);
    return {t, std::max(kTransferMinDb, t - std::clamp(range, 0, 60))};
}

int GateRangeFromHandle(int thresholdCode, double outputDb) {
    if (std::isnan(outputDb)) return 0;
    return std::clamp(static_cast<int>(std::lround(ThresholdDb(thresholdCode) - outputDb)), 0, 60);
}

HandlePoint CompThresholdHandle(const int32_t (&record)[5]) {
    const double t = ThresholdDb(record[kDynThreshold]);
    return {t, t};
}

HandlePoint CompRatioHandle(const int32_t (&record)[5]) {
    const double t = ThresholdDb(record[kDynThreshold]);
    return {kTransferMaxDb, t * (1.0 - 1.0 / RatioOf(record))};
}

HandlePoint CompGainHandle(const int32_t (&record)[5]) { return {kTransferMinDb, GainDbOf(record) + kTransferMinDb}; }

int RatioCodeFromHandles(HandlePoint ratio, HandlePoint threshold) {
    const double dIn = ratio.input - threshold.input;
    const double dOut = ratio.output - threshold.output;
    double r = dOut == 0.0 ? 10.0 : dIn / dOut;
    if (std::isnan(r) || r < 0.0) r = 10.0;
    r = std::clamp(r, 1.0, 10.0);
    return static_cast<int>(std::lround(r * 10.0));
}

int GainCodeFromHandle(double outputDb) {
    if (std::isnan(outputDb)) return 0;
    return std::clamp(static_cast<int>(std::lround((outputDb - kTransferMinDb) * 10.0)), 0, 200);
}

CompKnob CompPointKnob(int point) {
    if (point == kCompPointRatio) return CompKnob::kRatio;
    return point == kCompPointGain ? CompKnob::kGain : CompKnob::kThreshold;
}

int CompCodeFromHandle(const int32_t (&record)[5], int point, double input, double output) {
    switch (CompPointKnob(point)) {
    case CompKnob::kRatio: return RatioCodeFromHandles({input, output}, CompThresholdHandle(record));
    case CompKnob::kGain: return GainCodeFromHandle(output);
    default: return ThresholdCodeFromInput(input);
    }
}

TransferLine CompCurve(const int32_t (&record)[5]) {
    return CompressorTransfer(ThresholdDb(record[kDynThreshold]), RatioOf(record), 0.0);
}

TransferLine CompCurveWithGain(const int32_t (&record)[5]) {
    return CompressorTransfer(ThresholdDb(record[kDynThreshold]), RatioOf(record), GainDbOf(record));
}

TransferLine GateCurve(const StripRecord& r) {
    return GateTransfer(ThresholdDb(r.gate[kGateThreshold]), std::clamp(r.gate[kGateUnused], 0, 60));
}

double MeterLevelDb(int level) {
    level = std::clamp(level, 0, 255);
    if (level == 0) return kMeterFloorDb;
    return std::clamp(20.0 * std::log10(level * kLevelToRatio), kMeterFloorDb, kMeterTopDb);
}

double MeterBarFromDb(double db) {
    if (std::isnan(db) || db <= kMeterFloorDb) return 0.0;
    const double level = std::pow(10.0, std::min(db, kMeterTopDb) / 20.0) / kLevelToRatio;
    return MeterBarHeight(static_cast<int>(std::lround(level)));
}

ChannelDynamicsLevels ChannelLevels(const StripRecord& r, int meterLevel) {
    if (meterLevel <= 0) return {kSilence, kSilence};
    const double in = MeterLevelDb(meterLevel);
    double gated = in;
    if (r.gateOn != 0 && in < ThresholdDb(r.gate[kGateThreshold])) gated -= std::clamp(r.gate[kGateUnused], 0, 60);
    return {{in, gated, in - gated}, CompStage(r.comp, r.compOn != 0, gated)};
}

DynamicsLevels LimiterLevels(const BusRecord& b, int meterLevel) {
    if (meterLevel <= 0) return kSilence;
    return CompStage(b.lim, b.limOn != 0, MeterLevelDb(meterLevel));
}

}  // namespace mixer
