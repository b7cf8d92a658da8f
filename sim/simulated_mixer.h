#pragma once
// A stand-in for the mixer on a UDP socket: answers the full-state request,
// streams meter reports while asked to, applies every edit to its own state,
// answers the discovery probe and receives firmware images; its datagrams, in
// and out, cross a network as faulty as its options make it. It runs on the
// thread that owns it, driven by the socket's readyRead and a meter timer, so
// that the editor can run it in-process as well as on its own.

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "link/mixer_state.h"
#include "sim/faulty_path.h"
#include "sim/firmware_receiver.h"
#include "sim/meter_model.h"
#include "sim/panel_command.h"
#include "sim/sim_options.h"

class QUdpSocket;

namespace mixer {

class SimulatedMixer : public QObject {
    Q_OBJECT
public:
    explicit SimulatedMixer(const SimOptions& options, QObject* parent = nullptr);
    ~SimulatedMixer() override;

    // Binds the socket; false with the reason in error.
    bool Start(QString& error);
    void Stop();

    const MixerState& State() const { return state_; }
    // An edit made at the mixer's own panel: it changes the state, and the
    // editor hears of it only by asking for the full state again.
    PanelOutcome ApplyPanel(std::string_view line, std::string& error) { return ApplyPanelLine(line, state_, error); }
    int StateRequests() const { return stateRequests_; }
    // The network between the mixer and the editor changes, as when a
    // venue's network gets busy after the connection was made.
    void SetNetworkFaults(const NetworkFaults& incoming, const NetworkFaults& outgoing) {
        incoming_.SetFaults(incoming);
        outgoing_.SetFaults(outgoing);
    }
    bool MetersStreaming() const { return meterTimer_.isActive(); }
    const std::optional<ReceivedImage>& LastImage() const { return firmware_.LastImage(); }

signals:
    // Every message taken from the wire and every message sent, with the
    // peer as "address:port".
    void received(const QString& message, const QString& peer);
    void sent(const QString& message, const QString& peer);
    // A firmware image has come in completely; accepted is the verdict the
    // mixer reports, which --refuse-firmware turns to failed.
    void imageReceived(int target, int length, quint16 checksum, bool accepted);

private:
    struct Peer {
        QHostAddress address;
        quint16 port = 0;
    };

    void ReadPending();
    // A datagram the network let through to the mixer.
    void Take(const Datagram& datagram);
    void Write(const Datagram& datagram);
    void Handle(const std::string& message, const Peer& from);
    void HandleMeterSwitch(const std::string& message, const Peer& from);
    // A reply of the firmware receiver to message, unless a fault option holds it back or changes it.
    void SendFirmwareReply(const std::string& reply, const std::string& message, const Peer& to);
    void SendMessage(const std::string& message, const Peer& to);
    void SendMeterReport();

    SimOptions options_;
    MixerState state_{};
    MeterModel meters_;
    FirmwareReceiver firmware_;
    std::unique_ptr<QUdpSocket> socket_;
    FaultyPath incoming_;
    FaultyPath outgoing_;
    std::map<std::pair<quint32, quint16>, std::string> residues_;  // per sender
    QTimer meterTimer_;
    QElapsedTimer streamClock_;
    Peer meterPeer_;
    int stateRequests_ = 0;
};

}  // namespace mixer
