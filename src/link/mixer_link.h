#pragma once
// The link to the mixer: one UDP socket, the paced senders of every command,
// and the connection state machine with the indicators it drives.
//
// Everything runs on the thread that owns the link (the user-interface
// thread): the socket is read from its readyRead signal, so nothing polls and
// incoming messages reach MixerState on the same thread as every page's
// edits, without a lock. Reading is done in bounded batches so that a flood
// of datagrams cannot starve the window. While meter reports stream in, the
// socket is read on the tick, which wakes the window anyway: 100 reports a
// second then cost some 20 wake-ups, not 100, and a message waits at most a
// tick.

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "link/connection_machine.h"
#include "link/link_state.h"
#include "link/mixer_state.h"
#include "link/monotonic_clock.h"
#include "link/notifier.h"
#include "model/outgoing_queue.h"
#include "model/resync_ledger.h"
#include "model/target_sink.h"

class QUdpSocket;

namespace mixer {

class MixerModel;

class MixerLink : public QObject, public TargetSink, private LinkPort {
    Q_OBJECT
    Q_PROPERTY(QString connectCaption READ ConnectCaption NOTIFY connectCaptionChanged)
    Q_PROPERTY(bool connectPressed READ ConnectPressed NOTIFY connectPressedChanged)
    Q_PROPERTY(bool connectionLit READ ConnectionLit NOTIFY connectionLitChanged)
    Q_PROPERTY(QString statusText READ StatusText NOTIFY statusTextChanged)
    Q_PROPERTY(bool homeActive READ HomeActive NOTIFY homeActiveChanged)

public:
    static constexpr std::chrono::milliseconds kTickPeriod{50};
    // A full-state reply travels as some twenty datagrams, so on a lossy
    // network many never arrive whole; one that has not come this long after
    // its request (or an eighth of the period, when that is shorter) is asked
    // for again, up to this many requests in a period.
    static constexpr std::chrono::milliseconds kResyncRetryWait{300};
    static constexpr int kResyncAttempts = 8;

    // Incoming messages change the state through the model.
    MixerLink(MixerModel& model, Notifier& notifier, const MonotonicClock& clock, QObject* parent = nullptr);
    ~MixerLink() override;

    // Settings; the local address and port apply when the socket is next opened.
    void SetDeviceAddress(const std::string& address) { link_.deviceAddress = address; }
    void SetLocalAddress(const std::string& address) { link_.bindAddress = address; }
    void SetPort(uint16_t port) { link_.port = port; }
    // 1 English, 2 Chinese; other values change nothing.
    void SetLanguage(int language);

    const LinkState& State() const { return link_; }
    bool IsConnected() const { return link_.connected; }
    bool IsReceiving() const { return link_.receiving; }
    // Version text of the last full-state reply that carried one.
    const std::string& FirmwareVersion() const { return machine_.FirmwareVersion(); }

    // The connection's lifecycle.
    void Connect();
    void Disconnect();
    void OnTick();  // also run by the link's own 50 ms timer
    // Whether the link ticks itself; off when a window's timer drives OnTick.
    void SetOwnTick(bool on);
    void Shutdown();
    void MarkHeard() { machine_.MarkHeard(); }
    const MonotonicClock& Clock() const { return clock_; }

    // Queues one text for the mixer as it is. False when the device address
    // is not a dotted IPv4 address, the socket is not open or the text is empty.
    bool SendMessageText(const std::string& text);
    // Queues a target of an edit, only while connected.
    void QueueTarget(const MixerState& state, const Target& target, bool paced) override;
    // Entries waiting in the outgoing queue.
    std::size_t QueuedCount() const { return queue_.Size(); }

    // While online, asks for the whole state every `period` (zero: never)
    // and judges each reply against the mirror, so that lost edits go out
    // again and changes made at the mixer reach every view.
    void SetResyncPeriod(std::chrono::milliseconds period) { resyncPeriod_ = period; }
    std::chrono::milliseconds ResyncPeriod() const { return resyncPeriod_; }
    // True while no request may go out and no reply be judged: a gesture
    // holds a control, the full upload or a firmware transfer runs.
    void SetResyncHold(std::function<bool()> held) { resyncHeld_ = std::move(held); }
    const SyncReport& Sync() const { return sync_; }
    // When the last reply was judged.
    MonotonicClock::Time SyncTime() const { return syncTime_; }

    // The indicators, for the console header and the system page to show.
    QString ConnectCaption() const;
    bool ConnectPressed() const { return machine_.Indicators().connectPressed; }
    bool ConnectionLit() const { return machine_.Indicators().connectionLit; }
    QString StatusText() const;
    bool StatusOnline() const { return machine_.Indicators().statusOnline; }
    bool HomeActive() const { return machine_.Indicators().homeActive; }

signals:
    void connectCaptionChanged(const QString& caption);
    void connectPressedChanged(bool pressed);
    void connectionLitChanged(bool lit);
    void statusTextChanged(const QString& text);
    void homeActiveChanged(bool active);
    // A full-state reply was applied to MixerState: refresh every strip.
    void stateReplyApplied();
    // A meter report was applied to MixerState: redraw the meters.
    void meterReportApplied();
    // The socket has been closed after a Disconnect, a give-up or Shutdown.
    void receiverStopped();
    // A reply was judged, or the connection began or ended: Sync() changed.
    void syncChanged();

private:
    struct Shown {
        LinkIndicators indicators;
        int language;
    };

    bool OpenReceiver() override;
    void CloseReceiver() override;
    bool SendText(const std::string& text) override;

    bool CanSend() const;
    // Sends what is due and waits for the rest.
    void Pump();
    void Accept(const std::string& message);
    bool ResyncHeld() const { return resyncHeld_ && resyncHeld_(); }
    void RequestResync();
    void RetryResync();
    bool MayAskForState() const { return queue_.Empty() && !ResyncHeld(); }
    void AskForState();
    void Resync(const std::string& message);
    void OnReadyRead();
    void ReadPending();
    void FinishStop();
    Shown Snapshot() const;
    void EmitChanges(const Shown& before);
    template <typename Action>
    void Observed(Action action);

    MixerModel& model_;
    const MonotonicClock& clock_;
    LinkState link_;
    ConnectionMachine machine_;
    std::unique_ptr<QUdpSocket> socket_;
    // The wire's pacing is real time, whatever clock drives the time-outs.
    SteadyClock wireClock_;
    OutgoingQueue queue_;
    QTimer sendTimer_;
    QTimer tickTimer_;
    bool stopping_ = false;
    ResyncLedger ledger_;
    std::chrono::milliseconds resyncPeriod_{0};
    std::function<bool()> resyncHeld_;
    MonotonicClock::Time lastResync_{0};  // start of the current period
    int resyncAttempts_ = 0;              // requests in the current period
    QTimer retryTimer_;
    QTimer readHold_;  // reads what waits should no tick come
    bool metersStreaming_ = false;  // the last batch read held a meter report
    MonotonicClock::Time syncTime_{0};
    SyncReport sync_;
};

}  // namespace mixer
