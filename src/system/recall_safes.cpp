#include "system/recall_safes.h"

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <sstream>

#include "link/meter_report.h"

namespace mixer {

namespace {

struct Span {
    std::size_t offset;
    std::size_t size;
};

#define MIXER_SPAN(Record, field) Span{offsetof(Record, field), sizeof(Record::field)}

// The fields each kind covers, by kind.
const std::initializer_list<Span> kStripSpans[kSafeKindCount] = {
    {MIXER_SPAN(StripRecord, mute), MIXER_SPAN(StripRecord, mute2), MIXER_SPAN(StripRecord, level),
     MIXER_SPAN(StripRecord, level2), MIXER_SPAN(StripRecord, solo)},
    {MIXER_SPAN(StripRecord, pan)},
    {MIXER_SPAN(StripRecord, peqBands), MIXER_SPAN(StripRecord, peqOn),
     Span{offsetof(StripRecord, hpfFreq), offsetof(StripRecord, other1) - offsetof(StripRecord, hpfFreq)}},
    {MIXER_SPAN(StripRecord, compOn), MIXER_SPAN(StripRecord, comp), MIXER_SPAN(StripRecord, gateOn),
     MIXER_SPAN(StripRecord, gate)},
    {MIXER_SPAN(StripRecord, mainSend), MIXER_SPAN(StripRecord, auxSend), MIXER_SPAN(StripRecord, fxSend)},
    {MIXER_SPAN(StripRecord, delayParams), MIXER_SPAN(StripRecord, reverbParams)},
    {MIXER_SPAN(StripRecord, phantom), MIXER_SPAN(StripRecord, polarity)},
};

const std::initializer_list<Span> kBusSpans[kSafeKindCount] = {
    {MIXER_SPAN(BusRecord, mute), MIXER_SPAN(BusRecord, level), MIXER_SPAN(BusRecord, solo)},
    {MIXER_SPAN(BusRecord, balance)},
    {MIXER_SPAN(BusRecord, geqBands), MIXER_SPAN(BusRecord, geqOn)},
    {MIXER_SPAN(BusRecord, limOn), MIXER_SPAN(BusRecord, lim)},
    {},
    {},
    {},
};

#undef MIXER_SPAN

template <typename Record>
void Keep(const Record& live, Record& recalled, const std::initializer_list<Span>& spans) {
    for (const Span& span : spans) {
        std::memcpy(reinterpret_cast<char*>(&recalled) + span.offset,
                    reinterpret_cast<const char*>(&live) + span.offset, span.size);
    }
}

template <typename Record>
void KeepRow(const Record& live, Record& recalled, const RecallSafes& safes, int row,
             const std::initializer_list<Span> (&spans)[kSafeKindCount]) {
    if (safes.RowSafe(row)) {
        recalled = live;
        return;
    }
    for (int kind = 0; kind < kSafeKindCount; ++kind) {
        if (safes.Safe(row, kind)) Keep(live, recalled, spans[kind]);
    }
}

bool ValidRow(int row) { return row >= 0 && row < kSafeRowCount; }

bool ValidKind(int kind) { return kind >= 0 && kind < kSafeKindCount; }

uint8_t ApplyingMask(int row) {
    uint8_t mask = 0;
    for (int kind = 0; kind < kSafeKindCount; ++kind) {
        if (SafeApplies(row, kind)) mask |= 1u << kind;
    }
    return mask;
}

}  // namespace

bool SafeApplies(int row, int kind) {
    if (!ValidRow(row) || !ValidKind(kind)) return false;
    if (row >= kSafeMainRow) return kind <= kSafeDynamics;
    switch (kind) {
    case kSafeEffects: return row == kDelayReturn || row == kReverbReturn;
    case kSafePhantom: return row < kInputCount;
    default: return true;
    }
}

bool RecallSafes::Safe(int row, int kind) const {
    return SafeApplies(row, kind) && (rows_[row] & (1u << kind)) != 0;
}

void RecallSafes::Set(int row, int kind, bool safe) {
    if (!SafeApplies(row, kind)) return;
    if (safe) rows_[row] |= 1u << kind;
    else rows_[row] &= ~(1u << kind);
}

bool RecallSafes::RowSafe(int row) const { return ValidRow(row) && rows_[row] == ApplyingMask(row); }

bool RecallSafes::KindSafe(int kind) const {
    bool applies = false;
    for (int row = 0; row < kSafeRowCount; ++row) {
        if (!SafeApplies(row, kind)) continue;
        if (!Safe(row, kind)) return false;
        applies = true;
    }
    return applies;
}

void RecallSafes::ToggleRow(int row) {
    if (ValidRow(row)) rows_[row] = RowSafe(row) ? 0 : ApplyingMask(row);
}

void RecallSafes::ToggleKind(int kind) {
    const bool safe = !KindSafe(kind);
    for (int row = 0; row < kSafeRowCount; ++row) Set(row, kind, safe);
}

bool RecallSafes::Any() const {
    for (uint8_t mask : rows_) {
        if (mask) return true;
    }
    return false;
}

std::string RecallSafes::Text() const {
    std::string text;
    for (int row = 0; row < kSafeRowCount; ++row) {
        if (row) text += ',';
        text += std::to_string(rows_[row]);
    }
    return text;
}

RecallSafes RecallSafes::FromText(const std::string& text) {
    RecallSafes safes;
    std::istringstream in(text);
    std::string field;
    for (int row = 0; row < kSafeRowCount && std::getline(in, field, ','); ++row) {
        int mask = 0;
        for (char c : field) {
            if (c < '0' || c > '9' || mask > 255) {
                mask = 0;
                break;
            }
            mask = mask * 10 + (c - '0');
        }
        safes.rows_[row] = static_cast<uint8_t>(mask & ApplyingMask(row));
    }
    return safes;
}

MixerState RecalledState(const MixerState& live, const MixerState& scene, const RecallSafes& safes) {
    MixerState recalled = scene;
    for (int s = 0; s < kStripCount; ++s) KeepRow(live.strips[s], recalled.strips[s], safes, s, kStripSpans);
    for (int bus = 0; bus < kBusCount; ++bus) {
        const int row = IsMainBus(bus) ? kSafeMainRow : kSafeMainRow + bus - 1;
        KeepRow(live.buses[bus], recalled.buses[bus], safes, row, kBusSpans);
    }
    CopyMeterLevels(live, recalled);
    return recalled;
}

}  // namespace mixer
