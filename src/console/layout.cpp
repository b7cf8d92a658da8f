#include "console/layout.h"

#include <algorithm>

namespace mixer {

int StripWidthFor(int clientWidth) { return std::max(0, clientWidth) * 2 / 21; }

void FirstPassMetrics(LayoutMetrics& m, int clientWidth) {
    m.stripWidth = StripWidthFor(clientWidth);
    m.outputStripWidth = m.stripWidth;
}

void FinalPassMetrics(LayoutMetrics& m, int clientWidth, int clientHeight) {
    m.stripWidth = std::max(kMinStripWidth, StripWidthFor(clientWidth));
    m.outputStripWidth = m.stripWidth;
    m.stripHeight = std::max(kMinStripHeight, clientHeight - 220);
}

bool ApplySizeChange(LayoutMetrics& m, int clientWidth, int clientHeight) {
    const int asked = StripWidthFor(clientWidth);
    if (asked == m.stripWidth) return false;
    m.stripWidth = std::max(kMinStripWidth, asked);
    m.outputStripWidth = m.stripWidth;
    m.stripHeight = std::max(kMinStripHeight, clientHeight - 110);
    return true;
}

const Placement* Arrangement::Find(PageId page, int strip) const {
    for (const Placement& p : shown) {
        if (p.page == page && (strip < 0 || p.index == strip)) return &p;
    }
    return nullptr;
}

bool IsShownOutput(int selectedOutput) {
    return selectedOutput == 1 || (selectedOutput >= 3 && selectedOutput <= 8);
}

namespace {

const std::vector<PageId> kModulePages = {PageId::GateComp, PageId::Peq, PageId::Effect,
                                          PageId::Limiter, PageId::Geq, PageId::Sends};

// Places a view, replacing an earlier placement of the same view: one widget
// stands in one place.
void Place(Arrangement& a, PageId page, int index, PageRect rect) {
    const bool isStrip = page == PageId::InputStrip || page == PageId::OutputStrip;
    std::erase_if(a.shown, [&](const Placement& p) { return p.page == page && (!isStrip || p.index == index); });
    a.shown.push_back({page, index, rect});
}

int OutputDetailX(const LayoutMetrics& m) { return 8 * m.stripWidth + 16; }

}  // namespace

Arrangement ArrangeConsole(const LayoutMetrics& m, int page, int selectedOutput, int mode) {
    Arrangement a;
    a.hidden = {PageId::InputStrip, PageId::OutputStrip, PageId::DetailInput, PageId::DetailOutput,
                PageId::System,     PageId::MuteGroups,  PageId::ViewGroups,  PageId::ControlGroups,
                PageId::Phantom};
    a.hidden.insert(a.hidden.end(), kModulePages.begin(), kModulePages.end());

    const int top = m.stripTop;
    const int pitch = m.stripWidth + kStripGap;
    if (mode == kModeStrips) {
        a.sidePanelToMainLevel = true;
        PageId kind = PageId::InputStrip;
        int first = 0, count = 0;
        switch (page) {
        case kPageCh1To8: first = 0; count = 8; break;
        case kPageCh9To16: first = 8; count = 8; break;
        case kPageEffect: first = 16; count = 2; break;
        case kPageAux: kind = PageId::OutputStrip; first = 2; count = 6; break;
        default: break;
        }
        // The chosen output strip stands at the right; the AUX page closes
        // ranks over its slot, since an empty slot reads as a missing strip.
        int slot = 0;
        for (int i = 0; i < count; ++i) {
            if (kind == PageId::OutputStrip && first + i == selectedOutput - 1) continue;
            Place(a, kind, first + i, {pitch * slot++, top, m.stripWidth, m.stripHeight});
        }
        if (count > 0) a.pressedPageButton = page;
        if (IsShownOutput(selectedOutput)) {
            Place(a, PageId::OutputStrip, selectedOutput - 1,
                  {OutputDetailX(m), top, m.outputStripWidth, m.stripHeight});
        }
    }

    const PageRect over{0, top, 9 * pitch, m.stripHeight};
    switch (mode) {
    case kModeSystem: Place(a, PageId::System, 0, over); break;
    case kModeMuteGroups: Place(a, PageId::MuteGroups, 0, over); break;
    case kModeViewGroups: Place(a, PageId::ViewGroups, 0, over); break;
    case kModeControlGroups: Place(a, PageId::ControlGroups, 0, over); break;
    case kModePhantom: Place(a, PageId::Phantom, 0, over); break;
    default: break;
    }

    Place(a, PageId::SidePanel, 0, {9 * pitch, top, m.outputStripWidth, m.stripHeight});
    return a;
}

Arrangement ArrangeInputDetail(const LayoutMetrics& m, int channel, int module, int selectedOutput) {
    Arrangement a;
    if (channel < 0 || channel > 17) return a;
    a.hidden = {PageId::InputStrip, PageId::OutputStrip, PageId::DetailOutput};
    a.hidden.insert(a.hidden.end(), kModulePages.begin(), kModulePages.end());

    const int top = m.stripTop;
    Place(a, PageId::DetailInput, channel, {0, top, m.stripWidth, m.stripHeight});
    if (IsShownOutput(selectedOutput)) {
        Place(a, PageId::DetailOutput, selectedOutput - 1, {OutputDetailX(m), top, m.stripWidth, m.stripHeight});
    }
    const PageRect modRect{m.stripWidth + kStripGap, top, 7 * m.stripWidth, m.stripHeight};
    switch (module) {
    case kModuleGateComp: Place(a, PageId::GateComp, channel, modRect); break;
    case kModulePeq: Place(a, PageId::Peq, channel, modRect); break;
    case kModuleEffect: Place(a, PageId::Effect, channel, modRect); break;
    case kModuleSends: Place(a, PageId::Sends, channel, modRect); break;
    default: break;
    }
    return a;
}

Arrangement ArrangeOutputDetail(const LayoutMetrics& m, int output, int module) {
    Arrangement a;
    if (output < 0 || output > 7) return a;
    a.hidden = {PageId::InputStrip, PageId::OutputStrip, PageId::DetailInput};
    a.hidden.insert(a.hidden.end(), kModulePages.begin(), kModulePages.end());

    const int top = m.stripTop;
    Place(a, PageId::DetailOutput, output, {OutputDetailX(m), top, m.stripWidth, m.stripHeight});
    const PageRect modRect{0, top, 8 * m.stripWidth, m.stripHeight};
    switch (module) {
    case kModuleLimiter: Place(a, PageId::Limiter, output, modRect); break;
    case kModuleGeq: Place(a, PageId::Geq, output, modRect); break;
    default: break;
    }
    return a;
}

}  // namespace mixer
