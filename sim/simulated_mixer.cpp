#include "sim/simulated_mixer.h"

#include <QUdpSocket>
#include <vector>

#include "link/command_apply.h"
#include "link/commands.h"
#include "link/meter_report.h"
#include "link/reset_defaults.h"
#include "link/state_reply.h"
#include "link/wire_format.h"

namespace mixer {

namespace {

constexpr int kDatagramsPerBatch = 64;
// Senders whose unfinished text is kept; more are forgotten all at once.
constexpr std::size_t kMaxPeers = 64;

QString PeerText(const QHostAddress& address, quint16 port) {
    return QStringLiteral("%1:%2").arg(address.toString()).arg(port);
}

}  // namespace

SimulatedMixer::SimulatedMixer(const SimOptions& options, QObject* parent)
    : QObject(parent),
      options_(options),
      incoming_(options.incoming, SeededChance(options.seed, Direction::kIncoming),
                [this](const Datagram& d) { Take(d); }),
      outgoing_(options.outgoing, SeededChance(options.seed, Direction::kOutgoing),
                [this](const Datagram& d) { Write(d); }) {
    ResetDefaults(state_);
    SetDefaultNames(state_, kLanguageEnglish);
    meterTimer_.setInterval(std::max(1, 1000 / options_.meterRateHz));
    connect(&meterTimer_, &QTimer::timeout, this, &SimulatedMixer::SendMeterReport);
}

SimulatedMixer::~SimulatedMixer() = default;

bool SimulatedMixer::Start(QString& error) {
    auto socket = std::make_unique<QUdpSocket>();
    if (!socket->bind(QHostAddress(QString::fromStdString(options_.address)), options_.port,
                      QAbstractSocket::DontShareAddress)) {
        error = socket->errorString();
        return false;
    }
    connect(socket.get(), &QUdpSocket::readyRead, this, &SimulatedMixer::ReadPending);
    socket_ = std::move(socket);
    return true;
}

void SimulatedMixer::Stop() {
    meterTimer_.stop();
    incoming_.Clear();
    outgoing_.Clear();
    socket_.reset();
    residues_.clear();
}

void SimulatedMixer::ReadPending() {
    char buffer[kMaxDatagram];
    // At least one read per readyRead (Qt signals the next datagram only
    // then), at most a batch (the socket signals again for the rest).
    for (int n = 0; n < kDatagramsPerBatch && socket_ && (n == 0 || socket_->hasPendingDatagrams()); ++n) {
        Peer from;
        const qint64 got = socket_->readDatagram(buffer, sizeof buffer, &from.address, &from.port);
        if (got < 0) break;
        if (got == 0) continue;
        incoming_.Pass({std::string(buffer, static_cast<std::size_t>(got)), from.address.toIPv4Address(), from.port});
    }
}

void SimulatedMixer::Take(const Datagram& datagram) {
    const auto key = std::make_pair(datagram.ipv4, datagram.port);
    if (residues_.size() >= kMaxPeers && !residues_.contains(key)) residues_.clear();
    std::vector<std::string> messages;
    SplitFrames(residues_[key], datagram.bytes, messages);
    const Peer from{QHostAddress(datagram.ipv4), datagram.port};
    for (const std::string& message : messages) Handle(message, from);
}

void SimulatedMixer::Handle(const std::string& message, const Peer& from) {
    emit received(QString::fromStdString(message), PeerText(from.address, from.port));
    const bool answer = !options_.neverAnswer;
    switch (message[1]) {
        case 'Z':
            ++stateRequests_;
            if (answer && stateRequests_ >= options_.answerFromRequest)
                SendMessage(BuildStateReply(state_, options_.version), from);
            break;
        case 'Q':
            if (answer) HandleMeterSwitch(message, from);
            break;
        case 'R':
            if (answer) SendMessage(FormatMessage('R', {"01", "01"}), from);
            break;
        case 'S':
        case 'T': {
            const FirmwareAnswer result = firmware_.OnMessage(message);
            if (answer)
                for (const std::string& reply : result.replies) SendFirmwareReply(reply, message, from);
            if (result.imageComplete) {
                const ReceivedImage& image = *firmware_.LastImage();
                emit imageReceived(image.target, static_cast<int>(image.bytes.size()), image.checksum,
                                   image.accepted && !options_.refuseFirmware);
            }
            break;
        }
        default:
            ApplyCommand(message, state_);
            break;
    }
}

void SimulatedMixer::SendFirmwareReply(const std::string& reply, const std::string& message, const Peer& to) {
    if (reply[1] == 'Y' && options_.dropAckOfBlock >= 0) {
        TransferBlock block;
        if (ParseTransferBlock(message, block) && block.index == options_.dropAckOfBlock) return;
    }
    SendMessage(reply[1] == 'U' && options_.refuseFirmware ? BuildVerificationReport(false) : reply, to);
}

void SimulatedMixer::HandleMeterSwitch(const std::string& message, const Peer& from) {
    if (message == BuildQ(true)) {
        meterPeer_ = from;
        streamClock_.start();
        meterTimer_.start();
    } else if (message == BuildQ(false)) {
        meterTimer_.stop();
    }
}

void SimulatedMixer::SendMeterReport() {
    if (options_.stopMetersAfter >= 0 && streamClock_.elapsed() >= options_.stopMetersAfter * 1000.0) {
        meterTimer_.stop();
        return;
    }
    meters_.Step(state_);
    SendMessage(BuildMeterReport(state_), meterPeer_);
}

void SimulatedMixer::SendMessage(const std::string& message, const Peer& to) {
    if (!socket_) return;
    for (std::size_t at = 0; at < message.size(); at += kMaxDatagram)
        outgoing_.Pass({message.substr(at, kMaxDatagram), to.address.toIPv4Address(), to.port});
    emit sent(QString::fromStdString(message), PeerText(to.address, to.port));
}

void SimulatedMixer::Write(const Datagram& datagram) {
    if (!socket_) return;
    socket_->writeDatagram(datagram.bytes.data(), static_cast<qint64>(datagram.bytes.size()),
                           QHostAddress(datagram.ipv4), datagram.port);
}

}  // namespace mixer
