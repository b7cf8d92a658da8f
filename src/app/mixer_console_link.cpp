#include "app/mixer_console_link.h"

#include "host/app_context.h"

namespace mixer {

MixerConsoleLink::MixerConsoleLink(AppContext& context, MixerLink& link, QObject* parent)
    : ConsoleLink(parent), context_(context), link_(link) {
    link_.SetOwnTick(false);
    link_.SetLanguage(context_.language);
    for (auto signal : {&MixerLink::connectPressedChanged, &MixerLink::connectionLitChanged,
                        &MixerLink::homeActiveChanged}) {
        connect(&link_, signal, this, &ConsoleLink::indicatorsChanged);
    }
    connect(&link_, &MixerLink::statusTextChanged, this, &ConsoleLink::indicatorsChanged);
    connect(&link_, &MixerLink::stateReplyApplied, this, [this] {
        context_.firmwareVersion = QString::fromStdString(link_.FirmwareVersion());
        emit stateReplyApplied();
    });
    connect(&link_, &MixerLink::meterReportApplied, this, &ConsoleLink::meterReportApplied);
}

void MixerConsoleLink::Connect() {
    link_.SetDeviceAddress(context_.deviceAddress.toStdString());
    link_.Connect();
}

LinkRecord MixerConsoleLink::Record() const {
    const LinkState& state = link_.State();
    const MonotonicClock::Time now = link_.Clock().Now();
    auto since = [now](MonotonicClock::Time t) { return t.count() > 0 ? (now - t).count() : qint64{-1}; };
    return {state.connecting, state.retryCount, since(state.lastProbeTime), since(state.lastHeardTime)};
}

bool MixerConsoleLink::Send(const std::string& message) { return link_.IsConnected() && link_.SendMessageText(message); }

}  // namespace mixer
