#pragma once
// An OSC client on a loopback address that builds what it sends and reads
// what it hears with liblo itself, not with the editor's wrapper of it.

#include <lo/lo.h>

#include <QElapsedTimer>
#include <QHostAddress>
#include <QUdpSocket>
#include <cstdlib>
#include <string>
#include <vector>

namespace mixer::testing {

class OscTestClient {
public:
    struct Heard {
        std::string path;
        std::string types;
        std::vector<double> numbers;  // every numeric argument, in order
        std::string text;             // the first string argument
        qint64 atMs;                  // since the client was made
    };

    explicit OscTestClient(const QString& address = QStringLiteral("127.0.0.3")) {
        clock.start();
        bound = socket.bind(QHostAddress(address), 0, QAbstractSocket::DontShareAddress);
        QObject::connect(&socket, &QUdpSocket::readyRead, [this] {
            while (socket.hasPendingDatagrams()) {
                QByteArray data(static_cast<int>(socket.pendingDatagramSize()), '\0');
                socket.readDatagram(data.data(), data.size());
                Read(data);
            }
        });
    }

    // One message built by liblo: Send(port, "/ch/1/fader", "f", -10.0f).
    template <typename... Args>
    void Send(quint16 port, const char* path, const char* types, Args... args) {
        lo_message message = lo_message_new();
        lo_message_add(message, types, args...);
        std::size_t size = 0;
        void* bytes = lo_message_serialise(message, path, nullptr, &size);
        SendRaw(port, QByteArray(static_cast<const char*>(bytes), static_cast<qsizetype>(size)));
        std::free(bytes);
        lo_message_free(message);
    }

    void SendRaw(quint16 port, const QByteArray& datagram) {
        socket.writeDatagram(datagram, QHostAddress(QStringLiteral("127.0.0.1")), port);
    }

    // The messages heard on `path`.
    std::vector<Heard> On(const std::string& path) const {
        std::vector<Heard> out;
        for (const Heard& h : heard)
            if (h.path == path) out.push_back(h);
        return out;
    }

    QUdpSocket socket;
    bool bound = false;
    QElapsedTimer clock;
    std::vector<Heard> heard;

private:
    void Read(QByteArray& data) {
        int result = 0;
        lo_message message = lo_message_deserialise(data.data(), static_cast<std::size_t>(data.size()), &result);
        if (!message) return;
        Heard h{lo_get_path(data.data(), data.size()), lo_message_get_types(message), {}, {}, clock.elapsed()};
        lo_arg** argv = lo_message_get_argv(message);
        for (std::size_t k = 0; k < h.types.size(); ++k) {
            const lo_type type = static_cast<lo_type>(h.types[k]);
            if (lo_is_numerical_type(type)) h.numbers.push_back(static_cast<double>(lo_hires_val(type, argv[k])));
            else if (type == LO_STRING && h.text.empty()) h.text = &argv[k]->s;
        }
        heard.push_back(h);
        lo_message_free(message);
    }
};

}  // namespace mixer::testing
