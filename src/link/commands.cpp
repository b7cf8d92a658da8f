#include "link/commands.h"

#include <vector>

#include "link/wire_format.h"

namespace mixer {

namespace {

constexpr char kUnit[] = "01";

bool InStrips(int index) { return index >= 1 && index <= kStripCount; }
bool InBuses(int index) { return index >= 1 && index <= kBusCount; }

std::string Message(char letter, int index, std::vector<std::string> values) {
    std::vector<std::string> fields{kUnit, Hex2(index)};
    fields.insert(fields.end(), values.begin(), values.end());
    return FormatMessage(letter, fields);
}

// EQ gains are kept doubled; the wire carries half, truncated toward zero.
int Half(int gain2) { return gain2 / 2; }

}  // namespace

std::string BuildA(const MixerState& s, int index) {
    if (index >= 1 && index <= kInputCount) {
        const StripRecord& r = s.strips[index - 1];
        return Message('A', index, {Hex2(r.mute), Hex2(r.level)});
    }
    if (index >= kFirstBusIndexA && index < kFirstBusIndexA + kBusCount) {
        const BusRecord& b = s.buses[index - kFirstBusIndexA];
        return Message('A', index, {Hex2(b.mute), Hex2(b.level)});
    }
    if (index >= 25 && index <= kIndexDelayReturn) {
        const StripRecord& r = s.strips[kDelayReturn];
        return Message('A', index, {Hex2(r.mute), Hex2(r.level)});
    }
    if (index == kIndexDelayOut) {
        const StripRecord& r = s.strips[kDelayReturn];
        return Message('A', index, {Hex2(r.mute2), Hex2(r.level2)});
    }
    if (index == kIndexReverbReturn) {
        const StripRecord& r = s.strips[kReverbReturn];
        return Message('A', index, {Hex2(r.mute), Hex2(r.level)});
    }
    if (index == kIndexReverbOut) {
        const StripRecord& r = s.strips[kReverbReturn];
        return Message('A', index, {Hex2(r.mute2), Hex2(r.level2)});
    }
    return Message('A', index, {});
}

std::string BuildB(const MixerState& s, int index) {
    if (!InStrips(index)) return {};
    const StripRecord& r = s.strips[index - 1];
    return Message('B', index,
                   {Hex2(r.gateOn), Hex2(r.gate[kGateThreshold]), Hex2(r.gate[kGateAttack]), Hex2(r.gate[kGateRelease])});
}

std::string BuildC(const MixerState& s, int index) {
    if (!InStrips(index)) return {};
    const StripRecord& r = s.strips[index - 1];
    return Message('C', index,
                   {Hex2(r.compOn), Hex2(r.comp[kDynRatio]), Hex2(r.comp[kDynThreshold]), Hex2(r.comp[kDynAttack]),
                    Hex2(r.comp[kDynRelease]), Hex2(r.comp[kDynGain])});
}

std::string BuildD(const MixerState& s, int index) {
    if (!InBuses(index)) return {};
    const BusRecord& b = s.buses[index - 1];
    return Message('D', index,
                   {Hex2(b.limOn), Hex2(b.lim[kDynRatio]), Hex2(b.lim[kDynThreshold]), Hex2(b.lim[kDynAttack]),
                    Hex2(b.lim[kDynRelease]), Hex2(b.lim[kDynGain])});
}

std::string BuildE(const MixerState& s, int index) {
    if (!InStrips(index)) return {};
    const StripRecord& r = s.strips[index - 1];
    return Message('E', index, {Hex2(r.lpfOn), Hex2(r.lpfType), Hex4(r.lpfFreq), Hex2(r.lpfSlope), Hex2(1)});
}

std::string BuildF(const MixerState& s, int index) {
    if (!InStrips(index)) return {};
    const StripRecord& r = s.strips[index - 1];
    return Message('F', index, {Hex2(r.hpfOn), Hex2(r.hpfType), Hex4(r.hpfFreq), Hex2(r.hpfSlope), Hex2(1)});
}

std::string BuildG(const MixerState& s, int index, int band) {
    if (!InStrips(index) || band < 1 || band > kPeqBandCount) return {};
    const StripRecord& r = s.strips[index - 1];
    const PeqBand& p = r.peqBands[band - 1];
    return Message('G', index,
                   {Hex2(r.peqOn), Hex2(band), Hex2(p.type + 1), Hex4(p.freq), Hex2(Half(p.gain2)), Hex2(p.q)});
}

std::string BuildH(const MixerState& s, int index) {
    if (!InBuses(index)) return {};
    const BusRecord& b = s.buses[index - 1];
    std::vector<std::string> values{Hex2(b.geqOn)};
    for (const GeqBand& g : b.geqBands) values.push_back(Hex2(Half(g.gain2)));
    return Message('H', index, std::move(values));
}

std::string BuildI(const MixerState& s, int index) {
    if (!InStrips(index)) return {};
    const StripRecord& r = s.strips[index - 1];
    std::vector<std::string> values{Hex2(r.mainSend)};
    for (int v : r.auxSend) values.push_back(Hex2(v));
    return Message('I', index, std::move(values));
}

std::string BuildJ(const MixerState& s, int index) {
    if (!InStrips(index)) return {};
    const StripRecord& r = s.strips[index - 1];
    return Message('J', index, {Hex2(r.fxSend[0]), Hex2(r.fxSend[1])});
}

std::string BuildK(const MixerState& s, int index) {
    if (index >= 1 && index < kFirstStripIndexK) return Message('K', index, {Hex2(s.buses[index + 1].solo)});
    if (index >= kFirstStripIndexK && index < kFirstStripIndexK + kStripCount)
        return Message('K', index, {Hex2(s.strips[index - kFirstStripIndexK].solo)});
    return Message('K', index, {});
}

std::string BuildL(const MixerState& s, int index) {
    if (InStrips(index)) return Message('L', index, {Hex2(s.strips[index - 1].pan)});
    if (index == kIndexMainBalance) return Message('L', index, {Hex2(s.buses[0].balance)});
    return Message('L', index, {});
}

std::string BuildM(const MixerState& s) {
    const int32_t* p = s.strips[kReverbReturn].reverbParams;
    return FormatMessage('M', {kUnit, Hex2(p[0]), Hex2(p[1]), Hex2(p[2]), Hex2(p[3]), Hex2(p[kRevTime]), Hex4(p[kRevLpf])});
}

std::string BuildN(const MixerState& s) {
    const int32_t* p = s.strips[kDelayReturn].delayParams;
    return FormatMessage('N', {kUnit, Hex4(p[kPreDelay1]), Hex4(p[kPreDelay2]), Hex2(p[kFeedback]), Hex4(p[kDelayLpf])});
}

std::string BuildO(const MixerState& s, int index) {
    if (!InStrips(index)) return {};
    const StripRecord& r = s.strips[index - 1];
    return Message('O', index, {Hex2(r.polarity), Hex2(r.phantom)});
}

std::string BuildP(const MixerState& s, int index) {
    if (!InBuses(index)) return {};
    return Message('P', index, {Dec2(s.buses[index - 1].busMode)});
}

std::string BuildQ(bool metersOn) { return FormatMessage('Q', {kUnit, Hex2(metersOn ? 1 : 0)}); }

std::string BuildZ() { return FormatMessage('Z', {kUnit}); }

}  // namespace mixer
