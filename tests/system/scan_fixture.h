#pragma once
// Two simulated mixers on 127.0.0.5 and 127.0.0.9 and a port that is free on
// every loopback address a search test uses.

#include <QUdpSocket>
#include <memory>
#include <vector>

#include "sim/simulated_mixer.h"

namespace mixer::testing {

inline const std::vector<QString> kScanAddresses = {"127.0.0.1", "127.0.0.5", "127.0.0.9", "127.0.0.200",
                                                    "127.0.0.255"};

inline quint16 FreeScanPort() {
    for (;;) {
        QUdpSocket first;
        if (!first.bind(QHostAddress("127.0.0.1"), 0, QAbstractSocket::DontShareAddress)) continue;
        const quint16 port = first.localPort();
        std::vector<std::unique_ptr<QUdpSocket>> others;
        bool free = true;
        for (const QString& address : kScanAddresses) {
            if (address == "127.0.0.1") continue;
            others.push_back(std::make_unique<QUdpSocket>());
            free = free && others.back()->bind(QHostAddress(address), port, QAbstractSocket::DontShareAddress);
        }
        if (free) return port;
    }
}

// Mixers on .5 and .9 reporting firmware versions 1.2 and 3.7.
struct TwoMixers {
    explicit TwoMixers(quint16 port) {
        for (const auto& [address, version] : {std::pair{"127.0.0.5", "12"}, std::pair{"127.0.0.9", "37"}}) {
            SimOptions options;
            options.address = address;
            options.port = port;
            options.version = version;
            mixers.push_back(std::make_unique<SimulatedMixer>(options));
            QString error;
            started = mixers.back()->Start(error) && started;
        }
    }
    std::vector<std::unique_ptr<SimulatedMixer>> mixers;
    bool started = true;
};

}  // namespace mixer::testing
