#include "link/mixer_link.h"

#include <QHostAddress>
#include <QUdpSocket>
#include <vector>

#include "link/command_apply.h"
#include "link/commands.h"
#include "link/dotted_ipv4.h"
#include "link/link_texts.h"
#include "link/state_reply.h"
#include "link/wire_format.h"
#include "model/mixer_model.h"

namespace mixer {

namespace {

// Datagrams read before the event loop gets its turn again.
constexpr int kDatagramsPerBatch = 64;

QString Text(LinkText text, int language) { return QString::fromStdString(LinkTextFor(text, language)); }

}  // namespace

MixerLink::MixerLink(MixerModel& model, Notifier& notifier, const MonotonicClock& clock, QObject* parent)
    : QObject(parent),
      model_(model),
      clock_(clock),
      machine_(link_, model.Mirror(), *this, notifier, clock),
      queue_(wireClock_) {
    sendTimer_.setSingleShot(true);
    sendTimer_.setTimerType(Qt::PreciseTimer);
    connect(&sendTimer_, &QTimer::timeout, this, &MixerLink::Pump);
    connect(&tickTimer_, &QTimer::timeout, this, &MixerLink::OnTick);
    retryTimer_.setSingleShot(true);
    connect(&retryTimer_, &QTimer::timeout, this, &MixerLink::RetryResync);
    readHold_.setSingleShot(true);
    readHold_.setInterval(kTickPeriod);
    connect(&readHold_, &QTimer::timeout, this, &MixerLink::ReadPending);
    tickTimer_.start(kTickPeriod);
}

MixerLink::~MixerLink() = default;

void MixerLink::SetOwnTick(bool on) {
    if (on) tickTimer_.start(kTickPeriod);
    else tickTimer_.stop();
}

MixerLink::Shown MixerLink::Snapshot() const { return {machine_.Indicators(), link_.language}; }

template <typename Action>
void MixerLink::Observed(Action action) {
    const Shown before = Snapshot();
    action();
    EmitChanges(before);
}

void MixerLink::EmitChanges(const Shown& before) {
    // The texts follow from the indicators and the language; they are built
    // only when they change, not for each of 100 meter reports a second.
    const Shown now = Snapshot();
    const bool language = now.language != before.language;
    if (language || now.indicators.captionDisconnect != before.indicators.captionDisconnect)
        emit connectCaptionChanged(ConnectCaption());
    if (now.indicators.connectPressed != before.indicators.connectPressed)
        emit connectPressedChanged(now.indicators.connectPressed);
    if (now.indicators.connectionLit != before.indicators.connectionLit)
        emit connectionLitChanged(now.indicators.connectionLit);
    if (language || now.indicators.statusOnline != before.indicators.statusOnline) emit statusTextChanged(StatusText());
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
    if (readHold_.isActive()) ReadPending();
    Observed([&] { machine_.Tick(); });
    RequestResync();
}

void MixerLink::RequestResync() {
    if (!link_.connected || resyncPeriod_.count() <= 0) return;
    const MonotonicClock::Time now = clock_.Now();
    // Edits still leaving would only make the reply older than the mirror.
    if (now - lastResync_ < resyncPeriod_ || !MayAskForState()) return;
    lastResync_ = now;
    resyncAttempts_ = 0;
    AskForState();
}

void MixerLink::AskForState() {
    ++resyncAttempts_;
    SendText(BuildZ());
    retryTimer_.start(std::min<std::chrono::milliseconds>(kResyncRetryWait, resyncPeriod_ / kResyncAttempts));
}

void MixerLink::RetryResync() {
    if (!link_.connected || !ledger_.RequestOut() || resyncAttempts_ >= kResyncAttempts) return;
    if (MayAskForState()) AskForState();
    else retryTimer_.start();
}

void MixerLink::Shutdown() {
    Observed([&] { machine_.Shutdown(); });
}

bool MixerLink::SendMessageText(const std::string& text) { return SendText(text); }

bool MixerLink::CanSend() const { return socket_ && !stopping_ && IsDottedIpv4(link_.deviceAddress); }

bool MixerLink::SendText(const std::string& text) {
    if (text.empty() || !CanSend()) return false;
    queue_.PushText(text);
    Pump();
    return true;
}

void MixerLink::QueueTarget(const MixerState&, const Target& target, bool paced) {
    if (!link_.connected || !CanSend()) return;
    queue_.Push(target, paced);
    Pump();
}

void MixerLink::Pump() {
    if (sendTimer_.isActive()) return;
    if (socket_) {
        if (const auto text = queue_.TakeDue(model_.State())) {
            ledger_.Departed(*text, model_.State());
            const QByteArray data = QByteArray::fromStdString(*text);
            socket_->writeDatagram(data, QHostAddress(QString::fromStdString(link_.deviceAddress)), link_.port);
        }
    }
    if (const auto next = queue_.NextIn()) {
        sendTimer_.start(*next);
    } else if (stopping_) {
        FinishStop();
    }
}

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
    connect(socket.get(), &QUdpSocket::readyRead, this, &MixerLink::OnReadyRead);
    socket_ = std::move(socket);
    stopping_ = false;
    link_.receiving = true;
    link_.residue.clear();
    return true;
}

void MixerLink::CloseReceiver() {
    if (!socket_) return;
    stopping_ = true;
    if (queue_.Empty()) FinishStop();
}

void MixerLink::FinishStop() {
    queue_.Clear();
    queue_.ForgetBaseline();
    sendTimer_.stop();
    socket_.reset();
    readHold_.stop();
    metersStreaming_ = false;
    stopping_ = false;
    link_.receiving = false;
    link_.residue.clear();
    sync_ = {};
    emit receiverStopped();
    emit syncChanged();
}

void MixerLink::OnReadyRead() {
    // Qt signals once until the socket is read, so the wait costs no wake-ups.
    if (readHold_.isActive()) return;
    // The reply to a request for the state is awaited, and judged at once.
    if (metersStreaming_ && !ledger_.RequestOut()) readHold_.start();
    else ReadPending();
}

void MixerLink::ReadPending() {
    readHold_.stop();
    metersStreaming_ = false;
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
        for (const std::string& message : messages) Accept(message);
    }
}

void MixerLink::Accept(const std::string& message) {
    // Online, a reply is compared with the mirror; after CONNECT it is the
    // state the user asked to download, and replaces the mirror.
    if (link_.connected && !link_.connecting && message.size() > 1 && message[1] == 'Z') {
        Resync(message);
        return;
    }
    IncomingKind kind = IncomingKind::Ignored;
    const auto accept = [&] { Observed([&] { kind = machine_.Accept(message); }); };
    // Meter reports come up to 100 times a second and touch only the meters.
    if (message.size() > 1 && message[1] == 'Q') {
        model_.EditMeters([&](MixerState&) {
            accept();
            return kind == IncomingKind::MeterReport;
        });
    } else {
        model_.Change([&](MixerState&) { accept(); }, Origin::Device);
    }
    if (kind == IncomingKind::StateReply) {
        // The mixer holds what it just reported: an edit back to it sends nothing.
        queue_.SetBaseline(model_.State());
        ledger_.Start(model_.State());
        lastResync_ = clock_.Now();
        sync_ = {};
        emit stateReplyApplied();
        emit syncChanged();
    } else if (kind == IncomingKind::MeterReport) {
        metersStreaming_ = true;
        emit meterReportApplied();
    }
}

void MixerLink::Resync(const std::string& message) {
    // Read over the mirror, so that what the reply does not carry is left as
    // it is; the switches a first reply forces are the editor's to keep.
    MixerState reply = model_.State();
    std::string version;
    if (!ReadStateReply(message, reply, version)) return;
    Observed([&] { machine_.HeardState(version); });
    // A control under the mouse has not sent all it shows: the next reply judges.
    if (ResyncHeld()) return;
    const ResyncVerdict verdict =
        ledger_.Compare(model_.State(), reply, [this](const Target& t) { return queue_.Queued(t); });
    for (const auto& [target, text] : verdict.held) queue_.SetBaselineOf(target, text);
    if (!verdict.adopt.empty()) {
        model_.Change(
            [&](MixerState& state) {
                for (const Target& t : verdict.adopt) ApplyCommand(BuildTarget(reply, t), state);
            },
            Origin::Device);
    }
    for (const Target& t : verdict.resend) queue_.Push(t);
    Pump();
    syncTime_ = clock_.Now();
    sync_ = {true, static_cast<int>(verdict.adopt.size()), static_cast<int>(verdict.resend.size()), verdict.waiting};
    emit syncChanged();
}

}  // namespace mixer
