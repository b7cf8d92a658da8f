#include "link/state_reply.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <type_traits>
#include <vector>

#include "link/wire_format.h"

namespace mixer {

namespace {

// How a wire value relates to the stored one.
enum class Coding { Plain, Doubled, PlusOne };

// Int is int32_t for the parser and const int32_t for the builder.
template <typename Int>
struct Slot {
    Int* field = nullptr;   // null: read and ignored
    Int* mirror = nullptr;  // a second field that takes the same value
    Coding coding = Coding::Plain;
};

template <typename State>
using FieldOf = std::conditional_t<std::is_const_v<State>, const int32_t, int32_t>;

struct GroupLayout {
    std::vector<int> digits;  // digit count of each value of one record
    int records;
};

// Indexed by group number - 1.
const std::array<GroupLayout, kStateGroupCount - 1> kGroups = {{
    {{2}, 30},                       // 1 levels
    {{1}, 30},                       // 2 mutes
    {{1}, 16},                       // 3 gateOn
    {{2, 2, 2}, 18},                 // 4 gate
    {{1}, 16},                       // 5 compOn
    {{2, 2, 2, 2, 2}, 18},           // 6 comp
    {{1}, 8},                        // 7 limOn
    {{2, 2, 2, 2, 2}, 8},            // 8 lim
    {{1}, 16},                       // 9 lpfOn
    {{2, 4, 2, 2}, 18},              // 10 lpf
    {{1}, 16},                       // 11 hpfOn
    {{2, 4, 2, 2}, 18},              // 12 hpf
    {{1}, 18},                       // 13 peqOn
    {{2, 4, 2, 2, 2, 4, 2, 2, 2, 4, 2, 2, 2, 4, 2, 2}, 18},  // 14 PEQ bands
    {{1}, 8},                        // 15 geqOn
    {std::vector<int>(kGeqBandCount, 2), 8},  // 16 GEQ gains
    {{2}, 18},                       // 17 mainSend
    {{2, 2, 2, 2, 2, 2}, 18},        // 18 auxSend
    {{2, 2}, 18},                    // 19 fxSend
    {{1}, 24},                       // 20 solos
    {{2}, 19},                       // 21 pans
    {{4, 4, 2, 4}, 1},               // 22 delay
    {{2, 2, 2, 2, 2, 4}, 1},         // 23 reverb
    {{1}, 18},                       // 24 polarity
    {{1}, 6},                        // 25 busMode of AUX 1..6
    {{1}, 18},                       // 26 phantom
}};

// The 30 items of groups 1 and 2.
template <typename State>
FieldOf<State>* LevelItem(State& s, int i, bool mute) {
    if (i < kInputCount) return mute ? &s.strips[i].mute : &s.strips[i].level;
    if (i < 24) return mute ? &s.buses[i - 16].mute : &s.buses[i - 16].level;
    switch (i) {
        case 26: return mute ? &s.strips[kDelayReturn].mute : &s.strips[kDelayReturn].level;
        case 27: return mute ? &s.strips[kDelayReturn].mute2 : &s.strips[kDelayReturn].level2;
        case 28: return mute ? &s.strips[kReverbReturn].mute : &s.strips[kReverbReturn].level;
        case 29: return mute ? &s.strips[kReverbReturn].mute2 : &s.strips[kReverbReturn].level2;
        default: return nullptr;
    }
}

// Where value v of record r of group g lives.
template <typename State>
Slot<FieldOf<State>> Locate(State& s, int g, int r, int v) {
    using Int = FieldOf<State>;
    static constexpr int kDynOrder[5] = {kDynRatio, kDynThreshold, kDynAttack, kDynRelease, kDynGain};
    static constexpr int kGateOrder[3] = {kGateThreshold, kGateAttack, kGateRelease};
    switch (g) {
        case 1: return {LevelItem(s, r, false)};
        case 2: return {LevelItem(s, r, true)};
        case 3: return {&s.strips[r].gateOn};
        case 4: return {&s.strips[r].gate[kGateOrder[v]]};
        case 5: return {&s.strips[r].compOn};
        case 6: return {&s.strips[r].comp[kDynOrder[v]]};
        case 7: return {&s.buses[r].limOn};
        case 8: return {&s.buses[r].lim[kDynOrder[v]]};
        case 9: return {&s.strips[r].lpfOn};
        case 10: {
            auto& st = s.strips[r];
            Int* f[4] = {&st.lpfType, &st.lpfFreq, &st.lpfSlope, nullptr};
            return {f[v]};
        }
        case 11: return {&s.strips[r].hpfOn};
        case 12: {
            auto& st = s.strips[r];
            Int* f[4] = {&st.hpfType, &st.hpfFreq, &st.hpfSlope, nullptr};
            return {f[v]};
        }
        case 13: return {&s.strips[r].peqOn};
        case 14: {
            auto& p = s.strips[r].peqBands[v / 4];
            switch (v % 4) {
                case 0: return {&p.type, nullptr, Coding::PlusOne};
                case 1: return {&p.freq};
                case 2: return {&p.gain2, nullptr, Coding::Doubled};
                default: return {&p.q};
            }
        }
        case 15: return {&s.buses[r].geqOn};
        case 16: return {&s.buses[r].geqBands[v].gain2, nullptr, Coding::Doubled};
        case 17: return {&s.strips[r].mainSend};
        case 18: return {&s.strips[r].auxSend[v]};
        case 19: return {&s.strips[r].fxSend[v]};
        case 20: return {r < 6 ? &s.buses[r + kFirstAux].solo : &s.strips[r - 6].solo};
        case 21: return r < kStripCount ? Slot<Int>{&s.strips[r].pan} : Slot<Int>{&s.buses[0].balance, &s.buses[1].balance};
        case 22: return {&s.strips[kDelayReturn].delayParams[v]};
        case 23: return {&s.strips[kReverbReturn].reverbParams[v]};
        case 24: return {&s.strips[r].polarity};
        case 25: return {&s.buses[r + kFirstAux].busMode};
        case 26: return {&s.strips[r].phantom};
        default: return {};
    }
}

int Decode(int wire, Coding c) {
    switch (c) {
        case Coding::Doubled: return wire * 2;
        case Coding::PlusOne: return wire - 1;
        default: return wire;
    }
}

int Encode(int stored, Coding c) {
    switch (c) {
        case Coding::Doubled: return stored / 2;
        case Coding::PlusOne: return stored + 1;
        default: return stored;
    }
}

std::string FormatDigits(int value, int digits) {
    const int maxValue = (1 << (4 * digits)) - 1;
    char buf[8];
    std::snprintf(buf, sizeof buf, "%0*X", digits, std::clamp(value, 0, maxValue));
    return buf;
}

// The fields of the state a reply has written, by their place in the state.
// A list rather than a flag per field: a reply that carries a few groups
// should not cost a walk over all of the state.
using StoredFields = std::vector<std::size_t>;

std::size_t FieldIndex(const MixerState& s, const int32_t* field) {
    return static_cast<std::size_t>(reinterpret_cast<const char*>(field) - reinterpret_cast<const char*>(&s)) /
           sizeof(int32_t);
}

void ReadGroup(std::string_view field, int g, MixerState& s, StoredFields& stored) {
    const GroupLayout& layout = kGroups[g - 1];
    PackedReader reader(field);
    std::vector<int> values(layout.digits.size());
    for (int r = 0; r < layout.records; ++r) {
        // Only whole records: read every value first, store only if all were there.
        for (std::size_t v = 0; v < layout.digits.size(); ++v)
            if (!reader.Read(layout.digits[v], values[v])) return;
        for (std::size_t v = 0; v < values.size(); ++v) {
            const auto slot = Locate(s, g, r, static_cast<int>(v));
            for (int32_t* target : {slot.field, slot.mirror}) {
                if (!target) continue;
                *target = Decode(values[v], slot.coding);
                stored.push_back(FieldIndex(s, target));
            }
        }
    }
}

bool IsDecimal(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool CheckReply(std::string_view message) {
    return message.size() >= kMinMessageLength && message.front() == '%' && message[1] == 'Z' && CheckFrame(message);
}

}  // namespace

void NormaliseAfterReply(MixerState& state) {
    for (StripRecord& s : state.strips) {
        s.peqOn = 1;
        s.hpfType = 2;
        s.lpfType = 2;
    }
    for (BusRecord& b : state.buses) b.geqOn = 1;
}

bool ReadStateReply(std::string_view message, MixerState& state, std::string& firmwareVersion) {
    if (!CheckReply(message)) return false;
    const std::vector<std::string_view> parts = SplitParts(message);
    // parts: letter, unit, groups..., checksum
    const int groupsPresent = std::min<int>(kStateGroupCount, static_cast<int>(parts.size()) - 3);
    StoredFields stored;
    for (int g = 1; g <= groupsPresent && g < kStateGroupCount; ++g) {
        if (!parts[g + 1].empty()) ReadGroup(parts[g + 1], g, state, stored);
    }
    if (groupsPresent >= kStateGroupCount) {
        const std::string_view version = parts[kStateGroupCount + 1].substr(0, kMaxVersionLength);
        if (IsDecimal(version)) firmwareVersion = std::string(version);
    }
    // Only what the reply stored is pulled into range: a field it did not
    // carry keeps its value, so that a later upload sends nothing the mixer
    // never had.
    if (!stored.empty()) {
        MixerState clamped = state;
        ClampToRanges(clamped);
        for (const std::size_t i : stored) {
            const std::size_t at = i * sizeof(int32_t);
            std::memcpy(reinterpret_cast<char*>(&state) + at, reinterpret_cast<const char*>(&clamped) + at,
                        sizeof(int32_t));
        }
    }
    return true;
}

bool ParseStateReply(std::string_view message, MixerState& state, std::string& firmwareVersion) {
    if (!ReadStateReply(message, state, firmwareVersion)) return false;
    NormaliseAfterReply(state);
    return true;
}

std::string BuildStateReply(const MixerState& state, std::string_view version) {
    std::vector<std::string> fields{"01"};
    for (int g = 1; g < kStateGroupCount; ++g) {
        const GroupLayout& layout = kGroups[g - 1];
        std::string field;
        for (int r = 0; r < layout.records; ++r) {
            for (std::size_t v = 0; v < layout.digits.size(); ++v) {
                const auto slot = Locate(state, g, r, static_cast<int>(v));
                const int value = slot.field ? Encode(*slot.field, slot.coding) : 0;
                field += FormatDigits(value, layout.digits[v]);
            }
        }
        fields.push_back(std::move(field));
    }
    fields.emplace_back(version.substr(0, kMaxVersionLength));
    return FormatMessage('Z', fields);
}

}  // namespace mixer
