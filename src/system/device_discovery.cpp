#include "system/device_discovery.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QUdpSocket>

#include "link/wire_format.h"

namespace mixer {

namespace {
// Datagrams read before the event loop gets its turn again.
constexpr int kDatagramsPerBatch = 64;
}  // namespace

std::vector<InterfaceInfo> SystemInterfaces() {
    std::vector<InterfaceInfo> result;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        InterfaceInfo info;
        info.up = interface.flags().testFlag(QNetworkInterface::IsUp);
        info.loopback = interface.flags().testFlag(QNetworkInterface::IsLoopBack);
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                info.ipv4.push_back(entry.ip().toString().toStdString());
        }
        result.push_back(std::move(info));
    }
    return result;
}

DeviceDiscovery::DeviceDiscovery(QObject* parent) : QObject(parent), interfaces_(SystemInterfaces) {
    pacer_.setTimerType(Qt::PreciseTimer);
    pacer_.setInterval(kProbeSpacingMs);
    connect(&pacer_, &QTimer::timeout, this, &DeviceDiscovery::SendDue);
}

DeviceDiscovery::~DeviceDiscovery() = default;

void DeviceDiscovery::SetLocal(const QString& bindAddress, quint16 port) {
    bindAddress_ = bindAddress;
    port_ = port;
}

DeviceDiscovery::StartResult DeviceDiscovery::Start() {
    Stop();
    replies_.Clear();
    probes_.clear();
    sent_ = 0;
    const auto origin = ScanOrigin(bindAddress_.toStdString(), interfaces_());
    origin_ = origin ? QString::fromStdString(*origin) : QString();
    if (!origin) return StartResult::NoOrigin;

    auto socket = std::make_unique<QUdpSocket>();
    const bool any = bindAddress_.isEmpty() || bindAddress_ == QLatin1String("0.0.0.0");
    const QHostAddress local = any ? QHostAddress(QHostAddress::AnyIPv4) : QHostAddress(bindAddress_);
    if (local.isNull() || !socket->bind(local, port_, QAbstractSocket::DontShareAddress)) return StartResult::SocketError;
    connect(socket.get(), &QUdpSocket::readyRead, this, &DeviceDiscovery::ReadPending);
    socket_ = std::move(socket);

    probes_ = ScanProbes(*origin);
    clock_.start();
    SendDue();
    if (sent_ < probes_.size()) pacer_.start();
    return StartResult::Started;
}

void DeviceDiscovery::Stop() {
    pacer_.stop();
    socket_.reset();
}

void DeviceDiscovery::SendDue() {
    const std::size_t due = ProbesDue(clock_.elapsed(), probes_.size());
    for (; sent_ < due && socket_; ++sent_) {
        const Probe& probe = probes_[sent_];
        socket_->writeDatagram(kDiscoveryProbe, QHostAddress(QString::fromStdString(probe.address)), port_);
        emit progressChanged(probe.host);
    }
    if (sent_ >= probes_.size() || !socket_) {
        pacer_.stop();
        emit scanFinished();
    }
}

void DeviceDiscovery::ReadPending() {
    char buffer[kMaxDatagram];
    for (int n = 0; n < kDatagramsPerBatch && socket_ && (n == 0 || socket_->hasPendingDatagrams()); ++n) {
        QHostAddress sender;
        const qint64 got = socket_->readDatagram(buffer, sizeof buffer, &sender);
        if (got < 0) break;
        const std::string from = QHostAddress(sender.toIPv4Address()).toString().toStdString();
        if (replies_.Accept(std::string_view(buffer, static_cast<std::size_t>(got)), from))
            emit deviceFound(QString::fromStdString(from));
    }
}

}  // namespace mixer
