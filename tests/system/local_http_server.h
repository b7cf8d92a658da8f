#pragma once
// A web server on 127.0.0.1 (a free port) that answers each path with a
// canned body, or 404; enough HTTP/1.0 for the update page and downloads.

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>

namespace mixer::testing {

class LocalHttpServer {
public:
    LocalHttpServer() {
        listening = server.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* client = server.nextPendingConnection()) {
                QObject::connect(client, &QTcpSocket::readyRead, client, [this, client] { Answer(client); });
                QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
            }
        });
    }

    QString Url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server.serverPort()).arg(path);
    }

    QTcpServer server;
    bool listening = false;
    QMap<QString, QByteArray> bodies;  // by path
    QStringList requested;             // paths, in order

private:
    void Answer(QTcpSocket* client) {
        QByteArray& request = pending_[client];
        request += client->readAll();
        if (!request.contains("\r\n\r\n")) return;
        const QString path = QString::fromLatin1(request.split(' ').value(1));
        pending_.remove(client);
        requested << path;
        const auto body = bodies.find(path);
        const bool found = body != bodies.end();
        const QByteArray content = found ? *body : QByteArray("not here");
        client->write((found ? "HTTP/1.0 200 OK\r\n" : "HTTP/1.0 404 Not Found\r\n") +
                      QByteArray("Content-Type: application/octet-stream\r\nContent-Length: ") +
                      QByteArray::number(content.size()) + "\r\nConnection: close\r\n\r\n" + content);
        client->disconnectFromHost();
    }

    QMap<QTcpSocket*, QByteArray> pending_;
};

}  // namespace mixer::testing
