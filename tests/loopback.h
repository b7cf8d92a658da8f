#pragma once
// Helpers for tests that talk UDP on loopback: a port that is free on every
// 127.0.0.x address used, a plain socket that collects whole messages, and
// waiting on the event loop with a bound.

#include <QCoreApplication>
#include <QHostAddress>
#include <QTest>
#include <QUdpSocket>
#include <functional>
#include <string>
#include <vector>

#include "link/wire_format.h"

namespace mixer::testing {

inline constexpr int kWaitMs = 3000;  // generous: a loopback round trip takes far less

// Runs the event loop until done() holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = kWaitMs) {
    return QTest::qWaitFor(done, timeoutMs);
}

// A port that can be bound on 127.0.0.1, .2 and .3 alike.
inline quint16 FreeLoopbackPort() {
    for (;;) {
        QUdpSocket probe;
        if (!probe.bind(QHostAddress("127.0.0.1"), 0, QAbstractSocket::DontShareAddress)) continue;
        const quint16 port = probe.localPort();
        QUdpSocket second, third;
        if (second.bind(QHostAddress("127.0.0.2"), port, QAbstractSocket::DontShareAddress) &&
            third.bind(QHostAddress("127.0.0.3"), port, QAbstractSocket::DontShareAddress))
            return port;
    }
}

// A socket that is not the link: sends raw datagrams and keeps every whole
// message it receives, with the size of each datagram.
class LoopbackPeer {
public:
    LoopbackPeer(const QString& address, quint16 port) {
        bound = socket.bind(QHostAddress(address), port, QAbstractSocket::DontShareAddress);
        QObject::connect(&socket, &QUdpSocket::readyRead, [this] {
            while (socket.hasPendingDatagrams()) {
                QByteArray data(static_cast<int>(socket.pendingDatagramSize()), '\0');
                const qint64 got = socket.readDatagram(data.data(), data.size());
                if (got < 0) continue;
                datagramSizes.push_back(static_cast<int>(got));
                SplitFrames(residue, std::string_view(data.constData(), static_cast<std::size_t>(got)), messages);
            }
        });
    }

    void Send(const std::string& datagram, const QString& address, quint16 port) {
        socket.writeDatagram(datagram.data(), static_cast<qint64>(datagram.size()), QHostAddress(address), port);
    }

    int Count(char letter) const {
        int n = 0;
        for (const std::string& m : messages) n += m.size() > 1 && m[1] == letter;
        return n;
    }

    QUdpSocket socket;
    bool bound = false;
    std::string residue;
    std::vector<std::string> messages;
    std::vector<int> datagramSizes;
};

}  // namespace mixer::testing
