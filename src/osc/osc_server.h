#pragma once
// The editor's OSC server. It reads datagrams on the UI thread, has liblo
// parse them, and carries each message through the model (or the window, for
// mute groups and scenes) exactly as the matching click would, so that the
// screen, the mixer and every other client follow. A message without
// arguments is answered with the value. Subscribers hear of every change
// whoever made it; meter subscribers get the levels at most 20 times a
// second. Whatever it cannot use it ignores and counts.

#include <QObject>
#include <QTimer>
#include <QUdpSocket>
#include <array>
#include <vector>

#include "host/osc_settings.h"
#include "link/meter_report.h"
#include "link/monotonic_clock.h"
#include "osc/osc_dispatch.h"
#include "osc/osc_host.h"
#include "osc/osc_subscribers.h"

namespace mixer {

struct AppContext;

class OscServer : public QObject, public OscControl {
    Q_OBJECT

public:
    // Changes are gathered this long and then pushed, well within the 50 ms
    // a subscriber may wait.
    static constexpr int kFeedbackDelayMs = 10;
    static constexpr int kMeterIntervalMs = 50;
    // Subscriptions are looked at this often, and values that change without
    // the model's report (the engaged mute group) pushed.
    static constexpr int kHousekeepingMs = 1000;
    // Datagrams read before the window gets its turn again.
    static constexpr int kReadBatch = 64;
    // Larger datagrams are cut here and then not parsed; no message of the
    // address space comes near it.
    static constexpr int kMaxDatagram = 4096;

    OscServer(AppContext& context, OscHost& host, QObject* parent = nullptr);
    ~OscServer() override;

    bool Apply(const OscSettings& settings) override;
    const OscSettings& Settings() const override { return settings_; }
    bool IsListening() const override;
    QString LastError() const override { return error_; }

    quint16 LocalPort() const { return socket_.localPort(); }
    // Messages not taken: undecodable, unknown, wrong arguments, from a
    // sender not allowed, an edit while the window takes none, or a
    // subscription beyond the 16th.
    int IgnoredCount() const { return ignored_; }
    // Replaces the steady clock of the subscriptions (tests).
    void SetClock(const MonotonicClock& clock) { clock_ = &clock; }

private:
    void ReadPending();
    void Take(const char* data, std::size_t size, const OscPeer& from);
    void Carry(const OscRequest& request);
    void Push();
    void PushMeters();
    void Housekeep();
    bool Allowed(const OscPeer& from) const;
    OscValue Value(const OscAddress& address) const;
    // The values of FeedbackAddresses, in its order.
    std::vector<OscValue> Values() const;
    void Send(const std::string& datagram, const OscPeer& to);
    void Ignore() { ++ignored_; }

    AppContext& context_;
    OscHost& host_;
    OscSettings settings_;
    std::vector<quint32> allowed_;
    QUdpSocket socket_;
    QString error_;
    SteadyClock steadyClock_;
    const MonotonicClock* clock_ = &steadyClock_;
    OscSubscribers subscribers_;
    OscSubscribers meterSubscribers_;
    std::vector<OscValue> told_;  // what subscribers last heard, by FeedbackAddresses
    std::array<int, kMeterValueCount> metersTold_{};
    QTimer feedback_;
    QTimer meterTimer_;
    QTimer housekeeping_;
    int ignored_ = 0;
};

}  // namespace mixer
