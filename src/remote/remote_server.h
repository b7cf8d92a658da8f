#pragma once
// The web remote: serves the page over HTTP and talks to each open page over
// a WebSocket on the same port. A page's change is an edit through the
// model like a click in the window; every change the model reports goes out
// to every page, and meters go to the pages that are visible, at most 20
// frames a second. Runs on the user-interface thread, like the model.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "host/strip_links.h"
#include "model/mixer_model.h"
#include "remote/access.h"

class QAbstractHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;
class QWebSocket;

namespace mixer {

struct AppContext;

class RemoteServer : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxSockets = 32;
    static constexpr int kHelloTimeoutMs = 15'000;  // a page that gives no code in time is closed
    static constexpr int kMeterIntervalMs = 50;
    static constexpr int kChangeDelayMs = 10;       // changes that come together leave together
    static constexpr int kMaxDroppedInARow = 100;   // a page still flooding after this is closed

    struct SessionInfo {
        quint64 id = 0;
        QString address;
        int aux = 0;  // 0 the engineer, 1..6 a monitor
    };

    explicit RemoteServer(AppContext& context, QObject* parent = nullptr);
    ~RemoteServer() override;

    // Listens on `address` (empty or 0.0.0.0: every IPv4 address) and `port`.
    bool Start(const QString& address, int port, QString& error);
    void Stop();
    bool Running() const { return http_ != nullptr; }
    int Port() const { return port_; }

    const remote::AccessCodes& Codes() const { return codes_; }
    // Invalid codes are ignored; every open session is ended, since the
    // codes they gave may no longer hold.
    void SetCodes(const remote::AccessCodes& codes);

    std::vector<SessionInfo> Sessions() const;
    void EndSession(quint64 id);
    void EndAll();

    // Where the control-group links of input strips come from (the window's
    // strips); none until set.
    void SetInputLinks(std::function<StripLinks(int)> links) { links_ = std::move(links); }

signals:
    void sessionsChanged();
    void runningChanged(bool running);

private:
    struct Session;

    void Answer(const QHttpServerRequest& request, QHttpServerResponder&& responder);
    void TakeSockets();
    void OnMessage(Session& session, const QString& text);
    void Hello(Session& session, const std::string& code);
    void OnChanged(const ChangeSet& changes, Origin origin);
    void FlushChanges();
    void SendMeters();
    void UpdateMeterTimer();
    void Close(Session& session, int code, const QString& reason);
    void Forget(QWebSocket* socket);
    Session* Find(QWebSocket* socket);

    AppContext& context_;
    std::unique_ptr<QAbstractHttpServer> http_;
    int port_ = 0;
    remote::AccessCodes codes_;
    remote::LoginGate gate_;
    QElapsedTimer clock_;
    std::vector<std::unique_ptr<Session>> sessions_;
    quint64 nextId_ = 1;
    std::function<StripLinks(int)> links_;
    QTimer changeTimer_;
    QTimer meterTimer_;
    bool metersDirty_ = false;
    // The session whose message is being applied, and the message: the
    // change it causes is not told back to it as news.
    Session* editing_ = nullptr;
    const remote::ClientMessage* editingMessage_ = nullptr;
};

}  // namespace mixer
