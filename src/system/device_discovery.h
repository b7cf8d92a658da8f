#pragma once
// The search for mixers: a socket on the device port that collects every
// "R" answer, and a scan that probes each host of this computer's /24
// network twice, one probe every 5 ms. Both run on the thread that owns the
// object, driven by the socket's signal and a timer, so that a window stays
// responsive while they run.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "system/discovery_replies.h"
#include "system/scan_plan.h"

class QUdpSocket;

namespace mixer {

class DeviceDiscovery : public QObject {
    Q_OBJECT

public:
    using InterfaceSource = std::function<std::vector<InterfaceInfo>()>;
    enum class StartResult { Started, NoOrigin, SocketError };

    explicit DeviceDiscovery(QObject* parent = nullptr);
    ~DeviceDiscovery() override;

    // The local address and port the search binds; an empty or 0.0.0.0
    // address binds every local address and scans the network of the first
    // interface that is up and not loopback.
    void SetLocal(const QString& bindAddress, quint16 port);
    // Where the interfaces come from (the system's, unless a test says otherwise).
    void SetInterfaceSource(InterfaceSource source) { interfaces_ = std::move(source); }

    // Stops a search still running, forgets what it found and starts anew.
    // Nothing starts when there is no address to scan from or the socket
    // cannot be bound.
    StartResult Start();
    // Stops the scan and closes the socket, so that the port is free again.
    void Stop();

    bool IsListening() const { return socket_ != nullptr; }
    bool IsScanning() const { return pacer_.isActive(); }
    QString Origin() const { return origin_; }
    const std::vector<std::string>& Found() const { return replies_.Senders(); }

signals:
    // A mixer answered for the first time in this search.
    void deviceFound(const QString& address);
    // The scan has reached host h (2..254) of the network.
    void progressChanged(int host);
    // The last probe has gone out; the socket keeps listening until Stop.
    void scanFinished();

private:
    void ReadPending();
    void SendDue();

    QString bindAddress_;
    quint16 port_ = 0;
    InterfaceSource interfaces_;
    std::unique_ptr<QUdpSocket> socket_;
    DiscoveryReplies replies_;
    QString origin_;
    std::vector<Probe> probes_;
    std::size_t sent_ = 0;
    QElapsedTimer clock_;
    QTimer pacer_;
};

// The interfaces of this computer, as the system lists them.
std::vector<InterfaceInfo> SystemInterfaces();

}  // namespace mixer
