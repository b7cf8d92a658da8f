#pragma once
// A console stand-in for strip tests: records what a strip asks of the
// window and sends only while "connected".

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "console/page_views.h"
#include "console/sent_command.h"
#include "console/strip_host.h"

namespace mixer::testing {

class FakeStripHost : public StripHost {
public:
    void ShowValue(int channel, int kind) override { shown.emplace_back(channel, kind); }
    void RefreshPageOverviews() override { ++overviewRefreshes; }
    bool Send(const Commands& commands) override {
        if (!connected) return false;
        sent.insert(sent.end(), commands.begin(), commands.end());
        return true;
    }
    void OpenInputDetail(int channel, int module) override { opened.push_back({false, channel, module}); }
    void OpenOutputDetail(int output, int module) override { opened.push_back({true, output, module}); }
    StripView* InputStrip(int channel) override {
        return channel >= 0 && channel < kStripCount ? inputs[channel] : nullptr;
    }
    StripLinks InputLinks(int channel) override {
        return channel >= 0 && channel < kStripCount ? links[channel] : StripLinks{};
    }
    void RefreshChannelViews(int channel) override { refreshed.push_back(channel); }

    struct Opened {
        bool output;
        int index;
        int module;
        bool operator==(const Opened&) const = default;
    };

    bool connected = true;
    std::vector<std::pair<int, int>> shown;  // channel, kind
    int overviewRefreshes = 0;
    std::vector<std::string> sent;
    std::vector<Opened> opened;
    std::array<StripView*, kStripCount> inputs{};
    std::array<StripLinks, kStripCount> links{};
    std::vector<int> refreshed;
};

}  // namespace mixer::testing
