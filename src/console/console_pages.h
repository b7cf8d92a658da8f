#pragma once
// The page views of the console window, each created once.

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "console/layout.h"
#include "host/page_views.h"
#include "link/mixer_state.h"

namespace mixer {

struct AppContext;
class StripHost;

struct ConsolePages {
    std::array<StripView*, kStripCount> inputs{};
    std::array<StripView*, kBusCount> outputs{};
    StripView* detailInput = nullptr;
    StripView* detailOutput = nullptr;
    SidePanelView* sidePanel = nullptr;
    PageView* system = nullptr;
    PageView* phantom = nullptr;
    PageView* muteGroups = nullptr;
    PageView* viewGroups = nullptr;
    PageView* controlGroups = nullptr;
    ChannelPageView* sends = nullptr;
    ChannelPageView* gateComp = nullptr;
    ChannelPageView* peq = nullptr;
    ChannelPageView* effect = nullptr;
    ChannelPageView* limiter = nullptr;
    ChannelPageView* geq = nullptr;

    // Every view of that kind (all input strips for InputStrip).
    std::vector<PageView*> All(PageId page) const;
    // The view of a placement: strips by their index, the others single.
    PageView* View(PageId page, int strip) const;
    // Every page in the order their labels are set.
    std::vector<PageView*> InLabelOrder() const;
};

// Creates every page as a hidden child of parent, in the order the window
// owns them; the strips talk to the window through host.
using PageFactory =
    std::function<void(ConsolePages& pages, QWidget* parent, AppContext& context, StripHost& host)>;

// The pages of this build.
void CreateConsolePages(ConsolePages& pages, QWidget* parent, AppContext& context, StripHost& host);

}  // namespace mixer
