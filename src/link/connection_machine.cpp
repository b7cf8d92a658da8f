#include "link/connection_machine.h"

#include "link/commands.h"
#include "link/link_texts.h"

namespace mixer {

ConnectionMachine::ConnectionMachine(LinkState& link, MixerState& state, LinkPort& port, Notifier& notifier,
                                     const MonotonicClock& clock)
    : link_(link), state_(state), port_(port), notifier_(notifier), clock_(clock) {}

void ConnectionMachine::Connect() {
    // A socket that cannot be bound is reported, and the attempt then runs
    // into its time-out like one that gets no answer.
    if (!port_.OpenReceiver())
        notifier_.Show(LinkTextFor(LinkText::SocketError, link_.language),
                       LinkTextFor(LinkText::SocketErrorCaption, link_.language));
    link_.connecting = true;
    link_.retryCount = 0;
    port_.SendText(BuildQ(false));
    port_.SendText(BuildZ());
    link_.lastProbeTime = clock_.Now();
}

void ConnectionMachine::Disconnect() {
    port_.SendText(BuildQ(false));
    port_.CloseReceiver();
    link_.connected = false;
    // A pending attempt ends too, so that it cannot report a failure later.
    link_.connecting = false;
    indicators_.captionDisconnect = false;
    indicators_.connectPressed = false;
    ShowOffline();
}

void ConnectionMachine::Tick() {
    const MonotonicClock::Time now = clock_.Now();
    if (link_.connecting && now - link_.lastProbeTime >= kRequestInterval) {
        link_.lastProbeTime = now;
        ++link_.retryCount;
        if (link_.retryCount < kRequestsPerAttempt) port_.SendText(BuildZ());
        else GiveUp();
    }
    if (link_.connected && now - link_.lastHeardTime >= kSilenceLimit) {
        link_.lastHeardTime = now;
        ShowOffline();
    }
}

void ConnectionMachine::Shutdown() {
    port_.SendText(BuildQ(false));
    port_.CloseReceiver();
    link_.connected = false;
    link_.connecting = false;
}

IncomingKind ConnectionMachine::Accept(std::string_view message) {
    const IncomingKind kind = OnMessage(message, state_, firmwareVersion_);
    if (kind == IncomingKind::StateReply) {
        link_.connecting = false;
        link_.connected = true;
        indicators_.connectPressed = true;
        indicators_.captionDisconnect = true;
        indicators_.connectionLit = true;
        indicators_.statusOnline = true;
        port_.SendText(BuildQ(true));
        link_.lastHeardTime = clock_.Now();
        metersHeard_ = false;
    } else if (kind == IncomingKind::MeterReport) {
        link_.lastHeardTime = clock_.Now();
        metersHeard_ = true;
        indicators_.homeActive = true;
        // A mixer that talks again after a silence is online again. Before
        // the full-state reply has come, a report proves nothing about the
        // connection, so it changes neither light nor status.
        if (link_.connected) {
            indicators_.connectionLit = true;
            indicators_.statusOnline = true;
        }
    }
    return kind;
}

void ConnectionMachine::MarkHeard() { link_.lastHeardTime = clock_.Now(); }

void ConnectionMachine::HeardState(const std::string& version) {
    if (!version.empty()) firmwareVersion_ = version;
    link_.lastHeardTime = clock_.Now();
    indicators_.connectionLit = true;
    indicators_.statusOnline = true;
    if (!metersHeard_) port_.SendText(BuildQ(true));
    metersHeard_ = false;
}

void ConnectionMachine::GiveUp() {
    link_.connecting = false;
    port_.CloseReceiver();
    indicators_.connectPressed = false;
    indicators_.captionDisconnect = false;
    notifier_.Show(LinkTextFor(LinkText::CannotConnect, link_.language), "");
}

void ConnectionMachine::ShowOffline() {
    indicators_.connectionLit = false;
    indicators_.statusOnline = false;
}

}  // namespace mixer
