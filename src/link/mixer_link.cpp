#include "link/mixer_link.h"

#include <QHostAddress>
#include <QUdpSocket>
#include <vector>

#include "link/commands.h"
#include "link/dotted_ipv4.h"
#include "link/link_texts.h"
#include "link/wire_format.h"

namespace mixer {

namespace {

// Datagrams read before the event loop gets its turn again.
constexpr int kDatagramsPerBatch = 64;

QString Text(LinkText text, int language) { return QString::fromStdString(LinkTextFor(text, language)); }

}  // namespace

MixerLink::MixerLink(MixerState& state, Notifier& notifier, const MonotonicClock& clock, QObject* parent)
    : QObject(parent),
      state_(state),
      clock_(clock),
      machine_(link_, state_, *this, notifier, clock),
      queue_([this](const Datagram& d) {
          return socket_ && socket_->writeDatagram(d.data, d.to, d.port) == d.data.size();
      }) {
    connect(&queue_, &SendQueue::drained, this, [this] {
        if (stopping_) FinishStop();
    });
    connect(&tickTimer_, &QTimer::timeout, this, &MixerLink::OnTick);
    tickTimer_.start(kTickPeriod);
}

MixerLink::~MixerLink() = default;

void MixerLink::SetOwnTick(bool on) {
    if (on) tickTimer_.start(kTickPeriod);
    else tickTimer_.stop();
}

MixerLink::Shown MixerLink::Snapshot() const { return {machine_.Indicators(), ConnectCaption(), StatusText()}; }

template <typename Action>
void MixerLink::Observed(Action action) {
    const Shown before = Snapshot();
    action();
    EmitChanges(before);
}

void MixerLink::EmitChanges(const Shown& before) {
    const Shown now = Snapshot();
    if (now.caption != before.caption) emit connectCaptionChanged(now.caption);
    if (now.indicators.connectPressed != before.indicators.connectPressed)
        emit connectPressedChanged(now.indicators.connectPressed);
    if (now.indicators.connectionLit != before.indicators.connectionLit)
        emit connectionLitChanged(now.indicators.connectionLit);
    if (now.status != before.status) emit statusTextChanged(now.status);
    if (now.indicators.homeActive != before.indicators.homeActive) emit homeActiveChanged(now.indicators.homeActive);
}

void MixerLink::SetLanguage(int language) {
    if (language != kLanguageEnglish && language != kLanguageChinese) return;
    Observed([&] { link_.language = language; });
}

void MixerLink::Connect() {
    Observed([&] { machine_.Connect(); });
}

void MixerLink::Disconnect() {
    Observed([&] { machine_.Disconnect(); });
}

void MixerLink::OnTick() {
    Observed([&] { machine_.Tick(); });
}

void MixerLink::Shutdown() {
    Observed([&] { machine_.Shutdown(); });
}

bool MixerLink::SendMessageText(const std::string& text) { return SendText(text); }

bool MixerLink::SendText(const std::string& text) {
    if (text.empty() || !socket_ || stopping_ || !IsDottedIpv4(link_.deviceAddress)) return false;
    return queue_.Enqueue({QByteArray::fromStdString(text), QHostAddress(QString::fromStdString(link_.deviceAddress)),
                           link_.port});
}

bool MixerLink::SendWhileConnected(const std::string& text) { return link_.connected && SendText(text); }

bool MixerLink::SendA(int index) { return SendWhileConnected(BuildA(state_, index)); }
bool MixerLink::SendB(int index) { return SendWhileConnected(BuildB(state_, index)); }
bool MixerLink::SendC(int index) { return SendWhileConnected(BuildC(state_, index)); }
bool MixerLink::SendD(int index) { return SendWhileConnected(BuildD(state_, index)); }
bool MixerLink::SendE(int index) { return SendWhileConnected(BuildE(state_, index)); }
bool MixerLink::SendF(int index) { return SendWhileConnected(BuildF(state_, index)); }
bool MixerLink::SendG(int index, int band) { return SendWhileConnected(BuildG(state_, index, band)); }
bool MixerLink::SendH(int index) { return SendWhileConnected(BuildH(state_, index)); }
bool MixerLink::SendI(int index) { return SendWhileConnected(BuildI(state_, index)); }
bool MixerLink::SendJ(int index) { return SendWhileConnected(BuildJ(state_, index)); }
bool MixerLink::SendK(int index) { return SendWhileConnected(BuildK(state_, index)); }
bool MixerLink::SendL(int index) { return SendWhileConnected(BuildL(state_, index)); }
bool MixerLink::SendM() { return SendWhileConnected(BuildM(state_)); }
bool MixerLink::SendN() { return SendWhileConnected(BuildN(state_)); }
bool MixerLink::SendO(int index) { return SendWhileConnected(BuildO(state_, index)); }
bool MixerLink::SendP(int index) { return SendWhileConnected(BuildP(state_, index)); }
bool MixerLink::SendQ(bool metersOn) { return SendWhileConnected(BuildQ(metersOn)); }
bool MixerLink::SendZ() { return SendWhileConnected(BuildZ()); }

QString MixerLink::ConnectCaption() const {
    return Text(machine_.Indicators().captionDisconnect ? LinkText::Disconnect : LinkText::Connect, link_.language);
}

QString MixerLink::StatusText() const {
    return Text(machine_.Indicators().statusOnline ? LinkText::Online : LinkText::Offline, link_.language);
}

bool MixerLink::OpenReceiver() {
    if (socket_) {
        // Still open from before (perhaps draining after a Disconnect): keep it.
        stopping_ = false;
        return true;
    }
    auto socket = std::make_unique<QUdpSocket>();
    const QHostAddress local = link_.bindAddress.empty() ? QHostAddress(QHostAddress::AnyIPv4)
                                                         : QHostAddress(QString::fromStdString(link_.bindAddress));
    if (local.isNull() || !socket->bind(local, link_.port, QAbstractSocket::DontShareAddress)) return false;
    connect(socket.get(), &QUdpSocket::readyRead, this, &MixerLink::ReadPending);
    socket_ = std::move(socket);
    stopping_ = false;
    link_.receiving = true;
    link_.residue.clear();
    return true;
}

void MixerLink::CloseReceiver() {
    if (!socket_) return;
    stopping_ = true;
    if (queue_.IsEmpty()) FinishStop();
}

void MixerLink::FinishStop() {
    queue_.Clear();
    socket_.reset();
    stopping_ = false;
    link_.receiving = false;
    link_.residue.clear();
    emit receiverStopped();
}

void MixerLink::ReadPending() {
    std::vector<std::string> messages;
    char buffer[kMaxDatagram];
    // At least one read per readyRead, or Qt would not signal the next
    // datagram; at most a batch, so that a flood leaves the window its turn
    // (the socket signals again for what is left).
    for (int n = 0; n < kDatagramsPerBatch && socket_ && (n == 0 || socket_->hasPendingDatagrams()); ++n) {
        const qint64 got = socket_->readDatagram(buffer, sizeof buffer);
        if (got < 0) break;
        // A closing socket takes nothing in any more, as a stopped receiver would.
        if (got == 0 || stopping_) continue;
        messages.clear();
        SplitFrames(link_.residue, std::string_view(buffer, static_cast<std::size_t>(got)), messages);
        for (const std::string& message : messages) {
            IncomingKind kind = IncomingKind::Ignored;
            Observed([&] { kind = machine_.Accept(message); });
            if (kind == IncomingKind::StateReply) emit stateReplyApplied();
            else if (kind == IncomingKind::MeterReport) emit meterReportApplied();
        }
    }
}

}  // namespace mixer
