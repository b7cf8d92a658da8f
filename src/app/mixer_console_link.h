#pragma once
// The console's view of the real device link: the window's timer drives it,
// its indicators and notifications reach the window, and the pages send
// through it only while connected.

#include "host/console_link.h"
#include "link/mixer_link.h"

namespace mixer {

struct AppContext;

class MixerConsoleLink : public ConsoleLink {
    Q_OBJECT

public:
    // Takes the device address from the context at every Connect, since the
    // profile, the command line and later the system page may change it.
    MixerConsoleLink(AppContext& context, MixerLink& link, QObject* parent = nullptr);

    void Connect() override;
    void Disconnect() override { link_.Disconnect(); }
    void OnTick() override { link_.OnTick(); }
    void Shutdown() override { link_.Shutdown(); }
    bool IsReceiving() const override { return link_.IsReceiving(); }
    bool IsConnected() const override { return link_.IsConnected(); }
    bool ConnectionLit() const override { return link_.ConnectionLit(); }
    bool StatusOnline() const override { return link_.StatusOnline(); }
    bool HomeActive() const override { return link_.HomeActive(); }
    bool Send(const std::string& message) override;
    void QueueTarget(const MixerState& state, const Target& target, bool paced) override {
        link_.QueueTarget(state, target, paced);
    }
    void MarkHeard() override { link_.MarkHeard(); }
    LinkRecord Record() const override;
    void SetLanguage(int language) override { link_.SetLanguage(language); }
    void SetResyncPeriod(std::chrono::milliseconds period) override { link_.SetResyncPeriod(period); }
    void HoldResync(bool held) override { uploading_ = held; }
    SyncStatus Sync() const override;

private:
    AppContext& context_;
    MixerLink& link_;
    bool uploading_ = false;
};

}  // namespace mixer
