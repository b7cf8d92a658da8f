// Every fader of the console, taken at every level: a press and release that
// does not move the thumb keeps the level and sends nothing, and a thumb
// dragged onto a level's place gives that level.

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <cctype>
#include <string>

#include "host/app_context.h"
#include "console/fake_strip_host.h"
#include "console/input_strip_dlg.h"
#include "console/output_strip_dlg.h"
#include "link/reset_defaults.h"
#include "skin/bitmap_slider.h"
#include "skin/widget_probe.h"

using namespace mixer;
using mixer::testing::FakeStripHost;
using skin_test::Mouse;

namespace {

constexpr int kStripWidth = 150;

struct FaderCase {
    const char* name;
    bool output;
    bool detail;
    int index;
};

const FaderCase kCases[] = {
    {"CH 1", false, false, 0},          {"CH 16", false, false, 15}, {"DELAY return", false, false, kDelayReturn},
    {"Reverb return", false, false, kReverbReturn}, {"detail CH 5", false, true, 4},
    {"MAIN", true, false, 0},           {"AUX 1", true, false, 2},   {"AUX 6", true, false, 7},
    {"detail AUX 3", true, true, 4},
};

class FaderTouchTest : public ::testing::TestWithParam<FaderCase> {
protected:
    void SetUp() override {
        context.model.SetSink(&host);
        InitialiseState(context);
        window.resize(kStripWidth, 1000);
        window.show();
        const FaderCase& c = GetParam();
        if (c.output) {
            auto* strip = new COutputStripDlg(context, host, c.index, &window);
            fader = strip->Fader();
            strip_ = strip;
        } else {
            auto* strip = new CInputStripDlg(context, host, c.index, c.detail, &window);
            host.inputs[c.index] = strip;
            fader = strip->Fader();
            strip_ = strip;
        }
        strip_->setGeometry(0, 0, kStripWidth, 700);
        strip_->show();
    }

    int32_t& Level() {
        const FaderCase& c = GetParam();
        return c.output ? context.model.Mirror().buses[c.index].level : context.model.Mirror().strips[c.index].level;
    }

    // Puts the thumb where `level` stands, as a reply from the mixer would.
    void ShowLevel(int level) {
        Level() = level;
        strip_->RefreshFromState();
    }

    // Where the thumb's centre stands for a fader position.
    QPoint PlaceOfPosition(int position) const { return {fader->ThumbRect().center().x(), fader->PixelOf(position)}; }

    // Takes the thumb by its centre, moves it to `to` (when it is not where
    // the thumb is) and lets it go there.
    void DragThumbTo(QPoint to) {
        const QPoint grip = fader->ThumbRect().center();
        Mouse(*fader, QEvent::MouseButtonPress, grip);
        if (to != grip) Mouse(*fader, QEvent::MouseMove, to);
        Mouse(*fader, QEvent::MouseButtonRelease, to);
    }

    AppContext context;
    FakeStripHost host;
    QWidget window;
    StripView* strip_ = nullptr;
    CBitmapSlider* fader = nullptr;
};

}  // namespace

// The reference height, and a tall window where the fader has grown.
constexpr int kHeights[] = {700, 1060};

TEST_P(FaderTouchTest, ATouchWithoutMovementKeepsEveryLevelAndSendsNothing) {
    for (int height : kHeights) {
        strip_->resize(kStripWidth, height);
        for (int level = 0; level <= kLevelMax; ++level) {
            SCOPED_TRACE(::testing::Message() << height << " " << level);
            ShowLevel(level);
            DragThumbTo(fader->ThumbRect().center());
            EXPECT_EQ(Level(), level);
            EXPECT_TRUE(host.sent.empty());
        }
    }
}

TEST_P(FaderTouchTest, DraggedOntoALevelsPlaceTheFaderTakesThatLevel) {
    for (int height : kHeights) {
        strip_->resize(kStripWidth, height);
        for (int level = 0; level <= kLevelMax; ++level) {
            SCOPED_TRACE(::testing::Message() << height << " " << level);
            ShowLevel(level == 0 ? kLevelMax : 0);
            host.sent.clear();
            DragThumbTo(PlaceOfPosition(FaderPositionFromLevel(level)));
            EXPECT_EQ(Level(), level);
            EXPECT_FALSE(host.sent.empty());
        }
    }
}

// The scale's 0 mark stands where 0 dB is: a fader let go there reads 0 dB.
TEST_P(FaderTouchTest, TheZeroMarkIsZeroDecibels) {
    for (int height : kHeights) {
        SCOPED_TRACE(height);
        strip_->resize(kStripWidth, height);
        ShowLevel(0);
        const auto& marks = fader->Marks();
        const auto zero = std::find_if(marks.begin(), marks.end(), [](const CBitmapSlider::Mark& m) { return m.text == "0"; });
        ASSERT_NE(zero, marks.end());
        EXPECT_TRUE(zero->accent);
        DragThumbTo(PlaceOfPosition(zero->value));
        EXPECT_EQ(Level(), 60);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFader, FaderTouchTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FaderCase>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });
