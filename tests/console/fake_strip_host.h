#pragma once
// A console stand-in for strip and page tests: records what a view asks of
// the window, and stands in for the link as the model's sink, sending only
// while "connected".

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "host/page_views.h"
#include "console/sent_command.h"
#include "console/sent_recorder.h"
#include "host/strip_host.h"
#include "model/target_sink.h"

namespace mixer::testing {

class FakeStripHost : public StripHost, public TargetSink {
public:
    void ShowValue(int channel, int kind) override { shown.emplace_back(channel, kind); }
    void QueueTarget(const MixerState& state, const Target& target, bool paced) override {
        if (connected) recorder.Record(state, target, paced, sent);
    }
    void OpenInputDetail(int channel, int module) override { opened.push_back({false, channel, module}); }
    void OpenOutputDetail(int output, int module) override { opened.push_back({true, output, module}); }
    StripView* InputStrip(int channel) override {
        return channel >= 0 && channel < kStripCount ? inputs[channel] : nullptr;
    }
    StripLinks InputLinks(int channel) override {
        return channel >= 0 && channel < kStripCount ? links[channel] : StripLinks{};
    }

    struct Opened {
        bool output;
        int index;
        int module;
        bool operator==(const Opened&) const = default;
    };

    bool connected = true;
    std::vector<std::pair<int, int>> shown;  // channel, kind
    std::vector<std::string> sent;
    SentRecorder recorder;
    std::vector<Opened> opened;
    std::array<StripView*, kStripCount> inputs{};
    std::array<StripLinks, kStripCount> links{};
};

}  // namespace mixer::testing
