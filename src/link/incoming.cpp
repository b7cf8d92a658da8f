#include "link/incoming.h"

#include "link/meter_report.h"
#include "link/state_reply.h"

namespace mixer {

IncomingKind OnMessage(std::string_view message, MixerState& state, std::string& firmwareVersion) {
    if (message.size() < 2) return IncomingKind::Ignored;
    switch (message[1]) {
        case 'Z':
            return ParseStateReply(message, state, firmwareVersion) ? IncomingKind::StateReply : IncomingKind::Ignored;
        case 'Q':
            return ParseMeterReport(message, state) ? IncomingKind::MeterReport : IncomingKind::Ignored;
        default:
            return IncomingKind::Ignored;
    }
}

}  // namespace mixer
