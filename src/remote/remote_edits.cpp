#include "remote/remote_edits.h"

#include "pages/sends/sends_edits.h"

namespace mixer::remote {

namespace {
StripParam ParamOf(Control control) {
    switch (control) {
    case Control::StripMute: return StripParam::Mute;
    case Control::StripSolo: return StripParam::Solo;
    case Control::StripPan: return StripParam::Pan;
    default: return StripParam::Fader;
    }
}
}  // namespace

Commands ApplySet(MixerState& s, const ClientMessage& m, const StripLinks& links) {
    if (m.kind != MessageKind::Set) return {};
    const int bus = BusOfOutput(m.index);
    switch (m.control) {
    case Control::StripLevel:
    case Control::StripMute:
    case Control::StripSolo:
    case Control::StripPan: return WriteStripParam(s, links, m.index, ParamOf(m.control), m.value);
    case Control::OutLevel: return WriteBusLevel(s, bus, m.value);
    case Control::OutMute: return WriteBusMute(s, bus, m.value);
    case Control::OutBalance: return WriteBusBalance(s, bus, m.value);
    case Control::Send: {
        Commands commands = WriteSendLevel(s, m.index, m.aux, m.value);
        for (int target : LinkedTargets(links, m.index, kLinkMatrix)) {
            CopySendRow(s, m.index, target, m.aux);
            const Commands carried = SendRowCommands(s, target, m.aux);
            commands.insert(commands.end(), carried.begin(), carried.end());
        }
        return commands;
    }
    }
    return {};
}

ChangeSet WithoutEcho(ChangeSet changes, const ClientMessage& m, const MixerState& s) {
    if (m.kind != MessageKind::Set) return changes;
    const int bus = BusOfOutput(m.index);
    const auto drop = [](uint32_t& parts, uint32_t part, bool same) {
        if (same) parts &= ~part;
    };
    switch (m.control) {
    case Control::StripLevel: drop(changes.strips[m.index], kPartLevel, s.strips[m.index].level == m.value); break;
    case Control::StripMute: drop(changes.strips[m.index], kPartMute, s.strips[m.index].mute == m.value); break;
    case Control::StripSolo: drop(changes.strips[m.index], kPartSolo, s.strips[m.index].solo == m.value); break;
    case Control::StripPan: drop(changes.strips[m.index], kPartPan, s.strips[m.index].pan == m.value); break;
    case Control::Send: drop(changes.strips[m.index], kPartSends, s.strips[m.index].auxSend[m.aux - 1] == m.value); break;
    case Control::OutLevel:
    case Control::OutMute:
    case Control::OutBalance: {
        const int32_t BusRecord::*field = m.control == Control::OutLevel  ? &BusRecord::level
                                          : m.control == Control::OutMute ? &BusRecord::mute
                                                                          : &BusRecord::balance;
        const uint32_t part = m.control == Control::OutLevel ? kPartLevel : m.control == Control::OutMute ? kPartMute : kPartPan;
        const bool same = s.buses[bus].*field == m.value;
        drop(changes.buses[bus], part, same);
        if (bus == 0) drop(changes.buses[1], part, same);
        break;
    }
    }
    return changes;
}

}  // namespace mixer::remote
