#include "console/layout.h"

#include <gtest/gtest.h>

#include <set>

using namespace mixer;

namespace {

LayoutMetrics Metrics(int w, int h) {
    LayoutMetrics m;
    m.stripWidth = m.outputStripWidth = w;
    m.stripHeight = h;
    return m;
}

// Views that the arrangement shows, as (page, index) pairs.
std::set<std::pair<PageId, int>> Shown(const Arrangement& a) {
    std::set<std::pair<PageId, int>> s;
    for (const Placement& p : a.shown) s.insert({p.page, p.index});
    return s;
}

bool Hides(const Arrangement& a, PageId page) {
    for (PageId h : a.hidden) {
        if (h == page) return true;
    }
    return false;
}

}  // namespace

TEST(LayoutMetrics, SizeChangeFollowsTheWidthWithMinimums) {
    LayoutMetrics m;
    EXPECT_TRUE(ApplySizeChange(m, 2100, 1000));
    EXPECT_EQ(m.stripWidth, 200);
    EXPECT_EQ(m.outputStripWidth, 200);
    EXPECT_EQ(m.stripHeight, 890);
    EXPECT_EQ(m.stripTop, 100);

    // A narrow, low window keeps the minimums; the strips overflow and scroll.
    EXPECT_TRUE(ApplySizeChange(m, 1000, 600));
    EXPECT_EQ(m.stripWidth, 150);
    EXPECT_EQ(m.outputStripWidth, 150);
    EXPECT_EQ(m.stripHeight, 700);
    // Just under the 1575 pixels that ask for 150 by themselves.
    EXPECT_TRUE(ApplySizeChange(m, 1574, 900));
    EXPECT_EQ(m.stripWidth, 150);
}

TEST(LayoutMetrics, SizeChangeWithTheSameStripWidthChangesNothing) {
    LayoutMetrics m;
    ASSERT_TRUE(ApplySizeChange(m, 2100, 1000));
    // 2110 * 2 / 21 truncates to 200 as well; the new height is not taken.
    EXPECT_FALSE(ApplySizeChange(m, 2110, 1200));
    EXPECT_EQ(m.stripHeight, 890);
    // 1575 asks for exactly 150: a change from 200.
    EXPECT_TRUE(ApplySizeChange(m, 1575, 1200));
    EXPECT_EQ(m.stripWidth, 150);
    EXPECT_EQ(m.stripHeight, 1090);
}

TEST(LayoutMetrics, InitialisationPasses) {
    LayoutMetrics m;
    FirstPassMetrics(m, 630);
    EXPECT_EQ(m.stripWidth, 60);  // no minimum yet
    EXPECT_EQ(m.outputStripWidth, 60);
    EXPECT_EQ(m.stripHeight, 500);
    FinalPassMetrics(m, 630, 800);
    EXPECT_EQ(m.stripWidth, 150);
    EXPECT_EQ(m.stripHeight, 700);
    FinalPassMetrics(m, 2100, 1200);
    EXPECT_EQ(m.stripWidth, 200);
    EXPECT_EQ(m.stripHeight, 980);
}

TEST(ArrangeConsole, EachPagePlacesItsStripsSideBySide) {
    const LayoutMetrics m = Metrics(150, 700);
    const Arrangement a = ArrangeConsole(m, kPageCh9To16, 1, kModeStrips);
    for (int i = 0; i < 8; ++i) {
        const Placement* p = a.Find(PageId::InputStrip, 8 + i);
        ASSERT_NE(p, nullptr) << i;
        EXPECT_EQ(p->rect, (PageRect{152 * i, 100, 150, 700}));
    }
    EXPECT_EQ(a.Find(PageId::InputStrip, 0), nullptr);
    EXPECT_EQ(a.pressedPageButton, 2);
    EXPECT_TRUE(a.sidePanelToMainLevel);
    ASSERT_NE(a.Find(PageId::OutputStrip, 0), nullptr);
    EXPECT_EQ(a.Find(PageId::OutputStrip, 0)->rect, (PageRect{8 * 150 + 16, 100, 150, 700}));
    EXPECT_EQ(a.Find(PageId::SidePanel)->rect, (PageRect{9 * 152, 100, 150, 700}));
    EXPECT_EQ(a.shown.size(), 10u);

    const auto first = Shown(ArrangeConsole(m, kPageCh1To8, 1, kModeStrips));
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(first.contains({PageId::InputStrip, i}));

    const auto effect = Shown(ArrangeConsole(m, kPageEffect, 1, kModeStrips));
    const std::set<std::pair<PageId, int>> expected = {
        {PageId::InputStrip, 16}, {PageId::InputStrip, 17}, {PageId::OutputStrip, 0}, {PageId::SidePanel, 0}};
    EXPECT_EQ(effect, expected);
}

TEST(ArrangeConsole, AuxShowsSixOutputStripsAndNeverSlotOne) {
    const LayoutMetrics m = Metrics(160, 800);
    for (int selected : {1, 2, 3, 8}) {
        const Arrangement a = ArrangeConsole(m, kPageAux, selected, kModeStrips);
        EXPECT_EQ(a.Find(PageId::OutputStrip, 1), nullptr) << selected;
        EXPECT_EQ(a.pressedPageButton, 4);
        for (int out = 2; out <= 7; ++out) EXPECT_NE(a.Find(PageId::OutputStrip, out), nullptr);
    }
    const Arrangement a = ArrangeConsole(m, kPageAux, 1, kModeStrips);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(a.Find(PageId::OutputStrip, 2 + i)->rect.x, 162 * i);

    // The chosen AUX stands at the right, once, and the others close ranks
    // in order with no empty slot between them.
    for (int selected = 3; selected <= 8; ++selected) {
        SCOPED_TRACE(selected);
        const Arrangement sel = ArrangeConsole(m, kPageAux, selected, kModeStrips);
        int count = 0;
        for (const Placement& p : sel.shown) count += p.page == PageId::OutputStrip && p.index == selected - 1;
        EXPECT_EQ(count, 1);
        EXPECT_EQ(sel.Find(PageId::OutputStrip, selected - 1)->rect.x, 8 * 160 + 16);
        int slot = 0;
        for (int out = 2; out <= 7; ++out) {
            if (out == selected - 1) continue;
            EXPECT_EQ(sel.Find(PageId::OutputStrip, out)->rect.x, 162 * slot++) << out;
        }
    }
}

TEST(ArrangeConsole, SelectedOutputTwoOrOutOfRangePlacesNoOutputStrip) {
    const LayoutMetrics m = Metrics(150, 700);
    for (int selected : {2, 0, 9, -1}) {
        const Arrangement a = ArrangeConsole(m, kPageCh1To8, selected, kModeStrips);
        EXPECT_EQ(a.Find(PageId::OutputStrip), nullptr) << selected;
    }
    const Arrangement aux6 = ArrangeConsole(m, kPageCh1To8, 8, kModeStrips);
    EXPECT_NE(aux6.Find(PageId::OutputStrip, 7), nullptr);
}

TEST(ArrangeConsole, ModesCoverTheStripAreaAndHideTheStrips) {
    const LayoutMetrics m = Metrics(150, 700);
    const std::pair<int, PageId> modes[] = {{kModeSystem, PageId::System},
                                            {kModeMuteGroups, PageId::MuteGroups},
                                            {kModeViewGroups, PageId::ViewGroups},
                                            {kModeControlGroups, PageId::ControlGroups},
                                            {kModePhantom, PageId::Phantom}};
    for (auto [mode, page] : modes) {
        const Arrangement a = ArrangeConsole(m, kPageCh1To8, 1, mode);
        const std::set<std::pair<PageId, int>> expected = {{page, 0}, {PageId::SidePanel, 0}};
        EXPECT_EQ(Shown(a), expected) << mode;
        EXPECT_EQ(a.Find(page)->rect, (PageRect{0, 100, 9 * 152, 700}));
        EXPECT_EQ(a.pressedPageButton, 0);
        EXPECT_FALSE(a.sidePanelToMainLevel);
        EXPECT_TRUE(Hides(a, PageId::InputStrip));
        EXPECT_TRUE(Hides(a, PageId::DetailInput));
        EXPECT_TRUE(Hides(a, PageId::Peq));
        EXPECT_FALSE(Hides(a, PageId::SidePanel));
    }
}

TEST(ArrangeInputDetail, DetailStripModulePageAndSelectedOutput) {
    const LayoutMetrics m = Metrics(150, 700);
    const Arrangement a = ArrangeInputDetail(m, 5, kModulePeq, 1);
    EXPECT_EQ(a.Find(PageId::DetailInput)->index, 5);
    EXPECT_EQ(a.Find(PageId::DetailInput)->rect, (PageRect{0, 100, 150, 700}));
    EXPECT_EQ(a.Find(PageId::DetailOutput)->index, 0);
    EXPECT_EQ(a.Find(PageId::DetailOutput)->rect, (PageRect{1216, 100, 150, 700}));
    EXPECT_EQ(a.Find(PageId::Peq)->index, 5);
    EXPECT_EQ(a.Find(PageId::Peq)->rect, (PageRect{152, 100, 1050, 700}));
    EXPECT_EQ(a.shown.size(), 3u);
    EXPECT_TRUE(Hides(a, PageId::InputStrip));
    EXPECT_TRUE(Hides(a, PageId::OutputStrip));
    EXPECT_TRUE(Hides(a, PageId::GateComp));

    const std::pair<int, PageId> modules[] = {{kModuleGateComp, PageId::GateComp},
                                              {kModuleEffect, PageId::Effect},
                                              {kModuleSends, PageId::Sends}};
    for (auto [module, page] : modules) EXPECT_NE(ArrangeInputDetail(m, 17, module, 1).Find(page), nullptr);

    // No detail output strip for the unshown MAIN slot.
    EXPECT_EQ(ArrangeInputDetail(m, 0, kModulePeq, 2).Find(PageId::DetailOutput), nullptr);
    EXPECT_EQ(ArrangeInputDetail(m, 0, kModulePeq, 4).Find(PageId::DetailOutput)->index, 3);
    // An unknown module shows only the strips; an unknown channel changes nothing.
    EXPECT_EQ(ArrangeInputDetail(m, 0, 9, 1).shown.size(), 2u);
    EXPECT_TRUE(ArrangeInputDetail(m, 18, kModulePeq, 1).shown.empty());
    EXPECT_TRUE(ArrangeInputDetail(m, -1, kModulePeq, 1).hidden.empty());
}

TEST(ArrangeOutputDetail, DetailStripAndModulePage) {
    const LayoutMetrics m = Metrics(200, 900);
    const Arrangement a = ArrangeOutputDetail(m, 3, kModuleGeq);
    EXPECT_EQ(a.Find(PageId::DetailOutput)->index, 3);
    EXPECT_EQ(a.Find(PageId::DetailOutput)->rect, (PageRect{1616, 100, 200, 900}));
    EXPECT_EQ(a.Find(PageId::Geq)->rect, (PageRect{0, 100, 1600, 900}));
    EXPECT_EQ(a.Find(PageId::Geq)->index, 3);
    EXPECT_TRUE(Hides(a, PageId::DetailInput));
    EXPECT_NE(ArrangeOutputDetail(m, 0, kModuleLimiter).Find(PageId::Limiter), nullptr);
    EXPECT_TRUE(ArrangeOutputDetail(m, 8, kModuleGeq).shown.empty());
}
