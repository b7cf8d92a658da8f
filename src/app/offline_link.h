#pragma once
// The link of a build without the device link: it never connects and has no
// receiver, so the window closes at once.

#include "console/console_link.h"

namespace mixer {

class OfflineLink : public ConsoleLink {
    Q_OBJECT

public:
    using ConsoleLink::ConsoleLink;

    void Connect() override {}
    void OnTick() override {}
    void Shutdown() override {}
    bool IsReceiving() const override { return false; }
    bool IsConnected() const override { return false; }
    bool ConnectionLit() const override { return false; }
    bool StatusOnline() const override { return false; }
    bool HomeActive() const override { return false; }
};

}  // namespace mixer
