#include "app/mixer_console_link.h"

#include <QGuiApplication>

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
    connect(&link_, &MixerLink::syncChanged, this, &ConsoleLink::syncChanged);
    link_.SetResyncPeriod(std::chrono::milliseconds(context_.resyncMs));
    // A held mouse button may be a drag whose last value has not gone out yet.
    link_.SetResyncHold([this] {
        return uploading_ || context_.updateBusy || QGuiApplication::mouseButtons() != Qt::NoButton;
    });
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

SyncStatus MixerConsoleLink::Sync() const {
    const SyncReport& report = link_.Sync();
    return {static_cast<int>(link_.ResyncPeriod().count()), report,
            report.checked ? static_cast<long long>((link_.Clock().Now() - link_.SyncTime()).count()) : -1};
}

bool MixerConsoleLink::Send(const std::string& message) { return link_.IsConnected() && link_.SendMessageText(message); }

}  // namespace mixer
