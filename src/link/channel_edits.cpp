#include "link/channel_edits.h"

#include <algorithm>

#include "link/commands.h"

namespace mixer {

namespace {

bool ValidStrip(int strip) { return strip >= 0 && strip < kStripCount; }
bool ValidBus(int bus) { return bus >= 0 && bus < kBusCount; }

// Writes a field of a bus, and of both MAIN records when the bus is MAIN.
template <typename Field>
void WriteBus(MixerState& s, int bus, Field field, int value) {
    if (IsMainBus(bus)) s.buses[0].*field = s.buses[1].*field = value;
    else s.buses[bus].*field = value;
}

Commands BusA(const MixerState& s, int bus) {
    if (IsMainBus(bus)) return {BuildA(s, kFirstBusIndexA), BuildA(s, kFirstBusIndexA + 1)};
    return {BuildA(s, kFirstBusIndexA + bus)};
}

}  // namespace

int StripIndexA(int strip) {
    if (strip == kDelayReturn) return kIndexDelayReturn;
    if (strip == kReverbReturn) return kIndexReverbReturn;
    return strip + 1;
}

int StripIndexK(int strip) { return strip + kFirstStripIndexK; }

Commands WriteStripLevel(MixerState& s, int strip, int level) {
    if (!ValidStrip(strip)) return {};
    s.strips[strip].level = std::clamp(level, 0, kLevelMax);
    return {BuildA(s, StripIndexA(strip))};
}

Commands WriteStripMute(MixerState& s, int strip, int mute) {
    if (!ValidStrip(strip)) return {};
    s.strips[strip].mute = mute ? 1 : 0;
    return {BuildA(s, StripIndexA(strip))};
}

Commands WriteStripSolo(MixerState& s, int strip, int solo) {
    if (!ValidStrip(strip)) return {};
    s.strips[strip].solo = solo ? 1 : 0;
    return {BuildK(s, StripIndexK(strip))};
}

Commands WriteStripPan(MixerState& s, int strip, int pan) {
    if (!ValidStrip(strip)) return {};
    s.strips[strip].pan = std::clamp(pan, 0, kPanMax);
    return {BuildL(s, strip + 1)};
}

Commands WriteBusLevel(MixerState& s, int bus, int level) {
    if (!ValidBus(bus)) return {};
    WriteBus(s, bus, &BusRecord::level, std::clamp(level, 0, kLevelMax));
    return BusA(s, bus);
}

Commands WriteBusMute(MixerState& s, int bus, int mute) {
    if (!ValidBus(bus)) return {};
    WriteBus(s, bus, &BusRecord::mute, mute ? 1 : 0);
    return BusA(s, bus);
}

Commands WriteBusSolo(MixerState& s, int bus, int solo) {
    if (!ValidBus(bus)) return {};
    WriteBus(s, bus, &BusRecord::solo, solo ? 1 : 0);
    if (bus < kFirstAux) return {};
    return {BuildK(s, bus - 1)};
}

Commands WriteBusBalance(MixerState& s, int bus, int balance) {
    if (!ValidBus(bus)) return {};
    WriteBus(s, bus, &BusRecord::balance, std::clamp(balance, 0, kPanMax));
    if (!IsMainBus(bus)) return {};
    return {BuildL(s, kIndexMainBalance)};
}

Commands WriteBusMode(MixerState& s, int bus, int mode) {
    if (!ValidBus(bus)) return {};
    WriteBus(s, bus, &BusRecord::busMode, std::clamp(mode, kBusModeMin, kBusModeMax));
    return {BuildP(s, bus + 1)};
}

}  // namespace mixer
