// The server against plain WebSocket and HTTP clients on 127.0.0.1: what it
// refuses, and that a refusal harms no other page.

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpServer>
#include <QWebSocket>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "host/app_context.h"
#include "loopback.h"
#include "remote/remote_server.h"

namespace mixer {
namespace {

using testing::WaitUntil;

const remote::AccessCodes kCodes{"135790", {"200001", "200002", "200003", "200004", "200005", "200006"}};

// A page as a script would be: its own socket, the messages it got, and
// whether the server closed it.
struct Page {
    explicit Page(int port, const QString& origin = {}) : socket(origin) {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& m) { got << m; });
        QObject::connect(&socket, &QWebSocket::disconnected, [this] { closed = true; });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(port)));
    }
    bool Open() { return WaitUntil([&] { return socket.state() == QAbstractSocket::ConnectedState || closed; }) && !closed; }
    bool Got(const QString& part) { return WaitUntil([&] { return got.join(QChar('\n')).contains(part); }); }
    void Say(const QString& text) { socket.sendTextMessage(text); }
    bool Login(const char* code) {
        if (!Open()) return false;
        Say(QStringLiteral(R"({"t":"hello","code":"%1"})").arg(QLatin1String(code)));
        return Got(QStringLiteral(R"("t":"welcome")"));
    }
    QWebSocket socket;
    QStringList got;
    bool closed = false;
};

class RemoteServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        QTcpServer probe;
        probe.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0);
        port = probe.serverPort();
        probe.close();
        server.SetCodes(kCodes);
        QString error;
        ASSERT_TRUE(server.Start(QStringLiteral("127.0.0.1"), port, error)) << error.toStdString();
        origin = QStringLiteral("http://127.0.0.1:%1").arg(port);
    }

    QNetworkReply* Get(const QString& path, const QByteArray& host) {
        QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path)));
        request.setRawHeader("Host", host);
        QNetworkReply* reply = network.get(request);
        WaitUntil([&] { return reply->isFinished(); });
        return reply;
    }

    AppContext context;
    RemoteServer server{context};
    QNetworkAccessManager network;
    int port = 0;
    QString origin;
};

TEST_F(RemoteServerTest, RefusesForeignOriginsWrongCodesAndBadMessagesWithoutHarmToAnotherPage) {
    Page good(port, origin);
    ASSERT_TRUE(good.Login("135790"));

    Page foreign(port, QStringLiteral("http://evil.example"));
    EXPECT_TRUE(WaitUntil([&] { return foreign.closed; }));
    Page noOrigin(port);
    EXPECT_TRUE(WaitUntil([&] { return noOrigin.closed; }));

    Page guess(port, origin);
    ASSERT_TRUE(guess.Open());
    guess.Say(R"({"t":"hello","code":"000000"})");
    EXPECT_TRUE(guess.Got(R"("t":"refused")"));
    guess.Say(R"({"t":"set","c":"level","i":0,"v":70})");  // not logged in: ignored
    guess.Say(R"({"t":"set","c":"level","i":0)");
    EXPECT_TRUE(guess.Got(R"("t":"bad")"));
    guess.Say(QString(600, QLatin1Char('x')));
    EXPECT_TRUE(WaitUntil([&] { return guess.closed; }));

    Page flood(port, origin);
    ASSERT_TRUE(flood.Login("135790"));
    for (int i = 0; i < 400; ++i) flood.Say(QStringLiteral(R"({"t":"set","c":"pan","i":1,"v":%1})").arg(i % 200));
    EXPECT_TRUE(WaitUntil([&] { return flood.closed; }));
    EXPECT_EQ(server.Sessions().size(), 1u);

    EXPECT_EQ(context.state.strips[0].level, 0);
    good.got.clear();
    good.Say(R"({"t":"set","c":"level","i":5,"v":42})");
    EXPECT_TRUE(WaitUntil([&] { return context.state.strips[5].level == 42; }));
    context.model.Edit([](MixerState& s) { return WriteStripMute(s, 9, 1); });
    EXPECT_TRUE(good.Got(R"({"i":9,"n":"","l":0,"m":1)"));
    EXPECT_FALSE(good.got.join(QChar('\n')).contains(QStringLiteral(R"("i":5,)"))) << "own change echoed";
}

TEST_F(RemoteServerTest, AMonitorCodesHandMadeMessagesChangeNothingButItsAux) {
    Page monitor(port, origin);
    ASSERT_TRUE(monitor.Login("200003"));
    const char* forbidden[] = {
        R"({"t":"set","c":"level","i":0,"v":70})",     R"({"t":"set","c":"mute","i":0,"v":1})",
        R"({"t":"set","c":"solo","i":0,"v":1})",       R"({"t":"set","c":"pan","i":0,"v":7})",
        R"({"t":"set","c":"out_level","i":0,"v":70})", R"({"t":"set","c":"out_mute","i":2,"v":1})",
        R"({"t":"set","c":"balance","i":0,"v":7})",    R"({"t":"set","c":"send","i":0,"a":2,"v":70})",
        R"({"t":"hello","code":"135790"})",
    };
    const MixerState before = context.state;
    for (const char* text : forbidden) monitor.Say(QString::fromLatin1(text));
    monitor.Say(R"({"t":"set","c":"send","i":0,"a":3,"v":55})");
    monitor.Say(R"({"t":"set","c":"out_level","i":3,"v":31})");
    ASSERT_TRUE(WaitUntil([&] { return context.state.buses[4].level == 31; }));
    MixerState expected = before;
    expected.strips[0].auxSend[2] = 55;
    expected.buses[4].level = 31;
    EXPECT_EQ(std::memcmp(&expected, &context.state, sizeof expected), 0);
    EXPECT_EQ(server.Sessions().front().aux, 3);
}

TEST_F(RemoteServerTest, FiveWrongCodesLockTheAddressEvenForTheRightOne) {
    Page page(port, origin);
    ASSERT_TRUE(page.Open());
    for (int i = 0; i < 5; ++i) page.Say(R"({"t":"hello","code":"999999"})");
    EXPECT_TRUE(page.Got(R"({"t":"locked","v":60})"));
    page.got.clear();
    page.Say(R"({"t":"hello","code":"135790"})");
    EXPECT_TRUE(page.Got(R"("t":"locked")"));
    EXPECT_TRUE(server.Sessions().empty());
}

TEST_F(RemoteServerTest, ServesThePageWithStrictHeadersOnlyUnderAnAddress) {
    const QByteArray host = QStringLiteral("127.0.0.1:%1").arg(port).toLatin1();
    std::unique_ptr<QNetworkReply> page(Get(QStringLiteral("/"), host));
    EXPECT_EQ(page->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
    EXPECT_TRUE(page->readAll().contains("<script src=\"app.js\""));
    EXPECT_TRUE(page->rawHeader("Content-Security-Policy").contains("default-src 'none'"));
    EXPECT_EQ(page->rawHeader("X-Frame-Options"), "DENY");
    std::unique_ptr<QNetworkReply> missing(Get(QStringLiteral("/../remote_server.cpp"), host));
    EXPECT_EQ(missing->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 404);
    std::unique_ptr<QNetworkReply> rebound(Get(QStringLiteral("/"), "evil.example"));
    EXPECT_EQ(rebound->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 403);
}

TEST_F(RemoteServerTest, EndingASessionClosesItsPageAndNewCodesEndThemAll) {
    Page a(port, origin), b(port, origin);
    ASSERT_TRUE(a.Login("135790"));
    ASSERT_TRUE(b.Login("200001"));
    ASSERT_EQ(server.Sessions().size(), 2u);
    server.EndSession(server.Sessions().front().id);
    EXPECT_TRUE(a.Got(R"("t":"ended")"));
    EXPECT_TRUE(WaitUntil([&] { return a.closed; }));
    remote::AccessCodes fresh = kCodes;
    fresh.engineer = "246801";
    server.SetCodes(fresh);
    EXPECT_TRUE(WaitUntil([&] { return b.closed; }));
    EXPECT_TRUE(server.Sessions().empty());
}

}  // namespace
}  // namespace mixer
