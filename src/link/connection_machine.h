#pragma once
// The connection's state machine: offline, connecting (a full-state request
// is out, re-sent after 10 s, given up after the third), online (a reply came;
// 20 s without a reply or meter report shows the status OFFLINE). It is pure:
// the socket is behind LinkPort, time behind MonotonicClock, message boxes
// behind Notifier.

#include <chrono>
#include <string>
#include <string_view>

#include "link/incoming.h"
#include "link/link_state.h"
#include "link/mixer_state.h"
#include "link/monotonic_clock.h"
#include "link/notifier.h"

namespace mixer {

inline constexpr std::chrono::seconds kRequestInterval{10};
inline constexpr int kRequestsPerAttempt = 3;
inline constexpr std::chrono::seconds kSilenceLimit{20};

// What the state machine needs from the socket side.
class LinkPort {
public:
    virtual ~LinkPort() = default;
    // Opens the socket (or keeps the open one) and reads it; false when it
    // cannot be bound.
    virtual bool OpenReceiver() = 0;
    // Stops reading; the socket closes once the sends already queued have left.
    virtual void CloseReceiver() = 0;
    // Sends one message to the mixer; false when it cannot go out.
    virtual bool SendText(const std::string& text) = 0;
};

class ConnectionMachine {
public:
    ConnectionMachine(LinkState& link, MixerState& state, LinkPort& port, Notifier& notifier,
                      const MonotonicClock& clock);

    // The CONNECT button: opens the socket, switches the meters off and asks
    // for the full state.
    void Connect();
    // The DISCONNECT button.
    void Disconnect();
    // Every 50 ms: re-sends or gives up the request, watches for silence.
    void Tick();
    // The window is closing: meters off, socket closed, nothing more sent.
    void Shutdown();
    // Applies a message that passed the stream splitter and drives the
    // connection from it; the kind says what changed in the state.
    IncomingKind Accept(std::string_view message);
    // Restarts the silence watch, for long uploads that the mixer does not answer.
    void MarkHeard();
    // A full-state reply came while online; it is judged, not applied, by
    // the link. The mixer is online again, and when no meter report came
    // since the last such reply the meter switch is sent again, since the
    // one sent at the connection may have been lost.
    void HeardState(const std::string& version);

    const LinkIndicators& Indicators() const { return indicators_; }
    const std::string& FirmwareVersion() const { return firmwareVersion_; }

private:
    void GiveUp();
    void ShowOffline();

    LinkState& link_;
    MixerState& state_;
    LinkPort& port_;
    Notifier& notifier_;
    const MonotonicClock& clock_;
    LinkIndicators indicators_;
    std::string firmwareVersion_;
    bool metersHeard_ = false;  // a meter report came since the last full-state reply
};

}  // namespace mixer
