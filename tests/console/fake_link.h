#pragma once
// A link whose receiver and indicators the test sets by hand.

#include <string>
#include <vector>

#include "host/console_link.h"
#include "console/sent_recorder.h"

namespace mixer::testing {

class FakeLink : public ConsoleLink {
public:
    void Connect() override { ++connects; }
    void Disconnect() override {
        ++disconnects;
        connected = false;
    }
    void OnTick() override { ++ticks; }
    void Shutdown() override {
        ++shutdowns;
        connected = false;
    }
    bool IsReceiving() const override { return receiving; }
    bool IsConnected() const override { return connected; }
    bool ConnectionLit() const override { return lit; }
    bool StatusOnline() const override { return online; }
    bool HomeActive() const override { return home; }
    bool Send(const std::string& message) override {
        if (!connected) return false;
        sent.push_back(message);
        return true;
    }

    void QueueTarget(const MixerState& state, const Target& target, bool paced) override {
        if (connected) recorder.Record(state, target, paced, sent);
    }

    void MarkHeard() override { ++heardMarks; }
    LinkRecord Record() const override { return record; }
    void SetLanguage(int value) override { language = value; }
    void SetResyncPeriod(std::chrono::milliseconds period) override { sync.periodMs = static_cast<int>(period.count()); }
    void HoldResync(bool held) override { resyncHeld = held; }
    SyncStatus Sync() const override { return sync; }

    // Online as after an accepted full-state reply.
    void GoOnline() {
        connected = lit = online = true;
        emit indicatorsChanged();
    }

    int connects = 0;
    int disconnects = 0;
    int ticks = 0;
    int shutdowns = 0;
    int heardMarks = 0;
    LinkRecord record;
    bool receiving = false;
    bool connected = false;
    bool lit = false;
    bool online = false;
    bool home = false;
    int language = 0;  // none set yet
    SyncStatus sync;
    bool resyncHeld = false;
    std::vector<std::string> sent;
    SentRecorder recorder;
};

}  // namespace mixer::testing
