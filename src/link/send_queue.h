#pragma once
// Paces datagrams on the wire: at least 10 ms between two sends, without
// blocking the thread. A datagram is sent at once when the last one left
// 10 ms ago or more; otherwise it waits its turn behind a timer.

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <deque>
#include <functional>

namespace mixer {

struct Datagram {
    QByteArray data;
    QHostAddress to;
    quint16 port = 0;
};

class SendQueue : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kGap{10};
    static constexpr std::size_t kCapacity = 1024;

    using Sender = std::function<bool(const Datagram&)>;

    explicit SendQueue(Sender sender, QObject* parent = nullptr);

    // False when the queue is full; the datagram is dropped then.
    bool Enqueue(Datagram datagram);
    bool IsEmpty() const { return pending_.empty(); }
    // Drops what has not been sent yet.
    void Clear();

signals:
    // The last waiting datagram has been sent.
    void drained();

private:
    void SendDue();

    Sender sender_;
    std::deque<Datagram> pending_;
    QTimer timer_;
    std::chrono::steady_clock::time_point lastSend_{};
    bool sentBefore_ = false;
};

}  // namespace mixer
