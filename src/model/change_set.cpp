#include "model/change_set.h"

#include <cstddef>
#include <cstring>

namespace mixer {

namespace {

struct FieldRange {
    std::size_t offset;
    std::size_t size;
    uint32_t part;
};

#define MIXER_FIELD(Record, field, part) FieldRange{offsetof(Record, field), sizeof(Record::field), part}

// In record order; what lies between the named ranges is Other.
constexpr FieldRange kStripFields[] = {
    MIXER_FIELD(StripRecord, peqBands, kPartPeq),  MIXER_FIELD(StripRecord, peqOn, kPartPeq),
    {offsetof(StripRecord, hpfFreq), offsetof(StripRecord, other1) - offsetof(StripRecord, hpfFreq), kPartFilters},
    MIXER_FIELD(StripRecord, mute, kPartMute),     MIXER_FIELD(StripRecord, mute2, kPartMute),
    MIXER_FIELD(StripRecord, pan, kPartPan),       MIXER_FIELD(StripRecord, level, kPartLevel),
    MIXER_FIELD(StripRecord, level2, kPartLevel),  MIXER_FIELD(StripRecord, solo, kPartSolo),
    MIXER_FIELD(StripRecord, meter, kPartMeter),   MIXER_FIELD(StripRecord, meter2, kPartMeter),
    MIXER_FIELD(StripRecord, phantom, kPartInput), MIXER_FIELD(StripRecord, polarity, kPartInput),
    MIXER_FIELD(StripRecord, compOn, kPartComp),   MIXER_FIELD(StripRecord, comp, kPartComp),
    MIXER_FIELD(StripRecord, gateOn, kPartGate),   MIXER_FIELD(StripRecord, gate, kPartGate),
    {offsetof(StripRecord, mainSend), offsetof(StripRecord, other3) - offsetof(StripRecord, mainSend), kPartSends},
    MIXER_FIELD(StripRecord, delayParams, kPartEffect), MIXER_FIELD(StripRecord, reverbParams, kPartEffect),
    MIXER_FIELD(StripRecord, name, kPartName),
};

constexpr FieldRange kBusFields[] = {
    MIXER_FIELD(BusRecord, geqBands, kPartGeq),  MIXER_FIELD(BusRecord, geqOn, kPartGeq),
    MIXER_FIELD(BusRecord, mute, kPartMute),     MIXER_FIELD(BusRecord, balance, kPartPan),
    MIXER_FIELD(BusRecord, level, kPartLevel),   MIXER_FIELD(BusRecord, solo, kPartSolo),
    MIXER_FIELD(BusRecord, meter, kPartMeter),   MIXER_FIELD(BusRecord, meter2, kPartMeter),
    MIXER_FIELD(BusRecord, busMode, kPartBusMode), MIXER_FIELD(BusRecord, limOn, kPartLimiter),
    MIXER_FIELD(BusRecord, lim, kPartLimiter),   MIXER_FIELD(BusRecord, name, kPartName),
};

#undef MIXER_FIELD

template <typename Record, std::size_t N>
uint32_t DiffRecord(const Record& before, const Record& after, const FieldRange (&fields)[N]) {
    const auto* a = reinterpret_cast<const unsigned char*>(&before);
    const auto* b = reinterpret_cast<const unsigned char*>(&after);
    if (std::memcmp(a, b, sizeof(Record)) == 0) return 0;
    uint32_t parts = 0;
    std::size_t at = 0;  // the unnamed fields between the ranges are Other
    for (const FieldRange& f : fields) {
        if (f.offset > at && std::memcmp(a + at, b + at, f.offset - at) != 0) parts |= kPartOther;
        if (std::memcmp(a + f.offset, b + f.offset, f.size) != 0) parts |= f.part;
        at = f.offset + f.size;
    }
    if (at < sizeof(Record) && std::memcmp(a + at, b + at, sizeof(Record) - at) != 0) parts |= kPartOther;
    return parts;
}

}  // namespace

bool ChangeSet::Empty() const { return !Any(kAllParts); }

bool ChangeSet::Strip(int strip, uint32_t parts) const {
    return strip >= 0 && strip < kStripCount && (strips[strip] & parts) != 0;
}

bool ChangeSet::Bus(int bus, uint32_t parts) const { return bus >= 0 && bus < kBusCount && (buses[bus] & parts) != 0; }

bool ChangeSet::Channel(int channel, uint32_t parts) const {
    return channel < kFirstOutputChannel ? Strip(channel, parts) : Bus(channel - kFirstOutputChannel, parts);
}

bool ChangeSet::Any(uint32_t parts) const {
    for (uint32_t p : strips) {
        if (p & parts) return true;
    }
    for (uint32_t p : buses) {
        if (p & parts) return true;
    }
    return false;
}

ChangeSet DiffStates(const MixerState& before, const MixerState& after) {
    ChangeSet changes;
    for (int s = 0; s < kStripCount; ++s) changes.strips[s] = DiffRecord(before.strips[s], after.strips[s], kStripFields);
    for (int b = 0; b < kBusCount; ++b) changes.buses[b] = DiffRecord(before.buses[b], after.buses[b], kBusFields);
    return changes;
}

}  // namespace mixer
