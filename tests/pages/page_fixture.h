#pragma once
// A processing page on its own: a fake console that records what the page
// sends and shows, and a clock the test moves.

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "host/app_context.h"
#include "console/fake_strip_host.h"
#include "link/monotonic_clock.h"

namespace mixer::testing {

template <class Page>
class PageFixture : public ::testing::Test {
protected:
    void SetUp() override {
        context.model.SetSink(&host);
        for (StripRecord& r : state.strips) {
            for (int b = 0; b < 4; ++b) r.peqBands[b] = PeqBand{200 * (b + 1), 150, 20, {0, 0}, 0};
            r.hpfFreq = 20;
            r.hpfSlope = 2;
            r.lpfFreq = 20000;
            r.lpfSlope = 2;
        }
        for (BusRecord& b : state.buses) {
            for (GeqBand& g : b.geqBands) g.gain2 = 150;
        }
        page = std::make_unique<Page>(context, host, nullptr);
        page->SetClock(clock);
        page->SetLabels(1);
        page->resize(1200, 700);
    }

    // Ties channel `own` with `others` for a function, as an enabled control group does.
    void Link(int own, std::initializer_list<int> others, LinkFunction function = kLinkEq) {
        StripLinks links;
        links.linked = true;
        links.channels[links.count++] = own;
        for (int c : others) links.channels[links.count++] = c;
        links.functions[function] = 1;
        host.links[own] = links;
    }

    std::vector<SentCommand> Sent() const { return ReadCommands(host.sent); }

    void Advance(int ms) { clock.Advance(std::chrono::milliseconds(ms)); }

    AppContext context;
    // The set-up and the tests write the mirror directly, as a reply would.
    MixerState& state = context.model.Mirror();
    FakeStripHost host;
    ManualClock clock;
    std::unique_ptr<Page> page;
};

}  // namespace mixer::testing
