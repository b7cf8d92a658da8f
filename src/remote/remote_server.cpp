#include "remote/remote_server.h"

#include <QFile>
#include <QAbstractHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QWebSocket>

#include "host/app_context.h"
#include "host/gbk_text.h"
#include "remote/http_rules.h"
#include "remote/remote_edits.h"
#include "remote/state_json.h"

// The page lives in a static library's resources, which only an explicit
// reference keeps in the program; the macro must stand outside a namespace.
static void InitPageResources() { Q_INIT_RESOURCE(remote); }

namespace mixer {

using namespace remote;

struct RemoteServer::Session {
    QWebSocket* socket = nullptr;
    quint64 id = 0;
    QString address;
    std::optional<Role> role;
    bool meters = false;
    RateLimit rate{60, 40};
    int droppedInARow = 0;
    ChangeSet pending;
};

namespace {

Names CurrentNames(const MixerState& s) {
    Names names;
    for (int i = 0; i < kStripCount; ++i) names.strips[i] = DecodeGbkName(s.strips[i].name).toStdString();
    for (int o = 0; o < kOutputCount; ++o) names.outputs[o] = DecodeGbkName(s.buses[BusOfOutput(o)].name).toStdString();
    return names;
}

QByteArray Bytes(std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

// Answers every plain request through `answer`. A WebSocket upgrade on the
// live path is taken without an answer, which is how Qt's server lets its
// WebSocket server have the connection.
class PageServer : public QAbstractHttpServer {
public:
    using Answer = std::function<void(const QHttpServerRequest&, QHttpServerResponder&&)>;
    explicit PageServer(Answer answer) : answer_(std::move(answer)) {}

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override {
        if (request.value("Upgrade").compare("websocket", Qt::CaseInsensitive) == 0 &&
            request.url().path() == QLatin1String(Bytes(kLivePath)))
            return true;
        answer_(request, makeResponder(request, socket));
        return true;
    }
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override {
        answer_(request, makeResponder(request, socket));
    }

private:
    Answer answer_;
};

void Merge(ChangeSet& into, const ChangeSet& from) {
    for (int i = 0; i < kStripCount; ++i) into.strips[i] |= from.strips[i];
    for (int b = 0; b < kBusCount; ++b) into.buses[b] |= from.buses[b];
}

}  // namespace

RemoteServer::RemoteServer(AppContext& context, QObject* parent) : QObject(parent), context_(context) {
    InitPageResources();
    codes_ = MakeAccessCodes([] { return QRandomGenerator::system()->generate(); });
    clock_.start();
    changeTimer_.setSingleShot(true);
    changeTimer_.setInterval(kChangeDelayMs);
    connect(&changeTimer_, &QTimer::timeout, this, &RemoteServer::FlushChanges);
    meterTimer_.setInterval(kMeterIntervalMs);
    connect(&meterTimer_, &QTimer::timeout, this, &RemoteServer::SendMeters);
    connect(&context_.model, &MixerModel::changed, this, &RemoteServer::OnChanged);
    connect(&context_.model, &MixerModel::metersChanged, this, [this] { metersDirty_ = true; });
}

RemoteServer::~RemoteServer() { Stop(); }

bool RemoteServer::Start(const QString& address, int port, QString& error) {
    Stop();
    const QHostAddress host = address.isEmpty() ? QHostAddress(QHostAddress::AnyIPv4) : QHostAddress(address);
    if (host.isNull() || host.protocol() != QAbstractSocket::IPv4Protocol) {
        error = QStringLiteral("not an IPv4 address: %1").arg(address);
        return false;
    }
    if (port < 1 || port > 65535) {
        error = QStringLiteral("no port %1").arg(port);
        return false;
    }
    auto http = std::make_unique<PageServer>(
        [this](const QHttpServerRequest& request, QHttpServerResponder&& responder) { Answer(request, std::move(responder)); });
    connect(http.get(), &QAbstractHttpServer::newWebSocketConnection, this, &RemoteServer::TakeSockets);
    if (http->listen(host, static_cast<quint16>(port)) == 0) {
        error = QStringLiteral("cannot listen on %1:%2").arg(host.toString()).arg(port);
        return false;
    }
    http_ = std::move(http);
    port_ = port;
    emit runningChanged(true);
    return true;
}

void RemoteServer::Stop() {
    if (!http_) return;
    EndAll();
    // The listening sockets close with the server; open pages were ended above.
    for (QTcpServer* server : http_->servers()) server->close();
    http_.release()->deleteLater();
    port_ = 0;
    emit runningChanged(false);
}

void RemoteServer::SetCodes(const AccessCodes& codes) {
    if (!ValidCodes(codes) || codes == codes_) return;
    codes_ = codes;
    EndAll();
}

std::vector<RemoteServer::SessionInfo> RemoteServer::Sessions() const {
    std::vector<SessionInfo> out;
    for (const auto& s : sessions_) {
        if (s->role) out.push_back({s->id, s->address, s->role->aux});
    }
    return out;
}

void RemoteServer::EndSession(quint64 id) {
    for (const auto& s : sessions_) {
        if (s->id == id) {
            Close(*s, QWebSocketProtocol::CloseCodeNormal, QStringLiteral("ended"));
            return;
        }
    }
}

void RemoteServer::EndAll() {
    std::vector<QWebSocket*> sockets;
    for (const auto& s : sessions_) sockets.push_back(s->socket);
    for (QWebSocket* socket : sockets) {
        if (Session* s = Find(socket)) Close(*s, QWebSocketProtocol::CloseCodeNormal, QStringLiteral("ended"));
    }
}

void RemoteServer::Answer(const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    using Status = QHttpServerResponder::StatusCode;
    const std::string host = request.value("Host").toStdString();
    const std::string path = request.url().path(QUrl::FullyEncoded).toStdString();
    const bool get = request.method() == QHttpServerRequest::Method::Get;
    const std::optional<PageFile> file = PageFileForPath(path);
    Status status = Status::Ok;
    QByteArray body;
    QByteArray type = "text/plain; charset=utf-8";
    if (!HostAllowed(host)) {
        status = Status::Forbidden;
        body = "Open the page by the address the editor shows.\n";
    } else if (!get) {
        status = Status::MethodNotAllowed;
    } else if (!file) {
        status = Status::NotFound;
    } else {
        QFile resource(QString::fromLatin1(Bytes(file->resource)));
        if (!resource.open(QIODevice::ReadOnly)) {
            status = Status::InternalServerError;
        } else {
            body = resource.readAll();
            type = Bytes(file->contentType);
        }
    }
    responder.writeStatusLine(status);
    responder.writeHeader("Content-Type", type);
    responder.writeHeader("Content-Length", QByteArray::number(body.size()));
    for (const auto& [name, value] : SecurityHeaders()) responder.writeHeader(Bytes(name), Bytes(value));
    responder.writeBody(body);
}

void RemoteServer::TakeSockets() {
    while (http_ && http_->hasPendingWebSocketConnections()) {
        QWebSocket* socket = http_->nextPendingWebSocketConnection().release();
        if (!socket) continue;
        socket->setParent(this);
        socket->setMaxAllowedIncomingFrameSize(kMaxMessageBytes);
        socket->setMaxAllowedIncomingMessageSize(kMaxMessageBytes);
        const QUrl url = socket->requestUrl();
        const std::string host =
            (url.port() > 0 ? QStringLiteral("%1:%2").arg(url.host()).arg(url.port()) : url.host()).toStdString();
        if (static_cast<int>(sessions_.size()) >= kMaxSockets || url.path() != QLatin1String(Bytes(kLivePath)) ||
            !OriginAllowed(socket->origin().toStdString(), host)) {
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("refused"));
            socket->deleteLater();
            continue;
        }
        auto session = std::make_unique<Session>();
        session->socket = socket;
        session->id = nextId_++;
        session->address = socket->peerAddress().toString();
        sessions_.push_back(std::move(session));
        connect(socket, &QWebSocket::textMessageReceived, this, [this, socket](const QString& text) {
            if (Session* s = Find(socket)) OnMessage(*s, text);
        });
        connect(socket, &QWebSocket::binaryMessageReceived, this, [this, socket] {
            if (Session* s = Find(socket)) Close(*s, QWebSocketProtocol::CloseCodeDatatypeNotSupported, QStringLiteral("text only"));
        });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] { Forget(socket); });
        QTimer::singleShot(kHelloTimeoutMs, socket, [this, socket] {
            Session* s = Find(socket);
            if (s && !s->role) Close(*s, QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("no code"));
        });
    }
}

void RemoteServer::OnMessage(Session& session, const QString& text) {
    if (!session.rate.Take(clock_.elapsed())) {
        if (++session.droppedInARow > kMaxDroppedInARow)
            Close(session, QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("too many messages"));
        return;
    }
    session.droppedInARow = 0;
    const QByteArray utf8 = text.toUtf8();
    const ParsedMessage parsed = ParseClientMessage(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    if (!parsed.message) {
        session.socket->sendTextMessage(QString::fromStdString(EncodeNotice("bad")));
        return;
    }
    const ClientMessage& m = *parsed.message;
    if (m.kind == MessageKind::Hello) {
        Hello(session, m.code);
        return;
    }
    if (!session.role) return;
    if (m.kind == MessageKind::Meters) {
        session.meters = m.on;
        UpdateMeterTimer();
        return;
    }
    if (!Allows(*session.role, m)) {
        session.socket->sendTextMessage(QString::fromStdString(EncodeNotice("denied")));
        return;
    }
    const StripLinks links = links_ && m.control != Control::OutLevel && m.control != Control::OutMute &&
                                     m.control != Control::OutBalance
                                 ? links_(m.index)
                                 : StripLinks{};
    editing_ = &session;
    editingMessage_ = &m;
    context_.model.Edit([&](MixerState& s) { return ApplySet(s, m, links); });
    editing_ = nullptr;
    editingMessage_ = nullptr;
}

void RemoteServer::Hello(Session& session, const std::string& code) {
    if (session.role) return;
    const std::string address = session.address.toStdString();
    const int64_t now = clock_.elapsed();
    if (const int64_t wait = gate_.WaitMs(address, now); wait > 0) {
        session.socket->sendTextMessage(QString::fromStdString(EncodeNotice("locked", static_cast<int>((wait + 999) / 1000))));
        return;
    }
    const std::optional<Role> role = RoleOfCode(codes_, code);
    if (!role) {
        gate_.Wrong(address, now);
        const int64_t wait = gate_.WaitMs(address, now);
        session.socket->sendTextMessage(
            QString::fromStdString(wait > 0 ? EncodeNotice("locked", static_cast<int>((wait + 999) / 1000)) : EncodeNotice("refused")));
        return;
    }
    gate_.Right(address);
    session.role = role;
    session.socket->sendTextMessage(
        QString::fromStdString(EncodeWelcome(context_.state, CurrentNames(context_.state), *role, context_.language)));
    emit sessionsChanged();
}

void RemoteServer::OnChanged(const ChangeSet& changes, Origin) {
    bool any = false;
    for (const auto& s : sessions_) {
        if (!s->role) continue;
        Merge(s->pending, s.get() == editing_ && editingMessage_ ? WithoutEcho(changes, *editingMessage_, context_.state) : changes);
        any = true;
    }
    if (any && !changeTimer_.isActive()) changeTimer_.start();
}

void RemoteServer::FlushChanges() {
    std::optional<Names> names;
    for (const auto& s : sessions_) {
        if (!s->role || s->pending.Empty()) continue;
        if (!names) names = CurrentNames(context_.state);
        const std::string text = EncodeChanges(context_.state, *names, s->pending, *s->role);
        s->pending = {};
        if (!text.empty()) s->socket->sendTextMessage(QString::fromStdString(text));
    }
}

void RemoteServer::SendMeters() {
    if (!metersDirty_) return;
    metersDirty_ = false;
    std::array<QString, kAuxCount + 1> frames;
    for (const auto& s : sessions_) {
        if (!s->role || !s->meters) continue;
        QString& frame = frames[s->role->aux];
        if (frame.isEmpty()) frame = QString::fromStdString(EncodeMeters(context_.state, *s->role));
        s->socket->sendTextMessage(frame);
    }
}

void RemoteServer::UpdateMeterTimer() {
    const bool wanted = std::any_of(sessions_.begin(), sessions_.end(), [](const auto& s) { return s->role && s->meters; });
    if (wanted && !meterTimer_.isActive()) meterTimer_.start();
    if (!wanted) meterTimer_.stop();
}

void RemoteServer::Close(Session& session, int code, const QString& reason) {
    QWebSocket* socket = session.socket;
    if (session.role) socket->sendTextMessage(QString::fromStdString(EncodeNotice("ended")));
    socket->close(static_cast<QWebSocketProtocol::CloseCode>(code), reason);
    Forget(socket);
}

void RemoteServer::Forget(QWebSocket* socket) {
    const auto it = std::find_if(sessions_.begin(), sessions_.end(), [&](const auto& s) { return s->socket == socket; });
    if (it == sessions_.end()) return;
    const bool listed = (*it)->role.has_value();
    if (editing_ == it->get()) editing_ = nullptr;
    sessions_.erase(it);
    socket->disconnect(this);
    socket->deleteLater();
    UpdateMeterTimer();
    if (listed) emit sessionsChanged();
}

RemoteServer::Session* RemoteServer::Find(QWebSocket* socket) {
    const auto it = std::find_if(sessions_.begin(), sessions_.end(), [&](const auto& s) { return s->socket == socket; });
    return it == sessions_.end() ? nullptr : it->get();
}

}  // namespace mixer
