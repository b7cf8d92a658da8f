#include "osc/osc_server.h"

#include <QNetworkDatagram>
#include <algorithm>

#include "host/app_context.h"
#include "host/gbk_text.h"
#include "osc/osc_wire.h"

namespace mixer {

namespace {

bool IsStripEdit(OscParam p) {
    return p == OscParam::StripFader || p == OscParam::StripMute || p == OscParam::StripSolo ||
           p == OscParam::StripPan || p == OscParam::StripSend;
}

}  // namespace

OscServer::OscServer(AppContext& context, OscHost& host, QObject* parent)
    : QObject(parent), context_(context), host_(host) {
    feedback_.setSingleShot(true);
    feedback_.setInterval(kFeedbackDelayMs);
    meterTimer_.setInterval(kMeterIntervalMs);
    housekeeping_.setInterval(kHousekeepingMs);
    connect(&feedback_, &QTimer::timeout, this, &OscServer::Push);
    connect(&meterTimer_, &QTimer::timeout, this, &OscServer::PushMeters);
    connect(&housekeeping_, &QTimer::timeout, this, &OscServer::Housekeep);
    connect(&socket_, &QUdpSocket::readyRead, this, &OscServer::ReadPending);
    connect(&context_.model, &MixerModel::changed, this, [this] {
        if (!subscribers_.Empty() && !feedback_.isActive()) feedback_.start();
    });
}

OscServer::~OscServer() = default;

bool OscServer::Apply(const OscSettings& settings) {
    socket_.close();
    // Clients of the old address or port are not the new one's.
    subscribers_ = {};
    meterSubscribers_ = {};
    for (QTimer* timer : {&feedback_, &meterTimer_, &housekeeping_}) timer->stop();
    settings_ = settings;
    error_.clear();
    allowed_.clear();
    for (const std::string& address : settings.allowed)
        allowed_.push_back(QHostAddress(QString::fromStdString(address)).toIPv4Address());
    if (!settings.enabled) return true;

    const QHostAddress address(QString::fromStdString(settings.bindAddress));
    if (address.protocol() != QAbstractSocket::IPv4Protocol) {
        error_ = QStringLiteral("%1 is not an IPv4 address").arg(QString::fromStdString(settings.bindAddress));
    } else if (settings.port < 1 || settings.port > 65535) {
        error_ = QStringLiteral("port %1 is not from 1 to 65535").arg(settings.port);
    } else if (!socket_.bind(address, static_cast<quint16>(settings.port), QAbstractSocket::DontShareAddress)) {
        error_ = socket_.errorString();
    }
    if (error_.isEmpty()) return true;
    settings_.enabled = false;
    return false;
}

bool OscServer::IsListening() const { return socket_.state() == QAbstractSocket::BoundState; }

void OscServer::ReadPending() {
    // At most a batch, so that a flood never holds the window: the socket
    // signals again for the rest.
    for (int n = 0; n < kReadBatch && socket_.hasPendingDatagrams(); ++n) {
        const QNetworkDatagram datagram = socket_.receiveDatagram(kMaxDatagram);
        const QByteArray data = datagram.data();
        Take(data.constData(), static_cast<std::size_t>(data.size()),
             {datagram.senderAddress().toIPv4Address(), static_cast<uint16_t>(datagram.senderPort())});
    }
}

void OscServer::Take(const char* data, std::size_t size, const OscPeer& from) {
    if (!Allowed(from)) return Ignore();
    const auto message = DecodeOscMessage(data, size);
    const auto request = message ? ReadOscRequest(message->path, message->args) : std::nullopt;
    if (!request) return Ignore();
    const MonotonicClock::Time now = clock_->Now();
    switch (request->address.param) {
    case OscParam::Subscribe:
        // A first subscriber hears of what changes from now on.
        if (subscribers_.Empty()) told_ = Values();
        if (!subscribers_.Renew(from, now)) return Ignore();
        if (!housekeeping_.isActive()) housekeeping_.start();
        return;
    case OscParam::Meters:
        if (!meterSubscribers_.Renew(from, now)) return Ignore();
        if (!meterTimer_.isActive()) {
            metersTold_.fill(-1);
            meterTimer_.start();
        }
        if (!housekeeping_.isActive()) housekeeping_.start();
        return;
    case OscParam::SceneSave:
    case OscParam::Undo:
    case OscParam::Redo: return Carry(*request);
    default: break;
    }
    if (request->value) Carry(*request);
    else Send(EncodeOscMessage(OscPath(request->address), {Value(request->address)}), from);
}

void OscServer::Carry(const OscRequest& request) {
    if (!host_.TakesEdits()) return Ignore();
    const OscAddress& a = request.address;
    switch (a.param) {
    case OscParam::MuteGroup:
        if ((context_.activeMuteGroup == a.index) != (request.value == 1)) host_.PressMuteGroup(a.index);
        // The engaged group is no part of the state, so the model does not report it.
        if (!subscribers_.Empty()) feedback_.start();
        return;
    case OscParam::SceneRecall: return host_.RecallScene(*request.value, request.fadeMs);
    case OscParam::SceneSave: return host_.SaveScene();
    case OscParam::Undo: return host_.Undo();
    case OscParam::Redo: return host_.Redo();
    default: break;
    }
    const StripLinks links = IsStripEdit(a.param) ? host_.InputLinks(a.index) : StripLinks{};
    context_.model.Edit([&](MixerState& s) { return ApplyOscEdit(s, request, links); });
}

void OscServer::Push() {
    if (subscribers_.Empty()) return;
    const std::vector<OscAddress>& addresses = FeedbackAddresses();
    const std::vector<OscPeer> peers = subscribers_.Peers();
    std::vector<OscValue> now = Values();
    for (std::size_t k = 0; k < addresses.size(); ++k) {
        if (now[k] == told_[k]) continue;
        const std::string datagram = EncodeOscMessage(OscPath(addresses[k]), {now[k]});
        for (const OscPeer& peer : peers) Send(datagram, peer);
    }
    told_ = std::move(now);
}

void OscServer::PushMeters() {
    std::array<int, kMeterValueCount> levels{};
    for (int k = 0; k < kMeterValueCount; ++k) levels[k] = MeterLevel(context_.state, k);
    if (levels == metersTold_) return;
    metersTold_ = levels;
    const std::string datagram = EncodeOscMessage("/meters", std::vector<OscValue>(levels.begin(), levels.end()));
    for (const OscPeer& peer : meterSubscribers_.Peers()) Send(datagram, peer);
}

void OscServer::Housekeep() {
    const MonotonicClock::Time now = clock_->Now();
    subscribers_.Expire(now);
    meterSubscribers_.Expire(now);
    if (meterSubscribers_.Empty()) meterTimer_.stop();
    if (subscribers_.Empty() && meterSubscribers_.Empty()) housekeeping_.stop();
    Push();
}

bool OscServer::Allowed(const OscPeer& from) const {
    if (!allowed_.empty()) return std::find(allowed_.begin(), allowed_.end(), from.address) != allowed_.end();
    // Without a list only this computer is answered, whatever address the server listens on.
    return (from.address >> 24) == 127;
}

OscValue OscServer::Value(const OscAddress& address) const {
    if (address.param == OscParam::Ignored) return ignored_;
    OscValue value = OscValueOf(context_.state, address, context_.activeMuteGroup);
    // Names are kept as GBK bytes; OSC strings are UTF-8.
    if (const auto* name = std::get_if<std::string>(&value))
        value = DecodeGbk(QByteArrayView(name->data(), static_cast<qsizetype>(name->size()))).toStdString();
    return value;
}

std::vector<OscValue> OscServer::Values() const {
    std::vector<OscValue> values;
    for (const OscAddress& address : FeedbackAddresses()) values.push_back(Value(address));
    return values;
}

void OscServer::Send(const std::string& datagram, const OscPeer& to) {
    socket_.writeDatagram(datagram.data(), static_cast<qint64>(datagram.size()), QHostAddress(to.address), to.port);
}

}  // namespace mixer
