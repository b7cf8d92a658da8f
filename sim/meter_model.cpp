#include "sim/meter_model.h"

#include <algorithm>
#include <cmath>

namespace mixer {

namespace {

constexpr double kQuietestDb = -30.0;
constexpr double kLoudestDb = 4.0;
// Amplitude 1 (0 dB) reads as this meter value; 255 is about +15 dB.
constexpr double kUnitLevel = 1.0 / 0.021568627450980392;

// Gain of a fader or send in level units (dB = value - 60).
double Gain(int level) { return std::pow(10.0, (level - 60) / 20.0); }
double Open(int32_t mute) { return mute ? 0.0 : 1.0; }

int32_t MeterValue(double amplitude) {
    return static_cast<int32_t>(std::clamp(std::lround(amplitude * kUnitLevel), 0L, 255L));
}

// Signals add up as powers, not as amplitudes.
struct PowerSum {
    double sum = 0.0;
    void Add(double amplitude) { sum += amplitude * amplitude; }
    double Amplitude() const { return std::sqrt(sum); }
};

}  // namespace

MeterModel::MeterModel(uint32_t seed) : rng_(seed) {
    std::uniform_real_distribution<double> start(-20.0, 0.0);
    for (double& db : sourceDb_) db = start(rng_);
}

void MeterModel::Step(MixerState& s) {
    std::uniform_real_distribution<double> wander(-1.5, 1.5);
    std::uniform_real_distribution<double> flicker(-4.0, 2.0);

    std::array<double, kInputCount> post{};  // after fader and mute
    PowerSum delayIn, reverbIn, mainL, mainR;
    std::array<PowerSum, kBusCount - kFirstAux> aux;
    for (int i = 0; i < kInputCount; ++i) {
        sourceDb_[i] = std::clamp(sourceDb_[i] + wander(rng_), kQuietestDb, kLoudestDb);
        const StripRecord& r = s.strips[i];
        const double source = std::pow(10.0, (sourceDb_[i] + flicker(rng_)) / 20.0);
        post[i] = source * Gain(r.level) * Open(r.mute);
        s.strips[i].meter = MeterValue(post[i]);
        delayIn.Add(post[i] * Gain(r.fxSend[0]));
        reverbIn.Add(post[i] * Gain(r.fxSend[1]));
        const double toMain = post[i] * Gain(r.mainSend);
        mainL.Add(toMain * std::min(1.0, (kPanMax - r.pan) / 100.0));
        mainR.Add(toMain * std::min(1.0, r.pan / 100.0));
        for (std::size_t a = 0; a < aux.size(); ++a) aux[a].Add(post[i] * Gain(r.auxSend[a]));
    }

    // Each effect return: first path after its fader into MAIN, second its output volume.
    auto effect = [&](StripRecord& r, const PowerSum& in) {
        const double out = in.Amplitude() * Gain(r.level) * Open(r.mute);
        r.meter = MeterValue(out);
        r.meter2 = MeterValue(out * Gain(r.level2) * Open(r.mute2));
        const double toMain = out * Gain(r.mainSend);
        mainL.Add(toMain * std::min(1.0, (kPanMax - r.pan) / 100.0));
        mainR.Add(toMain * std::min(1.0, r.pan / 100.0));
    };
    effect(s.strips[kDelayReturn], delayIn);
    effect(s.strips[kReverbReturn], reverbIn);

    const BusRecord& main = s.buses[0];
    const double mainGain = Gain(main.level) * Open(main.mute);
    const double balanceL = std::min(1.0, (kPanMax - main.balance) / 100.0);
    const double balanceR = std::min(1.0, main.balance / 100.0);
    s.buses[0].meter = s.buses[0].meter2 = MeterValue(mainL.Amplitude() * mainGain * balanceL);
    s.buses[1].meter = s.buses[1].meter2 = MeterValue(mainR.Amplitude() * mainGain * balanceR);
    for (std::size_t a = 0; a < aux.size(); ++a) {
        BusRecord& b = s.buses[kFirstAux + a];
        b.meter = MeterValue(aux[a].Amplitude() * Gain(b.level) * Open(b.mute));
        b.meter2 = 0;
    }
}

}  // namespace mixer
