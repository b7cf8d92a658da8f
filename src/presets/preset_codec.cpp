#include "presets/preset_codec.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace mixer {

namespace {

// One field of a data text, bound to the state value it holds. A field
// without a value is the "," separator.
template <class Int>
struct Field {
    Int* value;
    int digits;
    int min;
    int max;
};

template <class State>
using FieldsOf = std::vector<Field<std::conditional_t<std::is_const_v<State>, const int32_t, int32_t>>>;

// The fields of the module's text in order, bound to the record of `index`;
// empty when there is no such record.
template <class State>
FieldsOf<State> Bind(PresetModule module, State& state, int index) {
    FieldsOf<State> f;
    auto add = [&f](auto& value, int digits, int min, int max) { f.push_back({&value, digits, min, max}); };
    auto separator = [&f] { f.push_back({nullptr, 1, 0, 0}); };
    const bool strip = index >= 0 && index < kStripCount;
    const bool bus = index >= 0 && index < kBusCount;

    switch (module) {
    case PresetModule::kPeq:
        if (!strip) break;
        for (int b = 0; b < kPeqBandCount; ++b) {
            auto& band = state.strips[index].peqBands[b];
            add(band.type, 2, 0, kPeqTypeMax);
            add(band.q, 4, kQMin, kQMax);
            add(band.gain2, 4, 0, kGainCodeMax);
            add(band.freq, 4, kFreqMin, kFreqMax);
        }
        separator();
        add(state.strips[index].hpfOn, 2, 0, 1);
        add(state.strips[index].hpfType, 2, 0, 255);
        add(state.strips[index].hpfSlope, 4, kSlopeMin, kSlopeMax);
        add(state.strips[index].hpfFreq, 4, kFreqMin, kFreqMax);
        separator();
        add(state.strips[index].lpfOn, 2, 0, 1);
        add(state.strips[index].lpfType, 2, 0, 255);
        add(state.strips[index].lpfSlope, 4, kSlopeMin, kSlopeMax);
        add(state.strips[index].lpfFreq, 4, kFreqMin, kFreqMax);
        break;
    case PresetModule::kNoise:
        if (!strip) break;
        add(state.strips[index].gateOn, 2, 0, 1);
        add(state.strips[index].gate[kGateThreshold], 2, 0, 60);
        add(state.strips[index].gate[kGateAttack], 2, 1, 250);
        add(state.strips[index].gate[kGateRelease], 2, 20, 250);
        break;
    case PresetModule::kCompressor:
        if (!strip) break;
        add(state.strips[index].compOn, 2, 0, 1);
        add(state.strips[index].comp[kDynThreshold], 2, 0, 60);
        add(state.strips[index].comp[kDynRatio], 2, 10, 100);
        add(state.strips[index].comp[kDynAttack], 2, 1, 250);
        add(state.strips[index].comp[kDynRelease], 2, 20, 250);
        add(state.strips[index].comp[kDynGain], 2, 0, 200);
        break;
    case PresetModule::kLimit:
        if (!bus) break;
        add(state.buses[index].limOn, 2, 0, 1);
        add(state.buses[index].lim[kDynThreshold], 2, 0, 60);
        add(state.buses[index].lim[kDynRatio], 2, 10, 100);
        add(state.buses[index].lim[kDynAttack], 2, 1, 250);
        add(state.buses[index].lim[kDynRelease], 2, 1, 250);
        add(state.buses[index].lim[kDynGain], 2, 0, 200);
        break;
    case PresetModule::kGeq:
        if (!bus) break;
        for (auto& band : state.buses[index].geqBands) add(band.gain2, 4, 0, kGainCodeMax);
        break;
    case PresetModule::kDelay: {
        auto& p = state.strips[kDelayReturn].delayParams;
        add(p[kPreDelay1], 4, 10, 1000);
        add(p[kPreDelay2], 4, 10, 1000);
        add(p[kFeedback], 2, 0, 100);
        add(p[kDelayLpf], 4, kFreqMin, kFreqMax);
        break;
    }
    case PresetModule::kRev: {
        auto& p = state.strips[kReverbReturn].reverbParams;
        for (int i = kRevDelay1; i < kRevTime; ++i) add(p[i], 2, 30, 100);
        add(p[kRevTime], 2, 1, 100);
        add(p[kRevLpf], 4, kFreqMin, kFreqMax);
        break;
    }
    }
    return f;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

int PresetTextLength(PresetModule module) {
    // A state is needed only to bind the fields; their widths do not depend on it.
    static const MixerState kLayout{};
    int length = 0;
    for (const auto& field : Bind(module, kLayout, 0)) length += field.digits;
    return length;
}

std::string EncodePreset(PresetModule module, const MixerState& state, int index) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const auto& field : Bind(module, state, index)) {
        if (!field.value) {
            text += ',';
            continue;
        }
        const int v = std::clamp<int>(*field.value, field.min, field.max);
        for (int shift = (field.digits - 1) * 4; shift >= 0; shift -= 4) text += kHex[(v >> shift) & 0xF];
    }
    return text;
}

PresetDecodeResult DecodePreset(PresetModule module, std::string_view text, MixerState& state, int index) {
    const auto fields = Bind(module, state, index);
    if (fields.empty()) return PresetDecodeResult::kNoRecord;
    if (static_cast<int>(text.size()) != PresetTextLength(module)) return PresetDecodeResult::kWrongLength;

    // Read everything first: a damaged text must not leave half a preset behind.
    std::vector<int> values;
    std::size_t pos = 0;
    for (const auto& field : fields) {
        if (!field.value) {
            if (text[pos++] != ',') return PresetDecodeResult::kBadCharacter;
            continue;
        }
        int v = 0;
        for (int d = 0; d < field.digits; ++d) {
            const int digit = HexDigit(text[pos++]);
            if (digit < 0) return PresetDecodeResult::kBadCharacter;
            v = v * 16 + digit;
        }
        values.push_back(v);
    }

    bool limited = false;
    auto value = values.begin();
    for (const auto& field : fields) {
        if (!field.value) continue;
        const int read = *value++;
        const int v = std::clamp(read, field.min, field.max);
        limited |= v != read;
        *field.value = v;
    }
    return limited ? PresetDecodeResult::kStoredLimited : PresetDecodeResult::kStored;
}

}  // namespace mixer
