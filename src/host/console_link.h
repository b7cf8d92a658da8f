#pragma once
// What the console window needs from the device link: the tick of its timer,
// the close sequence, and the indicators it shows in the navigation bar.

#include <QObject>
#include <QtGlobal>
#include <chrono>
#include <string>

#include "host/sync_status.h"
#include "model/target_sink.h"

namespace mixer {

// What the link knows of its connection attempt, as a scene file records it.
struct LinkRecord {
    bool connecting = false;
    int retryCount = 0;
    // Milliseconds since the last full-state request and since the mixer was
    // last heard; negative when it never happened.
    qint64 sinceProbeMs = -1;
    qint64 sinceHeardMs = -1;
};

// The link takes the targets of the model's edits (only while connected).
class ConsoleLink : public QObject, public TargetSink {
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts a connection attempt to the context's device address, as the
    // CONNECT button does.
    virtual void Connect() = 0;
    // Ends the connection, as DISCONNECT does: meters off, then the socket
    // closes once what is queued has gone out.
    virtual void Disconnect() = 0;
    // The connection state machine's tick, every 50 ms while the window is open.
    virtual void OnTick() = 0;
    // The window is closing: send the going-offline command, ask the receiver
    // to stop and clear the connected flag. Returns at once; IsReceiving()
    // turns false once the receiver has closed its socket.
    virtual void Shutdown() = 0;
    virtual bool IsReceiving() const = 0;
    // A full-state reply has arrived since the last Connect.
    virtual bool IsConnected() const = 0;

    // Indicators of the navigation bar.
    virtual bool ConnectionLit() const = 0;  // connection button shows its online image
    virtual bool StatusOnline() const = 0;   // the status label reads ONLINE rather than OFFLINE
    virtual bool HomeActive() const = 0;     // the meter stream has started

    // Sends one text to the mixer as it is (the full upload), only while
    // connected; false otherwise or when it could not be queued.
    virtual bool Send(const std::string& message) = 0;
    // Restarts the silence watch: a long upload gets no answer from the mixer.
    virtual void MarkHeard() = 0;
    virtual LinkRecord Record() const = 0;
    // The language of the link's own messages and captions, 1 or 2, so that
    // they follow the window when the user switches it.
    virtual void SetLanguage(int language) = 0;

    // Comparing with the mixer's whole state while connected: how often
    // (zero: never), a hold while the full upload runs, and what the last
    // comparison found.
    virtual void SetResyncPeriod(std::chrono::milliseconds period) = 0;
    virtual void HoldResync(bool held) = 0;
    virtual SyncStatus Sync() const = 0;

signals:
    // Any of IsConnected() or the indicators may have changed.
    void indicatorsChanged();
    // A full-state reply has been applied to the mixer state (on the window's thread).
    void stateReplyApplied();
    // A meter report has been applied to the mixer state.
    void meterReportApplied();
    // Sync() changed: a reply was compared, or the connection began or ended.
    void syncChanged();
};

}  // namespace mixer
