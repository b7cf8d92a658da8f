#include <QSignalSpy>

#include "page_fixture.h"
#include "pages/curves/eq_graph.h"
#include "pages/geq/geq_dlg.h"
#include "skin/image_button.h"

using namespace mixer;
using mixer::testing::SentCommand;

namespace {

using GeqPage = mixer::testing::PageFixture<CGeqDlg>;

TEST_F(GeqPage, MainsBandChangesAndSendsItsPairToo) {
    page->SetChannel(0);
    page->OnPointMoved(4, 5, 6.0, 0);
    EXPECT_EQ(state.buses[0].geqBands[4].gain2, 210);
    EXPECT_EQ(state.buses[1].geqBands[4].gain2, 210);
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[0].code, 1);
    EXPECT_EQ(Sent()[1].code, 2);
    EXPECT_EQ(Sent()[1].values[5], 105);
    EXPECT_EQ(host.shown.back(), std::make_pair(18, 9));

    host.sent.clear();
    page->SetChannel(3);
    page->OnPointMoved(4, 5, -6.0, 0);
    EXPECT_EQ(state.buses[3].geqBands[4].gain2, 90);
    EXPECT_EQ(state.buses[1].geqBands[4].gain2, 210);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].code, 4);
}

TEST_F(GeqPage, ADragIsThrottledLikeThePeqPage) {
    page->SetChannel(5);
    page->OnPointMoved(10, 11, 0.0, 0);
    for (int i = 1; i <= 30; ++i) {
        Advance(10);
        page->OnPointMoved(10, 11, -0.3 * i, 1);
    }
    EXPECT_LE(Sent().size(), 1u + 3u);
    for (int t = 0; t < 5; ++t) {
        Advance(50);
        page->OnPageTimer();
    }
    EXPECT_EQ(Sent().back().values[11], state.buses[5].geqBands[10].gain2 / 2);
    EXPECT_EQ(state.buses[5].geqBands[10].gain2, 60);
}

TEST_F(GeqPage, DoubleClickSetsExactlyZeroDecibels) {
    state.buses[0].geqBands[30].gain2 = 299;
    page->SetChannel(0);
    page->OnPointDoubleClicked(30);
    EXPECT_EQ(state.buses[0].geqBands[30].gain2, 150);
    EXPECT_EQ(state.buses[1].geqBands[30].gain2, 150);
    EXPECT_EQ(Sent().size(), 2u);
    EXPECT_DOUBLE_EQ(page->Graph()->PointValue(30).y(), 0.0);
}

TEST_F(GeqPage, FreehandDrawingSendsExactlyTheBandsUnderTheStroke) {
    page->show();
    page->SetChannel(2);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    QTest::mouseClick(page->DrawButton(), Qt::LeftButton);
    CEqGraph* graph = page->Graph();
    ASSERT_TRUE(graph->Freehand());
    EXPECT_TRUE(page->DrawButton()->GetDown());

    QSignalSpy moved(graph, &CEqGraph::pointMoved);
    const int y = graph->PointPixel(0).y() - 60;
    const int x0 = graph->PointPixel(8).x();
    const int x1 = graph->PointPixel(12).x();
    QTest::mousePress(graph, Qt::LeftButton, {}, QPoint(x0, y));
    for (int x = x0; x <= x1; x += 4) QTest::mouseMove(graph, QPoint(x, y));
    QTest::mouseRelease(graph, Qt::LeftButton, {}, QPoint(x1, y));

    std::vector<int> changed;
    for (int b = 0; b < kGeqBandCount; ++b) {
        if (state.buses[2].geqBands[b].gain2 != 150) changed.push_back(b);
    }
    EXPECT_EQ(changed, (std::vector<int>{8, 9, 10, 11, 12}));
    EXPECT_EQ(moved.count(), 5);
    ASSERT_EQ(Sent().size(), 5u);
    for (const SentCommand& c : Sent()) EXPECT_EQ(c.code, 3);
    EXPECT_GT(state.buses[2].geqBands[10].gain2, 150);
}

TEST_F(GeqPage, ResetFlattensEveryBand) {
    for (GeqBand& g : state.buses[0].geqBands) g.gain2 = 10;
    page->SetChannel(0);
    page->OnReset();
    for (int b = 0; b < kGeqBandCount; ++b) {
        EXPECT_EQ(state.buses[0].geqBands[b].gain2, 150);
        EXPECT_EQ(state.buses[1].geqBands[b].gain2, 150);
    }
    EXPECT_EQ(Sent().size(), 2u);
    page->SetLabels(2);
    EXPECT_EQ(page->DrawButton()->text(), "画");
}

}  // namespace
